#include "hourly/export.h"

#include "data/atomic_file.h"
#include "data/c_fields.h"
#include "data/program_inputs.h"
#include "hourly/printf_fields.h"
#include "solar/calendar.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace quorvane {

namespace {

constexpr int kSlopeMissingSummary = 8888;
constexpr int kMaxOrientations = 360;

// Room for the widest line: a "%5.1f" of any float and 29 ints with separators.
constexpr std::size_t kLineCapacity = kMaxFixed1Field + 30 * (kMaxIntField + 1) + 16;

class LineBuffer {
public:
    char* begin() { return text_; }
    std::string_view View(const char* end) const {
        return {text_, static_cast<std::size_t>(end - text_)};
    }

private:
    char text_[kLineCapacity];
};

char* AppendChar(char* p, char c) {
    *p = c;
    return p + 1;
}

char* AppendLineEnd(char* p) {
    p[0] = '\r';
    p[1] = '\n';
    return p + 2;
}

void WriteHeader(AtomicFileWriter& writer, const HourlyDataSet& set, ExportFormat format) {
    if (format == ExportFormat::Csv) {
        writer.Write(CsvHeaderLine(set.header));
    } else {
        writer.Write(set.header);
    }
    writer.Write("\r\n");
}

void WriteHorizontalLines(AtomicFileWriter& writer, const HourlyDataSet& set,
                          const HourlyPeriod& period, ExportFormat format) {
    LineBuffer line;
    bool csv = format == ExportFormat::Csv;
    for (int i = 0; i < period.dayCount; ++i) {
        int day = period.DayAt(i);
        MonthDay md = MonthDayOfYear(day);
        for (int element = 1; element <= kHourlyElements; ++element) {
            char* p = line.begin();
            if (csv) {
                p = AppendChar(AppendInt(p, element), ',');
                p = AppendChar(AppendInt(p, md.month), ',');
                p = AppendChar(AppendInt(p, md.day), ',');
                p = AppendChar(AppendFixed1(p, set.DailyReal(day, element)), ',');
                for (int hour = 1; hour <= kHoursPerDay; ++hour) {
                    p = AppendChar(AppendInt(p, set.Hourly(day, hour, element)), ',');
                }
                for (int s = 1; s <= kDailySummaries; ++s) {
                    p = AppendChar(AppendInt(p, set.RawSummary(day, s, element)), ',');
                }
                p = AppendInt(p, day);
            } else {
                p = AppendChar(AppendInt(p, element, 5, true), ' ');
                p = AppendInt(p, md.month, 2);
                p = AppendInt(p, md.day, 2);
                p = AppendFixed1(p, set.DailyReal(day, element), 5);
                for (int hour = 1; hour <= kHoursPerDay; ++hour) {
                    p = AppendInt(p, set.Hourly(day, hour, element), 4);
                    p = AppendInt(p, set.Flag(day, hour, element), 1);
                }
                for (int s = 1; s <= kDailySummaries; ++s) {
                    p = AppendInt(p, set.RawSummary(day, s, element), 5);
                }
                p = AppendInt(p, day, 5);
            }
            writer.Write(line.View(AppendLineEnd(p)));
        }
    }
}

// The options dialog offers 1 and 5 degrees; mode 2 has no step.
int StepDeg(const SlopeExportOptions& options) {
    return options.angleMode != HourlyAngleMode::Orientation && options.stepDeg == 5 ? 5 : 1;
}

struct Orientation {
    int tiltDeg;
    int azimuthDeg;
};

int OrientationsOf(const SlopeExportOptions& options,
                   std::array<Orientation, kMaxOrientations>& orientations) {
    int step = StepDeg(options);
    int count = 0;
    switch (options.angleMode) {
    case HourlyAngleMode::FixedTilt:
        for (int azimuth = 0; azimuth <= 359; azimuth += step) {
            orientations[count++] = {options.tiltDeg, azimuth};
        }
        break;
    case HourlyAngleMode::FixedAzimuth:
        for (int tilt = 0; tilt <= 90; tilt += step) {
            orientations[count++] = {tilt, options.azimuthDeg};
        }
        break;
    case HourlyAngleMode::Orientation:
        orientations[count++] = {options.tiltDeg, options.azimuthDeg};
        break;
    }
    return count;
}

void WriteSlopeLines(AtomicFileWriter& writer, const HourlyDataSet& set, const HourlyPeriod& period,
                     const SlopeExportOptions& options, const SitePosition& site,
                     ExportFormat format) {
    std::array<Orientation, kMaxOrientations> orientations;
    std::array<SlopePlane, kMaxOrientations> planes;
    int orientationCount = OrientationsOf(options, orientations);
    for (int o = 0; o < orientationCount; ++o) {
        planes[o] = PrepareSlopePlane(orientations[o].tiltDeg, orientations[o].azimuthDeg);
    }

    LineBuffer line;
    bool csv = format == ExportFormat::Csv;
    SlopeHour hours[kHoursPerDay];
    for (int i = 0; i < period.dayCount; ++i) {
        int day = period.DayAt(i);
        MonthDay md = MonthDayOfYear(day);
        double realValue = set.DailyReal(day, kElementGlobal);
        // The sun's position does not depend on the plane: once per hour, not per line.
        for (int hour = 1; hour <= kHoursPerDay; ++hour) {
            hours[hour - 1] = PrepareDataSlopeHour(set, site, day, hour);
        }
        for (int o = 0; o < orientationCount; ++o) {
            int values[kHoursPerDay];
            int maximum = 0;
            int total = 0;
            for (int h = 0; h < kHoursPerDay; ++h) {
                values[h] = SlopeHundredths(EvaluateSlope(hours[h], planes[o]));
                maximum = std::max(maximum, values[h]);
                total += values[h];
            }
            char* p = line.begin();
            if (csv) {
                p = AppendChar(AppendInt(p, orientations[o].azimuthDeg), ',');
                p = AppendChar(AppendInt(p, orientations[o].tiltDeg), ',');
                p = AppendChar(AppendInt(p, md.month), ',');
                p = AppendChar(AppendInt(p, md.day), ',');
                p = AppendChar(AppendFixed1(p, realValue), ',');
                for (int h = 0; h < kHoursPerDay; ++h) {
                    p = AppendChar(AppendInt(p, values[h]), ',');
                }
                p = AppendChar(AppendInt(p, maximum), ',');
                p = AppendChar(AppendInt(p, kSlopeMissingSummary), ',');
                p = AppendChar(AppendInt(p, total), ',');
                p = AppendChar(AppendInt(p, kSlopeMissingSummary), ',');
                p = AppendInt(p, day);
            } else {
                p = AppendInt(p, orientations[o].azimuthDeg, 3, true);
                p = AppendChar(AppendInt(p, orientations[o].tiltDeg, 2, true), ' ');
                p = AppendInt(p, md.month, 2);
                p = AppendInt(p, md.day, 2);
                p = AppendFixed1(p, realValue, 5);
                for (int h = 0; h < kHoursPerDay; ++h) {
                    p = AppendInt(p, values[h], 4);
                    p = AppendInt(p, set.Flag(day, h + 1, kElementGlobal), 1);
                }
                p = AppendInt(p, maximum, 5);
                p = AppendInt(p, kSlopeMissingSummary, 5);
                p = AppendInt(p, total, 5);
                p = AppendInt(p, kSlopeMissingSummary, 5);
                p = AppendInt(p, day, 5);
            }
            writer.Write(line.View(AppendLineEnd(p)));
        }
    }
}

} // namespace

std::string DefaultExportFileName(const HourlyExportRequest& request) {
    static constexpr const char* kHorizontalPrefixes[3] = {"hm", "hw", "hc"};
    static constexpr const char* kSlopePrefixes[3] = {"rm", "rw", "rc"};
    const int variant = ToIndex(request.yearVariant);
    const bool slope = request.dataKind == DataKind::Slope;
    const char* prefix = slope ? kSlopePrefixes[variant] : kHorizontalPrefixes[variant];
    const char* extension = request.format == ExportFormat::Csv ? "csv" : "txt";

    char suffix[48] = "";
    if (slope) {
        const SlopeExportOptions& o = request.slopeOptions;
        int step = StepDeg(o);
        switch (o.angleMode) {
        case HourlyAngleMode::FixedTilt:
            std::snprintf(suffix, sizeof suffix, "_s%02d_%d", o.tiltDeg, step);
            break;
        case HourlyAngleMode::FixedAzimuth:
            std::snprintf(suffix, sizeof suffix, "_d%03d_%d", o.azimuthDeg, step);
            break;
        case HourlyAngleMode::Orientation:
            std::snprintf(suffix, sizeof suffix, "_d%03ds%02d", o.azimuthDeg, o.tiltDeg);
            break;
        }
    }

    char name[128];
    if (request.exportKind == ExportKind::Month) {
        std::snprintf(name, sizeof name, "%s%d%02d%s.%s", prefix, request.siteNumber, request.month,
                      suffix, extension);
    } else if (request.exportKind == ExportKind::WholeYear) {
        std::snprintf(name, sizeof name, "%s%dyear%s.%s", prefix, request.siteNumber, suffix,
                      extension);
    } else {
        std::snprintf(name, sizeof name, "%s%d%02d%02d%s.%s", prefix, request.siteNumber,
                      request.month, request.day, suffix, extension);
    }
    return name;
}

std::string CsvHeaderLine(std::string_view header) {
    std::string line;
    line.reserve(header.size() + 1);
    std::string_view rest = header;
    for (std::size_t blank = rest.find(' '); blank != std::string_view::npos;
         blank = rest.find(' ')) {
        line.append(rest.substr(0, blank));
        line += ',';
        rest = TrimCSpace(rest.substr(blank + 1));
    }
    line.append(rest);
    return line;
}

WriteStatus ExportHourlyData(const HourlyDataSet& set, const HourlyExportRequest& request,
                             const SitePosition& site, const std::string& path) {
    const bool slope = request.dataKind == DataKind::Slope;
    // Without the site's position there are no slope lines: refuse before touching
    // the target, which would otherwise be replaced by a header-only file.
    if (slope && !site.found) {
        return WriteStatus::SiteMissing;
    }
    AtomicFileWriter writer(path);
    if (!writer.IsOpen()) {
        return writer.Commit(); // why it could not open
    }
    WriteHeader(writer, set, request.format);
    HourlyPeriod period = PeriodOfExport(request.exportKind, request.month, request.day);
    if (slope) {
        WriteSlopeLines(writer, set, period, request.slopeOptions, site, request.format);
    } else {
        WriteHorizontalLines(writer, set, period, request.format);
    }
    return writer.Commit();
}

} // namespace quorvane
