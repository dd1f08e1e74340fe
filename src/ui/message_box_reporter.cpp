#include "ui/message_box_reporter.h"

#include "ui/platform.h"
#include "ui/text.h"

namespace quorvane {

void MessageBoxReporter::Report(std::string_view message) {
    CurrentPlatform().ShowMessage(parent_, ToQString(message));
}

} // namespace quorvane
