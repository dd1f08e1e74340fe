#pragma once

#include "ui/site_picker.h"

#include <deque>
#include <optional>

namespace quorvane::test {

// Answers the site selection with scripted catalogue indexes (nothing: cancelled).
struct ScriptedSitePicker : SitePicker {
    std::deque<std::optional<int>> answers;
    int asked = 0;
    int askedToPrint = 0; // of which in print mode
    std::optional<int> PickSite(QWidget*, bool printMode) override {
        ++asked;
        askedToPrint += printMode ? 1 : 0;
        if (answers.empty()) {
            return std::nullopt;
        }
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace quorvane::test
