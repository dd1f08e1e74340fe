#pragma once

// Generated hourly data files and sunrise/sunset tables for the hourly tests and
// benchmarks: deterministic, plausible values in the files' own layouts.

#include "solar/calendar.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace quorvane::test {

struct SampleLine {
    int element = 1;
    int month = 1;
    int day = 1;
    double realValue = 0.0;
    int values[24] = {};
    int flags[24] = {};
    int summaries[4] = {};
};

// One data line in the file's column layout, without a line end.
inline std::string FormatHourlyLine(const SampleLine& line) {
    char buffer[256];
    int n = std::snprintf(buffer, sizeof buffer, "%05d %2d%2d%5.1f", line.element, line.month,
                          line.day, line.realValue);
    for (int h = 0; h < 24; ++h) {
        n += std::snprintf(buffer + n, sizeof buffer - n, "%4d%1d", line.values[h], line.flags[h]);
    }
    for (int s = 0; s < 4; ++s) {
        n += std::snprintf(buffer + n, sizeof buffer - n, "%5d", line.summaries[s]);
    }
    return std::string(buffer, static_cast<std::size_t>(n));
}

// Small linear congruential generator so the data are the same on every run.
class SampleRandom {
public:
    explicit SampleRandom(unsigned seed) : state_(seed * 2654435761u + 1u) {}
    int Next(int limit) {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 8) % static_cast<unsigned>(limit));
    }

private:
    unsigned state_;
};

// The nine lines of one day of year: sunny middle hours with global = direct +
// diffuse, a flag digit per hour, summaries that carry a few 8888 markers.
inline void MakeSampleDay(int dayOfYear, SampleRandom& random, SampleLine (&lines)[9]) {
    MonthDay md = MonthDayOfYear(dayOfYear);
    for (int e = 0; e < 9; ++e) {
        lines[e] = SampleLine{};
        lines[e].element = e + 1;
        lines[e].month = md.month;
        lines[e].day = md.day;
    }
    double season = std::cos((dayOfYear - 172) * 2.0 * 3.14159265 / 365.0);
    for (int h = 0; h < 24; ++h) {
        int hour = h + 1;
        bool daylight = hour >= 6 && hour <= 19;
        int direct = daylight ? random.Next(200) : 0;
        int diffuse = daylight ? random.Next(120) : 0;
        lines[0].values[h] = direct + diffuse;
        lines[1].values[h] = direct;
        lines[2].values[h] = diffuse;
        lines[3].values[h] = daylight ? random.Next(11) : 0;
        lines[4].values[h] = static_cast<int>(150 + 120 * season) + random.Next(60) - 30;
        lines[5].values[h] = random.Next(17);
        lines[6].values[h] = random.Next(120);
        lines[7].values[h] = random.Next(10) == 0 ? random.Next(80) : 0;
        lines[8].values[h] = dayOfYear < 60 || dayOfYear > 340 ? random.Next(40) : 0;
        for (int e = 0; e < 9; ++e) {
            lines[e].flags[h] = random.Next(10);
        }
    }
    for (int e = 0; e < 9; ++e) {
        int total = 0;
        for (int h = 0; h < 24; ++h) {
            total += lines[e].values[h];
        }
        lines[e].realValue = total / (e < 3 ? 100.0 : 10.0) + random.Next(10) / 100.0;
        lines[e].summaries[0] = total / 24;
        lines[e].summaries[1] = random.Next(7) == 0 ? 8888 : random.Next(500);
        lines[e].summaries[2] = total;
        lines[e].summaries[3] = random.Next(9) == 0 ? 8888 : random.Next(99);
    }
}

// A whole year's hourly file (header and 365 x 9 lines).
inline std::string MakeSampleHourlyFile(std::string_view header, std::string_view lineEnd = "\r\n",
                                        unsigned seed = 1) {
    std::string file(header);
    file += lineEnd;
    SampleRandom random(seed);
    SampleLine lines[9];
    for (int d = 1; d <= 365; ++d) {
        MakeSampleDay(d, random, lines);
        for (const SampleLine& line : lines) {
            file += FormatHourlyLine(line);
            file += lineEnd;
        }
    }
    return file;
}

inline void AppendSunriseRecord(std::string& file, int month, int day, float sunrise,
                                float sunset) {
    file += static_cast<char>(static_cast<signed char>(month));
    file += static_cast<char>(static_cast<signed char>(day));
    for (float value : {sunrise, sunset}) {
        unsigned char bytes[4];
        std::memcpy(bytes, &value, 4); // little-endian host
        file.append(reinterpret_cast<const char*>(bytes), 4);
    }
}

// 365 records, sunrise around 5..7 h and sunset around 17..19 h.
inline std::string MakeSampleSunriseFile() {
    std::string file;
    for (int d = 1; d <= 365; ++d) {
        MonthDay md = MonthDayOfYear(d);
        double season = std::cos((d - 172) * 2.0 * 3.14159265 / 365.0);
        AppendSunriseRecord(file, md.month, md.day, static_cast<float>(6.0 - 1.2 * season),
                            static_cast<float>(18.0 + 1.2 * season));
    }
    return file;
}

} // namespace quorvane::test
