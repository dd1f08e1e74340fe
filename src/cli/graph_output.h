#pragma once

#include "cli/command.h"
#include "graph/graph_layout.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QApplication;
class QPainter;
class QPrinter;

namespace quorvane::cli {

// What the graph commands share: options, the tooltip JSON and file output.

// One of the named choices of an option; `value` is its position.
bool ReadChoice(const Arguments& args, const char* key, std::initializer_list<const char*> names,
                int& value, std::string& error);
// --KEY I,J,...: whole numbers within low..high, appended to `values`.
bool ReadIntList(const Arguments& args, const char* key, int low, int high,
                 std::vector<int>& values, std::string& error);
// The frame every graph command draws in (--width W --height H, both required) and
// the legend entries it hides (--hide I,J,...).
struct GraphFrameOptions {
    int width = 0;
    int height = 0;
    LegendHidden hidden;
};
bool ReadGraphFrameOptions(const Arguments& args, GraphFrameOptions& frame, std::string& error);

// The tooltips as a JSON array of {left, top, right, bottom, text}, in their order.
std::string TooltipJson(const std::vector<tagGraphToolTip>& tips);
// Writes a file through a temporary one; false when it could not be written.
bool WriteFile(const std::string& path, const std::string& bytes);

// The Qt application painting needs, offscreen when there is no display.
class PaintingApplication {
public:
    PaintingApplication();
    ~PaintingApplication();

private:
    std::unique_ptr<QApplication> application_;
};

// The outputs of a graph command: --png (drawn by `screen`, as the viewer's frame
// shows it), --svg (by `picture`, without the screen's buttons), --pdf (by
// `print`) and --tooltips. Nothing when all were written (or not asked for), else
// the command's exit code, said on stderr.
std::optional<int> WriteGraphOutputs(const Arguments& args, const GraphFrameOptions& frame,
                                     const std::function<void(QPainter&)>& screen,
                                     const std::function<void(QPainter&)>& picture,
                                     const std::function<bool(QPrinter&)>& print,
                                     const std::vector<tagGraphToolTip>& tooltips,
                                     const std::function<int(const std::string&)>& usageError);

} // namespace quorvane::cli
