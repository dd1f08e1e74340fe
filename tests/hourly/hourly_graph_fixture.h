#pragma once

// A data set written by hand for the hourly graphs' tests: sunrise at 6:30 and
// sunset at 17:30 every day, every value zero until a test sets it.
#include "hourly/hourly_graph.h"
#include "solar/calendar.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace quorvane::test {

class HourlyGraphTest : public ::testing::Test {
protected:
    void SetUp() override {
        set->Clear();
        for (int d = 0; d < kHourlyDays; ++d) {
            set->sunrise[d] = 6.5f;
            set->sunset[d] = 17.5f;
        }
        input.set = set.get();
        input.loaded = true;
        input.site = {true, 139.75, 35.69, 25.0};
        input.siteName = "東京";
        input.month = 3;
        input.day = 3;
    }
    void SetHour(int day, int hour, int element, int value) {
        set->hourlyValues[day - 1][hour - 1][element - 1] = value;
    }
    std::vector<CHanreiObj> Legend() const { return BuildHourlyLegend(input, graph); }
    HourlyScene Scene() const { return ComputeHourlyScene(input, graph, Legend()); }
    static std::vector<std::string> TooltipTexts(const HourlyScene& scene) {
        std::vector<std::string> texts;
        for (const tagGraphToolTip& tip : scene.tooltips) {
            texts.push_back(tip.text);
        }
        return texts;
    }

    std::unique_ptr<HourlyDataSet> set = std::make_unique<HourlyDataSet>();
    HourlyGraphInput input;
    GraphRect graph{0, 0, 870, 560};
};

} // namespace quorvane::test
