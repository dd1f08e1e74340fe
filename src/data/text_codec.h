#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// How a conversion went: every byte converted, some bytes replaced, or no converter
// on this system (then only ASCII is kept and everything else replaced).
enum class TextConversion { Complete, Replaced, Unavailable };

// CP932 (Windows Shift-JIS) <-> UTF-8 at the file boundary. Bytes that do not
// convert become U+FFFD (to UTF-8) or '?' (to CP932) rather than failing; `result`,
// when given, says whether that happened.
std::string Cp932ToUtf8(std::string_view cp932, TextConversion* result = nullptr);
std::string Utf8ToCp932(std::string_view utf8, TextConversion* result = nullptr);

} // namespace quorvane
