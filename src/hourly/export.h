#pragma once

#include "data/hourly_file.h"
#include "data/write_status.h"
#include "hourly/periods.h"

#include <string>
#include <string_view>

namespace quorvane {

enum class ExportFormat { Csv, Txt };

// Orientations of a slope export: angle mode 0 keeps the tilt and steps the
// azimuth over 0..359, mode 1 keeps the azimuth and steps the tilt over 0..90,
// mode 2 is the one orientation (tilt, azimuth).
struct SlopeExportOptions {
    HourlyAngleMode angleMode = HourlyAngleMode::FixedTilt;
    int tiltDeg = 0;
    int azimuthDeg = 0;
    int stepDeg = 1; // 5, or else 1; mode 2 always uses 1
};

struct HourlyExportRequest {
    ExportKind exportKind = ExportKind::Day;
    YearVariant yearVariant = YearVariant::Average;
    int siteNumber = 0;
    int month = 1;
    int day = 1;
    ExportFormat format = ExportFormat::Csv;
    DataKind dataKind = DataKind::Horizontal;
    SlopeExportOptions slopeOptions;
};

// The name the save dialog offers, e.g. "rm474120303_s30_5.csv".
std::string DefaultExportFileName(const HourlyExportRequest& request);

// The header line as the CSV layout writes it (runs of blanks become one comma),
// without its line end. The bytes are the file's own (CP932).
std::string CsvHeaderLine(std::string_view header);

// Writes the export of `request` to `path`: the header line, then the horizontal
// data lines or, for slope data, the computed lines of every orientation, CR LF
// line ends. The file is replaced only when completely written.
WriteStatus ExportHourlyData(const HourlyDataSet& set, const HourlyExportRequest& request,
                             const SitePosition& site, const std::string& path);

} // namespace quorvane
