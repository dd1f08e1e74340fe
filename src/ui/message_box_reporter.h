#pragma once

#include "data/reporter.h"

class QWidget;

namespace quorvane {

// Shows the core's messages to the user in a message box with OK.
class MessageBoxReporter final : public MessageReporter {
public:
    explicit MessageBoxReporter(QWidget* parent = nullptr) : parent_(parent) {}
    void Report(std::string_view message) override;

private:
    QWidget* parent_;
};

} // namespace quorvane
