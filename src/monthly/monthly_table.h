#pragma once

#include "data/monthly_file.h"
#include "data/pixel_types.h"
#include "data/write_status.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// The monthly data table: one site's whole record as 129 rows of 17 values under a
// fixed top part (header and horizontal section). Row counters: 0..4 the top part,
// 5..121 the slope rows (azimuth index C, tilt index D >= 1 at 5 + 9C + D - 1),
// 122..129 the derived rows.
inline constexpr int kTableColumnCount = 19; // azimuth, tilt, then the 17 values
inline constexpr int kTableSlopeRowCount = 117;
inline constexpr int kTableFirstSlopeRow = 5;
inline constexpr int kTableScrollMax = 107;
inline constexpr int kTableScreenRows = 30;
inline constexpr int kTablePrintRows = 63;
inline constexpr int kTableSecondPageScroll = 63;
inline constexpr int kTableTopRows = 7; // header (3) and horizontal section (2 + 1 + 1)
inline constexpr int kTableFootnoteGap = 3;
inline constexpr std::array<int, kOptimumRowCount> kDerivedRowHeights{2, 3, 3, 1, 1, 1, 1, 2};

struct MonthlyTableLayout {
    int left = 0;
    int top = 0;
    int right = 0; // left + 19 column widths
    int bottom = 0;
    int rowHeight = 0;
    int columnWidth = 0;
    int rowsPerPage = 0;
    int scale = 1;
    bool print = false;

    int ColumnLeft(int column) const { return left + column * columnWidth; }
    int RowTop(int rows) const { return top + rows * rowHeight; }
    friend bool operator==(const MonthlyTableLayout&, const MonthlyTableLayout&) = default;
};

// The table's place in a picture (a frame on screen, the printable page on paper).
MonthlyTableLayout ComputeMonthlyTableLayout(const PixelRect& picture, int scale, bool print);

struct TableSlopeRow {
    int azimuthIndex = 0;
    int tiltIndex = 1;
};

// The plane of a slope row counter 5..121.
TableSlopeRow SlopeRowAt(int rowCounter);
// Whether a slope row shows its azimuth: the tilt-30 row of each azimuth group.
bool ShowsAzimuth(int rowCounter);

// The slope rows shown from a scroll position, as row counters first..last
// (count 0 when none).
struct VisibleSlopeRows {
    int first = kTableFirstSlopeRow;
    int count = 0;
};
VisibleSlopeRows VisibleRowsFrom(int scroll, int rowsPerPage);

// How many slope rows stand above the derived rows, or nothing when they do not
// fit the page: on screen from scroll position 87; on the first printed page
// after its 63 rows.
std::optional<int> DerivedRowsAfter(int scroll, int rowsPerPage, bool firstPrintedPage);

int ClampTableScroll(int position);
// The mouse wheel: a delta <= 0 scrolls 4 rows down, a positive one 4 rows up.
int WheelTableScroll(int position, int delta);

// The labels of the table (UTF-8).
std::string_view TableColumnCaption(int column); // the first line of columns 0..18
// The second and third lines of the year and season columns 14..18; empty elsewhere.
std::array<std::string_view, 2> TableSeasonCaption(int column);
// The label lines of a derived row (one or two lines).
std::array<std::string_view, 2> DerivedRowLabel(int row);
// "（A）" and "（B）" beside the labels of rows 1 and 2; empty elsewhere.
std::string_view DerivedRowMarker(int row);
// The printf format of a derived row's values.
const char* DerivedRowFormat(int row);
// The footnote mark beside a derived row's year or season value; empty elsewhere.
std::string_view DerivedRowMark(int row, int valueColumn);

// A value of the record as the table shows it.
std::string FormatTableValue(const char* format, int stored);

// The whole table as comma-separated text: the caption and site lines, the column
// captions, the horizontal section, the 117 slope rows and the eight derived rows,
// UTF-8 with a byte-order mark and CR LF line ends.
std::string MonthlyTableCsv(const MonthlyRecord& record, std::string_view siteName);
// Writes that text to a file the user chose, through a temporary file renamed into
// place when complete.
WriteStatus WriteMonthlyTableCsv(const std::string& path, const MonthlyRecord& record,
                                 std::string_view siteName);

} // namespace quorvane
