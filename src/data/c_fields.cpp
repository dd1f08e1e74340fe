#include "data/c_fields.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>

namespace quorvane {

std::string_view TrimCSpace(std::string_view text) {
    while (!text.empty() && IsCSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsCSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

double ParseCDouble(std::string_view text) {
    bool negative = false;
    const std::size_t i = NumberStart(text, negative);
    // from_chars accepts no sign and no "0x"; a hexadecimal float, "inf" or "nan" is
    // read as 0 like any other text atof would stop on early (the data files hold none).
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    if (first == last || !(IsDigit(*first) || *first == '.')) {
        // Nothing converted: atof gives +0 even after a sign, and "%.1f" would show
        // "-0.0" for a -0.
        return 0.0;
    }
    double value = 0.0;
    auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::invalid_argument) {
        return 0.0; // "-." and the like
    }
    if (result.ec == std::errc::result_out_of_range) {
        // Overflow or underflow: from_chars leaves value untouched.
        value = 0.0;
        for (const char* p = first; p < last && (IsDigit(*p) || *p == '.'); ++p) {
            if (IsDigit(*p) && *p != '0') {
                value = 1.0;
                break;
            }
        }
        if (value != 0.0) {
            value = HUGE_VAL;
            // A tiny value (e-400) underflows to 0, a huge one to infinity.
            for (const char* p = first; p < last; ++p) {
                if ((*p == 'e' || *p == 'E') && p + 1 < last && p[1] == '-') {
                    value = 0.0;
                    break;
                }
            }
        }
    }
    return negative ? -value : value;
}

std::string_view StripLineEnd(std::string_view line) {
    if (!line.empty() && line.back() == '\n') {
        line.remove_suffix(1);
    }
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

} // namespace quorvane
