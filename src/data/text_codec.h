#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// CP932 (Windows Shift-JIS) <-> UTF-8 at the file boundary. Bytes that do not
// convert become U+FFFD (to UTF-8) or '?' (to CP932) rather than failing.
std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);

} // namespace quorvane
