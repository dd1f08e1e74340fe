#pragma once

// Builds monthly data files for tests: 129 lines in the fixed-column layout, with a
// distinct value in every field so a value landing in the wrong place shows.

#include "data/text_codec.h"

#include <cstdio>
#include <string>
#include <vector>

namespace quorvane::test {

// The stored integer (value x 100) written at column k of file line `lineNumber`.
inline int MonthlyTestValue(int lineNumber, int column) {
    return (lineNumber * 37 + column * 11) % 900 + 10;
}

inline std::string FixedField(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

// A value line: an 11-column prefix, 12 monthly values, a 3-column gap, 5 summaries.
inline std::string MonthlyValueLine(const std::string& prefix,
                                    const std::vector<std::string>& values) {
    std::string line = prefix;
    line.resize(11, ' ');
    for (std::size_t k = 0; k < values.size(); ++k) {
        if (k == 12) {
            line += "   ";
        }
        line += FixedField(values[k], 6);
    }
    return line;
}

inline std::string StoredAsText(int stored) {
    char text[16];
    std::snprintf(text, sizeof text, "%d.%02d", stored / 100, stored % 100);
    return text;
}

inline std::string PlanePrefix(int azimuthDeg, int tiltDeg) {
    char text[16];
    std::snprintf(text, sizeof text, "%3d   %2d", azimuthDeg, tiltDeg);
    return text;
}

// CP932 header with the site name and the position fields at their byte columns.
inline std::string MonthlyTestHeader() {
    std::string header = "47401 " + Utf8ToCp932("稚内");
    header.resize(26, ' ');
    header += "45 ";    // 26-27 latitude degrees
    header += "24.9  "; // 29-32 latitude minutes
    header += "141 ";   // 35-37 longitude degrees
    header += "40.7 ";  // 39-42 longitude minutes
    header += "   3";   // 44-47 elevation
    return header;
}

// The 129 lines of a well-formed file: planes for every azimuth 0..180 and tilt 10..90.
inline std::vector<std::string> MonthlyTestLines() {
    std::vector<std::string> lines;
    lines.push_back(MonthlyTestHeader());
    auto values = [](int lineNumber) {
        std::vector<std::string> fields;
        for (int k = 0; k < 17; ++k) {
            fields.push_back(StoredAsText(MonthlyTestValue(lineNumber, k)));
        }
        return fields;
    };
    for (int lineNumber = 2; lineNumber <= 4; ++lineNumber) {
        lines.push_back(MonthlyValueLine("", values(lineNumber)));
    }
    for (int c = 0; c <= 12; ++c) {
        for (int d = 1; d <= 9; ++d) {
            int lineNumber = static_cast<int>(lines.size()) + 1;
            lines.push_back(MonthlyValueLine(PlanePrefix(15 * c, 10 * d), values(lineNumber)));
        }
    }
    for (int row = 0; row < 8; ++row) {
        lines.push_back(MonthlyValueLine("", values(122 + row)));
    }
    return lines;
}

// File line number of the plane line for azimuth index c (0..12) and tilt index d (1..9).
inline int PlaneLineNumber(int c, int d) {
    return 5 + c * 9 + (d - 1);
}

inline std::string JoinLines(const std::vector<std::string>& lines, const std::string& eol) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + eol;
    }
    return text;
}

} // namespace quorvane::test
