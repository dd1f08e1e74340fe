#pragma once

#include "graph/graph_layout.h"
#include "yield/energy_yield.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// Everything the yield chart shows: the site and plane, the three year variants'
// results by the hourly method and the monthly method's on its stored plane. A
// result is missing where its data could not be read.
struct YieldComparison {
    std::string siteName;
    int tiltDeg = 0;
    int azimuthDeg = 0;
    double ratingKw = 0.0;
    std::array<std::optional<YieldResult>, 3> variants{};
    std::optional<YieldResult> monthly;
    MonthlyPlane monthlyPlane;
    HourlyArray hourlyArray; // the arrays the figures were computed for
    MonthlyArray monthlyArray;
};

// A filled rectangle of the chart.
struct ChartBar {
    GraphRect rect;
    std::uint32_t argb = 0;
};

// A tick of the value axis and its label.
struct ChartTick {
    int y = 0;
    std::string label;
};

// One row of the totals under the chart: the method's name, then its figures.
struct ChartRow {
    std::uint32_t argb = 0; // the sample's colour
    bool line = false;      // the sample is the monthly method's line
    std::array<GraphText, 5> cells;
};

// The composed chart in logical pixels of a frame (0, 0, width, height).
struct YieldChart {
    GraphRect frame;
    GraphRect plot;
    GraphText title;
    GraphText subtitle;
    GraphText axisTitle;
    std::vector<ChartTick> ticks;
    std::vector<GraphText> monthLabels;
    std::vector<ChartBar> bars;
    std::vector<GraphPoint> line; // the monthly method, a point a month
    std::uint32_t lineArgb = 0;
    std::array<GraphText, 5> header;
    std::vector<ChartRow> rows;
    GraphText note;
    std::vector<tagGraphToolTip> tooltips;
};

// The colours of the three year variants' bars and of the monthly method's line.
inline constexpr std::array<std::uint32_t, 3> kVariantArgb{0xFFF59B23, 0xFFE0483C, 0xFF3C7DD9};
inline constexpr std::uint32_t kMonthlyMethodArgb = 0xFF1E9E5A;

// "平均年", "多照年", "寡照年".
const char* YearVariantLabel(int variant);

// The upper end and step of a value axis that holds `maximum` in about five steps of
// 1, 2 or 5 times a power of ten.
struct AxisScale {
    double top = 0.0;
    double step = 0.0;
    friend bool operator==(const AxisScale&, const AxisScale&) = default;
};
AxisScale NiceAxis(double maximum);

YieldChart ComposeYieldChart(const YieldComparison& comparison, int width, int height);

} // namespace quorvane
