#include "hourly/hourly_graph.h"
#include "data/cpu_state.h"

#include "graph/graph_palette.h"
#include "solar/calendar.h"
#include "solar/slope_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>

namespace quorvane {

namespace {

constexpr int kHorizontalComparison = 13;
constexpr double kSnowDrawLimitCm = 300.0;

int T(double value) {
    return static_cast<int>(value); // the integer part, cut toward zero
}

std::string Format(const char* format, auto... values) {
    char text[160];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

// The x of a slot of the hour graphs: slot a of n.
int SlotX(const GraphRect& plot, int a, int n) {
    const double w = plot.right - plot.left - 2;
    return plot.left + 1 + T(w * (a + 1) / (n + 0.5) + 0.5);
}

// The x of day j of a month of n days: the centre of its slot.
int DayX(const GraphRect& plot, int j, int n) {
    const double w = plot.right - plot.left - 2;
    return plot.left + 1 + T(w * j / n + 0.5) + T(w / (2.0 * n));
}

bool Visible(const std::vector<CHanreiObj>& legend, int index) {
    return index >= 0 && index < static_cast<int>(legend.size()) &&
           legend[static_cast<std::size_t>(index)].visible != 0;
}

struct Slot {
    int x = 0;
    int day = 1;  // day of year
    int hour = 0; // 1..24, or 0 in the month graph
};

std::vector<Slot> SlotsOf(HourlyGraphKind kind, const HourlyGraphInput& in, const GraphRect& plot) {
    std::vector<Slot> slots;
    const HourlyPeriod period = PeriodOfView(in.view, in.month, in.day);
    if (kind == HourlyGraphKind::Month) {
        const int n = period.dayCount;
        for (int j = 0; j < n; ++j) {
            slots.push_back({DayX(plot, j, n), period.DayAt(j), 0});
        }
        return slots;
    }
    const int days = kind == HourlyGraphKind::TenDays ? 10 : 1;
    const HourlyPeriod shown{DayOfYear(in.month, in.day), days};
    const int n = 24 * days;
    for (int k = 0; k < days; ++k) {
        for (int h = 1; h <= 24; ++h) {
            slots.push_back({SlotX(plot, 24 * k + h - 1, n), shown.DayAt(k), h});
        }
    }
    return slots;
}

// The stored value of a horizontal element at a slot (the file's units), and the
// same in display units as the graph draws it.
int StoredValue(const HourlyDataSet& set, const Slot& slot, int element) {
    return slot.hour == 0 ? MonthViewDayStored(set, slot.day, element)
                          : set.Hourly(slot.day, slot.hour, element);
}

double ElementValue(const HourlyDataSet& set, const Slot& slot, int element) {
    return StoredValue(set, slot, element) / static_cast<double>(ElementDisplayDivisor(element));
}

// n / d (d > 0) rounded half away from zero.
long long RoundedQuotient(long long n, long long d) {
    return n >= 0 ? (2 * n + d) / (2 * d) : -((-2 * n + d) / (2 * d));
}

// An irradiation total, exact from the stored hundredths of MJ/m2 (kWh = MJ / 3.6).
std::string IrradiationTotalText(long long hundredthsMJ) {
    return "合計 " + DecimalText(hundredthsMJ, 2) + " MJ/㎡（" +
           DecimalText(RoundedQuotient(hundredthsMJ * 10, 36), 2) + " kWh/㎡）";
}

// The totals of the horizontal series over the shown slots, by legend index: sums
// for irradiation, sunshine and precipitation, means for temperature and wind, the
// deepest snow with its mean. Every slot counts, also the hours the 10-day graph
// draws no barb for.
std::vector<std::string> HorizontalTotals(const HourlyDataSet& set,
                                          const std::vector<Slot>& slots) {
    const auto sum = [&](int element) {
        long long total = 0;
        for (const Slot& slot : slots) {
            total += StoredValue(set, slot, element);
        }
        return total;
    };
    const auto n = static_cast<long long>(slots.size());
    std::array<int, 17> directions{};
    int deepestCm = 0;
    for (const Slot& slot : slots) {
        const int code = StoredValue(set, slot, kElementWindDirection);
        directions[static_cast<std::size_t>(std::clamp(code, 0, 16))] += 1;
        deepestCm = std::max(deepestCm, StoredValue(set, slot, kElementSnowDepth));
    }
    // The most frequent of the 16 directions (the first of equals); calm only when
    // the wind was calm throughout.
    const auto prevailing = std::max_element(directions.begin() + 1, directions.end());
    const int prevailingCode =
        *prevailing > 0 ? static_cast<int>(prevailing - directions.begin()) : 0;
    std::vector<std::string> texts(kHorizontalMarkerKinds);
    texts[kElementGlobal - 1] = IrradiationTotalText(sum(kElementGlobal));
    texts[kElementDirect - 1] = IrradiationTotalText(sum(kElementDirect));
    texts[kElementDiffuse - 1] = IrradiationTotalText(sum(kElementDiffuse));
    texts[kElementSunshine - 1] = "合計 " + DecimalText(sum(kElementSunshine), 1) + " 時間";
    texts[kElementTemperature - 1] =
        "平均 " + DecimalText(RoundedQuotient(sum(kElementTemperature), n), 1) + " ℃";
    texts[kElementWindDirection - 1] = "平均風速 " +
                                       DecimalText(RoundedQuotient(sum(kElementWindSpeed), n), 1) +
                                       " m/s　最多風向 " + WindDirectionName(prevailingCode);
    texts[kElementPrecipitation - 1] = "合計 " + DecimalText(sum(kElementPrecipitation), 1) + " mm";
    texts[kElementSnowDepth - 1] = "最大 " + std::to_string(deepestCm) + " cm（平均 " +
                                   DecimalText(RoundedQuotient(sum(kElementSnowDepth) * 10, n), 1) +
                                   " cm）";
    return texts;
}

std::string TooltipOf(int element, double value) {
    switch (element) {
    case kElementGlobal:
    case kElementDirect:
    case kElementDiffuse:
        return Format("%.2fMJ/㎡", value);
    case kElementSunshine:
        return Format("%.1f時間", value);
    case kElementTemperature:
        return Format("%.1f℃", value);
    case kElementPrecipitation:
        return Format("%.1fmm", value);
    case kElementSnowDepth:
        return Format("%dcm", static_cast<int>(value));
    default:
        return {};
    }
}

void AddXAxis(HourlyScene& scene, const HourlyGraphInput& in, const std::vector<Slot>& slots) {
    const int s = scene.scale;
    const GraphRect& plot = scene.plot;
    const int y = plot.bottom;
    switch (scene.kind) {
    case HourlyGraphKind::Day:
        for (const Slot& slot : slots) {
            scene.xTicks.push_back({{slot.x, y - 3 * s}, {slot.x, y + 3 * s}});
            scene.xLabels.push_back({{slot.x - 5 * s, y + 6 * s}, std::to_string(slot.hour)});
        }
        scene.xLabels.push_back({{plot.right - 4 * s, y + 6 * s}, "時"});
        break;
    case HourlyGraphKind::Month:
        for (std::size_t j = 0; j < slots.size(); ++j) {
            scene.xTicks.push_back({{slots[j].x, y - 3 * s}, {slots[j].x, y + 3 * s}});
            scene.xLabels.push_back({{slots[j].x - 5 * s, y + 6 * s},
                                     std::to_string(MonthDayOfYear(slots[j].day).day)});
        }
        scene.xLabels.push_back({{plot.right - 4 * s, y + 6 * s}, "日"});
        break;
    case HourlyGraphKind::TenDays:
        for (const Slot& slot : slots) {
            if (slot.hour == 3 || slot.hour == 9 || slot.hour == 15 || slot.hour == 21) {
                scene.xTicks.push_back({{slot.x, y - 2 * s}, {slot.x, y + 2 * s}});
                const int offset = slot.hour < 10 ? 4 * s : 6 * s;
                scene.xLabels.push_back({{slot.x - offset, y + 6 * s}, std::to_string(slot.hour)});
            }
        }
        for (int k = 0; k < 10; ++k) {
            const Slot& first = slots[static_cast<std::size_t>(24 * k)];
            const int x = first.x + ((plot.right - plot.left) / 10) / 2 - 12 * s;
            scene.xLabels.push_back(
                {{x, y + 16 * s}, std::to_string(MonthDayOfYear(first.day).day) + "日"});
        }
        scene.xLabels.push_back({{plot.right - 4 * s, y + 6 * s}, "時"});
        break;
    }
    (void)in;
}

void AddLine(HourlyScene& scene, const std::vector<Slot>& slots, bool slope, int index,
             const std::vector<double>& values, const AxisRecord& axis,
             const std::function<std::string(double)>& tooltip) {
    SeriesLine line;
    line.slope = slope;
    line.index = index;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const GraphPoint p{slots[i].x, axis.ValueToY(values[i], scene.plot.top)};
        line.points.push_back(p);
        scene.tooltips.push_back(PointTooltip(p.x, p.y, tooltip(values[i])));
    }
    scene.lines.push_back(std::move(line));
}

// Bars from a band's baseline: the slot between the previous slot's x and this
// one (month graph: centred on the day).
void AddBars(HourlyScene& scene, const std::vector<Slot>& slots, int element,
             const std::vector<double>& values, const AxisRecord& axis,
             std::vector<SeriesBar>& out) {
    const GraphRect& plot = scene.plot;
    const int base = plot.top + axis.basePx;
    const int half = T((plot.right - plot.left - 2) / (2.0 * slots.size()));
    for (std::size_t i = 0; i < slots.size(); ++i) {
        int left = 0, right = 0;
        if (scene.kind == HourlyGraphKind::Month) {
            left = slots[i].x - half;
            right = slots[i].x + half;
        } else {
            left = i == 0 ? plot.left + 1 : slots[i - 1].x;
            right = slots[i].x;
        }
        int y = axis.ValueToY(values[i], plot.top);
        if (element == kElementPrecipitation && values[i] > 0 && y == base) {
            y = base + 1; // a non-zero amount shows at least one pixel
        }
        const GraphRect rect{left, std::min(y, base), right, std::max(y, base)};
        if (values[i] != 0) {
            out.push_back({element - 1, rect});
        }
        // Zero values get their tooltip as well: the slot's column at the baseline.
        const GraphRect tip = rect.Height() > 0 ? rect : GraphRect{left, base - 1, right, base + 1};
        scene.tooltips.push_back(
            {tip.left, tip.top, tip.right, tip.bottom, TooltipOf(element, values[i])});
    }
}

void AddSnow(HourlyScene& scene, const std::vector<Slot>& slots, const std::vector<double>& values,
             const AxisRecord& axis) {
    const GraphRect& plot = scene.plot;
    const int base = plot.top + axis.basePx;
    const int n = static_cast<int>(slots.size());
    const double w = plot.right - plot.left - 2;
    const int half = scene.kind == HourlyGraphKind::Month ? T(w / (2.0 * n)) : T(w / (2.0 * n + 1));
    scene.snowPolygon.push_back({slots.front().x, base});
    scene.snowTopY = base;
    std::vector<GraphPoint> points;
    for (int i = 0; i < n; ++i) {
        const double drawn = std::min(values[static_cast<std::size_t>(i)], kSnowDrawLimitCm);
        const GraphPoint p{slots[static_cast<std::size_t>(i)].x, axis.ValueToY(drawn, plot.top)};
        points.push_back(p);
        scene.snowPolygon.push_back(p);
        scene.snowTopY = std::min(scene.snowTopY, p.y);
        scene.tooltips.push_back(
            {p.x - half, std::min(p.y, base), p.x + half, base + 1,
             TooltipOf(kElementSnowDepth, values[static_cast<std::size_t>(i)])});
    }
    scene.snowPolygon.push_back({slots.back().x, base});
    for (int i = 0; i + 1 < n; ++i) {
        if (values[static_cast<std::size_t>(i + 1)] <= kSnowDrawLimitCm) {
            scene.snowOutline.push_back(
                {points[static_cast<std::size_t>(i)], points[static_cast<std::size_t>(i + 1)]});
        }
    }
}

void AddHorizontalSeries(HourlyScene& scene, const HourlyGraphInput& in,
                         const std::vector<Slot>& slots, const std::vector<CHanreiObj>& legend) {
    const HourlyDataSet& set = *in.set;
    scene.legendTotals = HorizontalTotals(set, slots);
    const int s = scene.scale;
    auto values = [&](int element) {
        std::vector<double> out;
        for (const Slot& slot : slots) {
            out.push_back(ElementValue(set, slot, element));
        }
        return out;
    };
    if (Visible(legend, kElementWindDirection - 1)) {
        const char* format = scene.kind == HourlyGraphKind::Day ? "%s %.1fm/s" : "%s%.1fm/s";
        // The 10-day graph's day labels stand where its barbs would: the barbs go
        // below them, still clear of the legend box.
        const int barbRow = scene.kind == HourlyGraphKind::TenDays ? 39 : 30;
        for (const Slot& slot : slots) {
            if (scene.kind == HourlyGraphKind::TenDays && slot.hour != 3 && slot.hour != 9 &&
                slot.hour != 15 && slot.hour != 21) {
                continue;
            }
            const int code = static_cast<int>(ElementValue(set, slot, kElementWindDirection));
            const double speed = ElementValue(set, slot, kElementWindSpeed);
            const GraphPoint at{slot.x, scene.plot.bottom + barbRow * s};
            scene.barbs.push_back({at, code, speed});
            const std::string name = WindDirectionName(code);
            scene.tooltips.push_back(PointTooltip(
                at.x, at.y,
                (code == 0 || speed == 0) ? name : Format(format, name.c_str(), speed)));
        }
    }
    if (Visible(legend, kElementSnowDepth - 1)) {
        AddSnow(scene, slots, values(kElementSnowDepth), scene.axes[AxisIndex::Snow]);
    }
    if (Visible(legend, kElementPrecipitation - 1)) {
        AddBars(scene, slots, kElementPrecipitation, values(kElementPrecipitation),
                scene.axes[AxisIndex::Precipitation], scene.precipitationBars);
    }
    if (Visible(legend, kElementSunshine - 1)) {
        AddBars(scene, slots, kElementSunshine, values(kElementSunshine),
                scene.axes[AxisIndex::Sunshine], scene.sunshineBars);
    }
    scene.separator = true;
    scene.separatorY = scene.plot.top + 80 * s;
    for (int element : {kElementTemperature, kElementDiffuse, kElementDirect, kElementGlobal}) {
        if (!Visible(legend, element - 1)) {
            continue;
        }
        // Each irradiance series has an axis record of its own (the same scale).
        const AxisIndex axisIndex = element == kElementTemperature
                                        ? AxisIndex::Temperature
                                        : static_cast<AxisIndex>(element - 1);
        const AxisRecord& axis = scene.axes[axisIndex];
        AddLine(scene, slots, false, element - 1, values(element), axis,
                [element](double v) { return TooltipOf(element, v); });
    }
}

void AddSlopeSeries(HourlyScene& scene, const HourlyGraphInput& in, const std::vector<Slot>& slots,
                    const std::vector<CHanreiObj>& legend) {
    const HourlyDataSet& set = *in.set;
    const std::vector<SlopeSeries> series = SlopeSeriesOf(in);
    std::vector<SlopePlane> planes;
    for (const SlopeSeries& orientation : series) {
        planes.push_back(PrepareSlopePlane(orientation.tiltDeg, orientation.azimuthDeg));
    }
    const int count = static_cast<int>(series.size()) + 1;
    // values[k][slot]; the last series is the horizontal global irradiation.
    std::vector<std::vector<double>> values(static_cast<std::size_t>(count),
                                            std::vector<double>(slots.size(), 0.0));
    std::array<SlopeHour, 24> hours;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const Slot& slot = slots[i];
        if (slot.hour > 0) {
            const SlopeHour hour = PrepareDataSlopeHour(set, in.site, slot.day, slot.hour);
            for (std::size_t k = 0; k < planes.size(); ++k) {
                values[k][i] = EvaluateSlope(hour, planes[k]);
            }
            values.back()[i] = set.Hourly(slot.day, slot.hour, kElementGlobal) / 100.0;
            continue;
        }
        double global = 0.0;
        for (int h = 1; h <= 24; ++h) {
            hours[static_cast<std::size_t>(h - 1)] =
                PrepareDataSlopeHour(set, in.site, slot.day, h);
            global += set.Hourly(slot.day, h, kElementGlobal) / 100.0;
        }
        for (std::size_t k = 0; k < planes.size(); ++k) {
            double total = 0.0;
            for (const SlopeHour& hour : hours) {
                total += EvaluateSlope(hour, planes[k]);
            }
            values[k][i] = total;
        }
        values.back()[i] = global;
    }
    for (const std::vector<double>& series : values) {
        double total = 0.0;
        for (const double value : series) {
            total += value;
        }
        scene.legendTotals.push_back(Format("合計 %.2f MJ/㎡（%.2f kWh/㎡）", total, total / 3.6));
    }
    // The comparison series, exact from the stored hundredths as in the horizontal graph.
    long long globalHundredths = 0;
    for (const Slot& slot : slots) {
        // A slot of the month graph is a day: all of its hours.
        const int first = slot.hour > 0 ? slot.hour : 1;
        const int last = slot.hour > 0 ? slot.hour : 24;
        for (int h = first; h <= last; ++h) {
            globalHundredths += set.Hourly(slot.day, h, kElementGlobal);
        }
    }
    scene.legendTotals.back() = IrradiationTotalText(globalHundredths);
    for (int k = count - 1; k >= 0; --k) {
        if (!Visible(legend, k)) {
            continue;
        }
        const int style = k == count - 1 ? kHorizontalComparison : k;
        AddLine(scene, slots, true, style, values[static_cast<std::size_t>(k)],
                scene.axes[AxisIndex::Slope], [](double v) { return Format("%.2fMJ/㎡", v); });
    }
}

std::string TitleOf(const HourlyGraphInput& in) {
    if (in.dataKind == DataKind::Horizontal) {
        return "水平面グラフ";
    }
    switch (in.angleMode) {
    case HourlyAngleMode::FixedTilt:
        return Format("斜面日射量グラフ 傾斜角%2d度", in.tiltDeg);
    case HourlyAngleMode::FixedAzimuth:
        return Format("斜面日射量グラフ 方位角%3d度", in.azimuthDeg);
    case HourlyAngleMode::Orientation:
        return Format("斜面日射量グラフ 傾斜角%2d度 方位角%3d度", in.tiltDeg, in.azimuthDeg);
    }
    return {};
}

void AddInformation(HourlyScene& scene, const HourlyGraphInput& in) {
    if (!in.site.found) {
        return;
    }
    const int s = scene.scale;
    const int x = scene.graph.right - (scene.kind == HourlyGraphKind::TenDays ? 170 : 138) * s;
    const int y = scene.plot.top - 40 * s;
    std::string date;
    if (scene.kind == HourlyGraphKind::Month) {
        date = Format("日　　時：　%d月", in.month);
    } else if (scene.kind == HourlyGraphKind::TenDays) {
        const HourlyPeriod period{DayOfYear(in.month, in.day), 10};
        const MonthDay first = MonthDayOfYear(period.DayAt(0));
        const MonthDay last = MonthDayOfYear(period.DayAt(9));
        date = Format("日　　時：%d月%d日～%d月%d日", first.month, first.day, last.month, last.day);
    } else {
        date = Format("日　　時：%d月%d日", in.month, in.day);
    }
    static constexpr const char* kVariants[] = {"表示要素：平均年", "表示要素：多照年",
                                                "表示要素：寡照年"};
    scene.info.push_back({{x, y}, "地 点 名：" + in.siteName});
    scene.info.push_back({{x, y + 12 * s}, date});
    scene.info.push_back({{x, y + 24 * s}, kVariants[ToIndex(in.variant)]});
}

} // namespace

HourlyGraphKind GraphKindOfView(HourlyView view) {
    switch (view) {
    case HourlyView::Month:
        return HourlyGraphKind::Month;
    case HourlyView::TenDays:
        return HourlyGraphKind::TenDays;
    default:
        return HourlyGraphKind::Day;
    }
}

std::string WindDirectionName(int code) {
    static constexpr const char* kNames[] = {"静穏", "NNE", "NE", "ENE", "E",  "ESE",
                                             "SE",   "SSE", "S",  "SSW", "SW", "WSW",
                                             "W",    "WNW", "NW", "NNW", "N"};
    return code >= 0 && code <= 16 ? kNames[code] : std::string();
}

std::vector<SlopeSeries> SlopeSeriesOf(const HourlyGraphInput& in) {
    std::vector<SlopeSeries> series;
    switch (in.angleMode) {
    case HourlyAngleMode::FixedTilt:
        for (int azimuth = 0; azimuth <= 360; azimuth += 30) {
            series.push_back({in.tiltDeg, azimuth});
        }
        break;
    case HourlyAngleMode::FixedAzimuth:
        for (int tilt = 10; tilt <= 90; tilt += 10) {
            series.push_back({tilt, in.azimuthDeg});
        }
        break;
    case HourlyAngleMode::Orientation:
        series.push_back({in.tiltDeg, in.azimuthDeg});
        break;
    }
    return series;
}

namespace {

std::vector<CHanreiObj> LegendEntries(const HourlyGraphInput& in) {
    std::vector<CHanreiObj> legend;
    if (in.dataKind == DataKind::Horizontal) {
        static constexpr const char* kLabels[] = {
            "水平面全天日射量", "直達日射量", "散乱日射量", "日照時間", "気温",
            "風向・風速",       "",           "降水量",     "積雪深"};
        for (int i = 0; i < kHorizontalMarkerKinds; ++i) {
            CHanreiObj entry;
            entry.label = kLabels[i];
            entry.marker = HorizontalMarkerKind(i);
            entry.markerArgb = kSeriesRow3[static_cast<std::size_t>(i)];
            entry.sampleArgb = entry.markerArgb;
            entry.hasSample = i != 3 && i != 5 && i != 7 && i != 8 && i != 6;
            legend.push_back(entry);
        }
        return legend;
    }
    for (const SlopeSeries& series : SlopeSeriesOf(in)) {
        CHanreiObj entry;
        switch (in.angleMode) {
        case HourlyAngleMode::FixedTilt:
            entry.label = Format("%d度", series.azimuthDeg);
            break;
        case HourlyAngleMode::FixedAzimuth:
            entry.label = Format("%d度", series.tiltDeg);
            break;
        case HourlyAngleMode::Orientation:
            entry.label = Format("傾斜角%d度 方位角%d度", series.tiltDeg, series.azimuthDeg);
            break;
        }
        legend.push_back(entry);
    }
    CHanreiObj horizontal;
    horizontal.label = "水平面全天日射量";
    legend.push_back(horizontal);
    for (int k = 0; k < static_cast<int>(legend.size()); ++k) {
        CHanreiObj& entry = legend[static_cast<std::size_t>(k)];
        const int style = k + 1 == static_cast<int>(legend.size()) ? kHorizontalComparison : k;
        entry.marker = SlopeMarkerKind(style);
        entry.markerArgb = kPalette[static_cast<std::size_t>(style)];
        entry.sampleArgb = entry.markerArgb;
        entry.hasSample = true;
    }
    return legend;
}

void PlaceHourlyLegend(std::vector<CHanreiObj>& legend, const HourlyGraphInput& in,
                       const GraphRect& graph) {
    const int s = std::max(1, in.scale);
    if (in.dataKind == DataKind::Horizontal) {
        static constexpr int kOrder[] = {0, 1, 2, 4, 3, 7, 8, 5};
        for (int position = 0; position < 8; ++position) {
            const int element = kOrder[position];
            if (element >= static_cast<int>(legend.size())) {
                continue;
            }
            const int x0 = graph.left + 20 * s + (position % 4) * 150 * s;
            const int y0 = graph.bottom - (position < 4 ? 46 : 28) * s;
            LayoutLegendEntry(legend[static_cast<std::size_t>(element)], x0, y0, s);
        }
        return;
    }
    int column = 85, perRow = 7, top = 46;
    if (in.angleMode == HourlyAngleMode::FixedAzimuth) {
        column = 110;
        perRow = 5;
    } else if (in.angleMode == HourlyAngleMode::Orientation) {
        column = 200;
        perRow = static_cast<int>(legend.size());
        top = 38;
    }
    for (int k = 0; k < static_cast<int>(legend.size()); ++k) {
        const int x0 = graph.left + 20 * s + (k % perRow) * column * s;
        const int y0 = graph.bottom - (top - 18 * (k / perRow)) * s;
        LayoutLegendEntry(legend[static_cast<std::size_t>(k)], x0, y0, s);
    }
}

} // namespace

std::vector<CHanreiObj> BuildHourlyLegend(const HourlyGraphInput& in, const GraphRect& graph) {
    std::vector<CHanreiObj> legend = LegendEntries(in);
    PlaceHourlyLegend(legend, in, graph);
    return legend;
}

HourlyScene ComputeHourlyScene(const HourlyGraphInput& in, const GraphRect& graph,
                               const std::vector<CHanreiObj>& legend) {
    HourlyScene scene;
    const int s = std::max(1, in.scale);
    scene.kind = GraphKindOfView(in.view);
    scene.graph = graph;
    scene.scale = s;
    scene.tenDay = scene.kind == HourlyGraphKind::TenDays;
    scene.gradient = !in.print;
    scene.plot = {graph.left + 70 * s, graph.top + 44 * s,
                  in.print ? graph.right - 40 * s : graph.right - 44, graph.bottom - 120 * s};
    scene.loaded = in.loaded && in.set != nullptr;
    scene.title = TitleOf(in);
    AddInformation(scene, in);
    const bool horizontal = in.dataKind == DataKind::Horizontal;
    scene.legendTab =
        horizontal
            ? "水平面データ"
            : (in.angleMode == HourlyAngleMode::FixedTilt
                   ? "方位角"
                   : (in.angleMode == HourlyAngleMode::FixedAzimuth ? "傾斜角" : "傾斜角・方位角"));
    scene.legendTabAt = {graph.left + 22 * s, graph.bottom - 66 * s};
    if (!horizontal) {
        scene.slopeNote = "方位角は真南を０°として、時計回りとする。";
        scene.slopeNoteAt = {graph.right - 8 * s, graph.bottom - 72 * s};
    }
    if (!scene.loaded) {
        return scene;
    }
    const bool month = scene.kind == HourlyGraphKind::Month;
    if (month) {
        SetupDailyAxes(scene.axes, graph, scene.plot, s);
        scene.axes[AxisIndex::Slope] = SlopeDailyAxis(scene.plot, s);
    } else {
        SetupHourlyAxes(scene.axes, graph, scene.plot, s);
        scene.axes[AxisIndex::Slope] = SlopeHourlyAxis(scene.plot, s);
    }
    if (horizontal) {
        if (Visible(legend, kElementSnowDepth - 1)) {
            scene.shownAxes.push_back(AxisIndex::Snow);
        }
        if (Visible(legend, kElementPrecipitation - 1)) {
            scene.shownAxes.push_back(AxisIndex::Precipitation);
        }
        if (Visible(legend, kElementTemperature - 1)) {
            scene.shownAxes.push_back(AxisIndex::Temperature);
        }
        if (Visible(legend, kElementSunshine - 1)) {
            scene.shownAxes.push_back(AxisIndex::Sunshine);
        }
        if (Visible(legend, 0) || Visible(legend, 1) || Visible(legend, 2)) {
            scene.shownAxes.push_back(AxisIndex::Global);
        }
    } else {
        scene.shownAxes.push_back(AxisIndex::Slope);
    }
    const std::vector<Slot> slots = SlotsOf(scene.kind, in, scene.plot);
    AddXAxis(scene, in, slots);
    if (horizontal) {
        AddHorizontalSeries(scene, in, slots, legend);
    } else {
        AddSlopeSeries(scene, in, slots, legend);
    }
    return scene;
}

NavButtons NavButtonsOf(HourlyView view) {
    switch (view) {
    case HourlyView::Month:
        return NavButtons::Months;
    case HourlyView::IrradiationRanking:
    case HourlyView::SunshineRanking:
        return NavButtons::Disabled;
    default:
        return NavButtons::Days;
    }
}

HourlyGraph ComposeHourlyGraph(const HourlyGraphInput& in, const GraphFrame& frame,
                               const LegendHidden& hidden) {
    ClearUpperVectorState();
    HourlyGraph graph;
    GraphLayout& layout = graph.layout;
    layout = MakeGraphLayout(frame.width, frame.height, in.scale);
    layout.dataKind = in.dataKind;
    layout.legend = BuildHourlyLegend(in, layout.graph);
    ApplyHidden(layout.legend, hidden);
    // Paper at a large scale has no buttons; the screen and a plain copy do.
    if (layout.scale < 2) {
        PlaceLegendButtons(layout, frame.windButtonText);
    }
    layout.nav = in.print ? NavButtons::Disabled : NavButtonsOf(in.view);
    PlaceNavButtons(layout);
    graph.scene = ComputeHourlyScene(in, layout.graph, layout.legend);
    layout.tooltips = graph.scene.tooltips;
    AddLegendTips(layout, graph.scene.legendTotals);
    return graph;
}

} // namespace quorvane
