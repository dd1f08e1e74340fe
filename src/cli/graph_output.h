#pragma once

#include "cli/command.h"
#include "graph/graph_layout.h"

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

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
// --hide I,J,...: legend entry indexes.
bool ReadHidden(const Arguments& args, std::vector<int>& hidden, std::string& error);
// The tooltips as a JSON array of {left, top, right, bottom, text}, in their order.
std::string TooltipJson(const std::vector<tagGraphToolTip>& tips);
// Writes a file through a temporary one; false when it could not be written.
bool WriteFile(const std::string& path, const std::string& bytes);

// The --svg, --pdf and --tooltips outputs of a graph command: the SVG drawn by
// `paint` in a frame of width x height, the PDF by `print`. Nothing when all were
// written (or not asked for), else the command's exit code, said on stderr.
std::optional<int> WriteGraphFiles(const Arguments& args, int width, int height,
                                   const std::function<void(QPainter&)>& paint,
                                   const std::function<bool(QPrinter&)>& print,
                                   const std::vector<tagGraphToolTip>& tooltips,
                                   const std::function<int(const std::string&)>& usageError);

} // namespace quorvane::cli
