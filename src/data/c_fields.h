#pragma once

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorvane {

// Fixed-column fields of the data files, read the way the C library's atoi and
// atof read them: leading blanks skipped, conversion stops at the first unusable
// character, nothing usable gives 0. Out-of-range integers saturate instead of
// being undefined. Independent of the process locale.

// The C library's isspace in the "C" locale: blank, tab, line feed, vertical tab,
// form feed, carriage return.
inline bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The part of `line` from column `start` of at most `width` characters
// (empty when the line is shorter).
inline std::string_view Columns(std::string_view line, std::size_t start, std::size_t width) {
    return start >= line.size() ? std::string_view() : line.substr(start, width);
}

// Where the number of a field starts, as atoi and atof see it: after the leading
// blanks and a sign, which `negative` reports.
inline std::size_t NumberStart(std::string_view text, bool& negative) {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    return i;
}

// Inline: an hourly file is some 180,000 short fields.
inline int ParseCInt(std::string_view text) {
    bool negative = false;
    std::size_t i = NumberStart(text, negative);
    constexpr std::int64_t kLimit = static_cast<std::int64_t>(INT_MAX) + 1;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(value * 10 + (text[i] - '0'), kLimit);
    }
    if (negative) {
        value = -value;
    }
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

double ParseCDouble(std::string_view text);

inline int ColumnInt(std::string_view line, std::size_t start, std::size_t width) {
    return ParseCInt(Columns(line, start, width));
}
inline double ColumnDouble(std::string_view line, std::size_t start, std::size_t width) {
    return ParseCDouble(Columns(line, start, width));
}

// `text` without the IsCSpace characters at either end.
std::string_view TrimCSpace(std::string_view text);

// Removes a trailing "\n" and "\r\n" (files come with either line end).
std::string_view StripLineEnd(std::string_view line);

} // namespace quorvane
