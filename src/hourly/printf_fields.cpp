#include "hourly/printf_fields.h"

#include <charconv>
#include <cstring>

namespace quorvane {

char* AppendFixed1(char* out, double value, int width) {
    char text[kMaxFixed1Field];
    auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 1);
    auto length = static_cast<int>(result.ptr - text);
    for (int i = length; i < width; ++i) {
        *out++ = ' ';
    }
    std::memcpy(out, text, static_cast<std::size_t>(length));
    return out + length;
}

} // namespace quorvane
