#include "monthly/monthly_table.h"

#include "data/atomic_file.h"
#include "monthly/monthly_lookup.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quorvane {

namespace {

constexpr std::array<std::string_view, kTableColumnCount> kColumnCaptions{
    "方位角", "傾斜角", "１月",   "２月",   "３月", "４月", "５月", "６月", "７月", "８月",
    "９月",   "１０月", "１１月", "１２月", "年",   "冬",   "春",   "夏",   "秋"};

constexpr std::array<std::array<std::string_view, 2>, 5> kSeasonCaptions{{
    {"１―", "１２月"},
    {"１２―", "２月"},
    {"３―", "５月"},
    {"６―", "８月"},
    {"９―", "１１月"},
}};

constexpr std::array<std::array<std::string_view, 2>, kOptimumRowCount> kDerivedLabels{{
    {"月別最適傾斜角", ""},
    {"月別最適傾斜角", "における日射量"},
    {"年間最適傾斜角", "における日射量"},
    {"比率（A/B）", ""},
    {"比率（B/C）", ""},
    {"平均気温", ""},
    {"散乱日射量", ""},
    {"積雪10cm以上", "の出現率"},
}};

constexpr int kFirstSeasonColumn = 2 + kYearColumn;
constexpr int kWheelRows = 4;

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

void AppendValues(std::string& out, const MonthlyRow& row, const char* format) {
    for (int stored : row) {
        out += ',';
        out += Trimmed(FormatTableValue(format, stored));
    }
    out += "\r\n";
}

} // namespace

MonthlyTableLayout ComputeMonthlyTableLayout(const PixelRect& picture, int scale, bool print) {
    MonthlyTableLayout t;
    t.scale = std::max(1, scale);
    t.print = print;
    const int s = t.scale;
    const int margin = 20 * s;
    t.left = picture.left + margin;
    t.top = picture.top + (print ? 100 : 80) * s;
    t.bottom = picture.bottom - margin;
    const int right = picture.right - margin;
    t.rowHeight = print ? static_cast<int>(std::lround((t.bottom - t.top) / 85.0)) : 16 * s;
    t.columnWidth = static_cast<int>(std::lround((right - t.left) / 19.0));
    t.right = t.left + kTableColumnCount * t.columnWidth;
    t.rowsPerPage = print ? kTablePrintRows : kTableScreenRows;
    return t;
}

TableSlopeRow SlopeRowAt(int rowCounter) {
    const int index = std::clamp(rowCounter - kTableFirstSlopeRow, 0, kTableSlopeRowCount - 1);
    return {index / (kMonthlyTiltCount - 1), index % (kMonthlyTiltCount - 1) + 1};
}

bool ShowsAzimuth(int rowCounter) {
    return (rowCounter - 2) % 9 == 5;
}

VisibleSlopeRows VisibleRowsFrom(int scroll, int rowsPerPage) {
    const int lastRow = kTableFirstSlopeRow + kTableSlopeRowCount - 1;
    VisibleSlopeRows rows;
    rows.first = std::max(kTableFirstSlopeRow, scroll + kTableFirstSlopeRow);
    const int last = std::min(lastRow, scroll + kTableFirstSlopeRow - 1 + rowsPerPage);
    rows.count = std::max(0, last - rows.first + 1);
    return rows;
}

std::optional<int> DerivedRowsAfter(int scroll, int rowsPerPage, bool firstPrintedPage) {
    const int remaining = firstPrintedPage ? rowsPerPage : kTableSlopeRowCount - scroll;
    if (remaining > rowsPerPage) {
        return std::nullopt;
    }
    return remaining;
}

int ClampTableScroll(int position) {
    return std::clamp(position, 0, kTableScrollMax);
}

int WheelTableScroll(int position, int delta) {
    return ClampTableScroll(delta <= 0 ? position + kWheelRows : position - kWheelRows);
}

std::string_view TableColumnCaption(int column) {
    return column >= 0 && column < kTableColumnCount ? kColumnCaptions[column] : std::string_view();
}

std::array<std::string_view, 2> TableSeasonCaption(int column) {
    const int season = column - kFirstSeasonColumn;
    return season >= 0 && season < static_cast<int>(kSeasonCaptions.size())
               ? kSeasonCaptions[season]
               : std::array<std::string_view, 2>{};
}

std::array<std::string_view, 2> DerivedRowLabel(int row) {
    return row >= 0 && row < kOptimumRowCount ? kDerivedLabels[row]
                                              : std::array<std::string_view, 2>{};
}

std::string_view DerivedRowMarker(int row) {
    return row == 1 ? "（A）" : row == 2 ? "（B）" : "";
}

const char* DerivedRowFormat(int row) {
    return row == 0 || row == 5 ? "%5.1f" : "%5.2f";
}

std::string_view DerivedRowMark(int row, int valueColumn) {
    const bool year = valueColumn == kYearColumn;
    const bool season = valueColumn > kYearColumn && valueColumn < kMonthlyColumnCount;
    if (row == 0) {
        return year ? "*" : season ? "**" : "";
    }
    if (row == 1) {
        return year ? "※" : season ? "※※" : "";
    }
    return "";
}

std::string FormatTableValue(const char* format, int stored) {
    char text[32];
    std::snprintf(text, sizeof text, format, MonthlyDisplayValue(stored));
    return text;
}

std::string MonthlyTableCsv(const MonthlyRecord& record, std::string_view siteName) {
    std::string out = "\xEF\xBB\xBF";
    out += "月平均斜面日射量（kWh/㎡・day)\r\n";
    const SiteHeaderFields site = ReadSiteHeaderFields(record.header);
    out += "地点," + std::string(siteName) + ",緯度," + Trimmed(site.latitudeDeg) + "°" +
           Trimmed(site.latitudeMin) + "′,経度," + Trimmed(site.longitudeDeg) + "°" +
           Trimmed(site.longitudeMin) + "′,標高," + Trimmed(site.elevationM) + "m\r\n";

    out += std::string(kColumnCaptions[0]) + "," + std::string(kColumnCaptions[1]);
    for (int column = 2; column < kTableColumnCount; ++column) {
        const auto lines = TableSeasonCaption(column);
        out += "," + std::string(kColumnCaptions[column]);
        if (!lines[0].empty()) {
            out += "（" + std::string(lines[0]) + std::string(lines[1]) + "）";
        }
    }
    out += "\r\n";

    out += "水平面,平均値（C）";
    AppendValues(out, SlopeRow(record, 0, 0), "%5.2f");
    out += "水平面,最大値";
    AppendValues(out, record.variation[1], "%5.2f");
    out += "水平面,最小値";
    AppendValues(out, record.variation[2], "%5.2f");

    for (int h = kTableFirstSlopeRow; h < kTableFirstSlopeRow + kTableSlopeRowCount; ++h) {
        const TableSlopeRow plane = SlopeRowAt(h);
        out += std::to_string(plane.azimuthIndex * 15) + "°," +
               std::to_string(plane.tiltIndex * 10) + "°";
        AppendValues(out, SlopeRow(record, plane.azimuthIndex, plane.tiltIndex), "%5.2f");
    }
    for (int row = 0; row < kOptimumRowCount; ++row) {
        const auto label = DerivedRowLabel(row);
        out += std::string(label[0]) + std::string(label[1]) + std::string(DerivedRowMarker(row)) +
               ",";
        AppendValues(out, record.optimumTable[row], DerivedRowFormat(row));
    }
    return out;
}

WriteStatus WriteMonthlyTableCsv(const std::string& path, const MonthlyRecord& record,
                                 std::string_view siteName) {
    AtomicFileWriter writer(path);
    writer.Write(MonthlyTableCsv(record, siteName));
    return writer.Commit();
}

} // namespace quorvane
