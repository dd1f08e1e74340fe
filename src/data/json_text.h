#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// `text` (UTF-8) as a JSON string: quoted, with quotes, backslashes and control
// characters escaped.
std::string JsonString(std::string_view text);

} // namespace quorvane
