#pragma once

#include <cstddef>
#include <string_view>

namespace quorvane {

// Fixed-column fields of the data files, read the way the C library's atoi and
// atof read them: leading blanks skipped, conversion stops at the first unusable
// character, nothing usable gives 0. Out-of-range integers saturate instead of
// being undefined. Independent of the process locale.

// The part of `line` from column `start` of at most `width` characters
// (empty when the line is shorter).
std::string_view Columns(std::string_view line, std::size_t start, std::size_t width);

int ParseCInt(std::string_view text);
double ParseCDouble(std::string_view text);

inline int ColumnInt(std::string_view line, std::size_t start, std::size_t width) {
    return ParseCInt(Columns(line, start, width));
}
inline double ColumnDouble(std::string_view line, std::size_t start, std::size_t width) {
    return ParseCDouble(Columns(line, start, width));
}

// The C library's isspace in the "C" locale: blank, tab, line feed, vertical tab,
// form feed, carriage return.
bool IsCSpace(char c);
// `text` without the IsCSpace characters at either end.
std::string_view TrimCSpace(std::string_view text);

// Removes a trailing "\n" and "\r\n" (files come with either line end).
std::string_view StripLineEnd(std::string_view line);

} // namespace quorvane
