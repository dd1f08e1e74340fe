#pragma once

#include <optional>

class QWidget;

namespace quorvane {

// How a viewer or the batch-print list asks the user for a site: the site
// catalogue index chosen, or nothing when the user cancelled. The program runs the
// site selection map; tests answer with a scripted index.
class SitePicker {
public:
    virtual ~SitePicker() = default;
    // `printMode` asks for a site to print rather than one to show.
    virtual std::optional<int> PickSite(QWidget* parent, bool printMode) = 0;
};

} // namespace quorvane
