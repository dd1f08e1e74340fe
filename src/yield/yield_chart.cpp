#include "yield/yield_chart.h"

#include "yield/yield_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quorvane {

namespace {

constexpr const char* kVariantLabels[3] = {"平均年", "多照年", "寡照年"};
constexpr int kRowHeight = 18;

std::string Format(const char* format, double value) {
    char text[48];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Degrees(int value) {
    return std::to_string(value) + "度";
}

// The largest monthly energy of every result shown.
double LargestMonth(const YieldComparison& comparison) {
    double largest = 0.0;
    auto take = [&](const std::optional<YieldResult>& result) {
        if (result) {
            largest = std::max(
                largest, *std::max_element(result->monthlyKwh.begin(), result->monthlyKwh.end()));
        }
    };
    for (const auto& variant : comparison.variants) {
        take(variant);
    }
    take(comparison.monthly);
    return largest;
}

std::string MonthTip(int month, const char* method, const YieldResult& result) {
    const auto m = static_cast<std::size_t>(month);
    return std::to_string(month + 1) + "月 " + method + "\n発電量 " +
           Format("%.2f", result.monthlyKwh[m]) + " kWh\n斜面日射量 " +
           Format("%.2f", result.monthlyPoaKwhM2[m]) + " kWh/㎡";
}

class ChartComposer {
public:
    ChartComposer(const YieldComparison& comparison, int width, int height)
        : in_(comparison), width_(width), height_(height) {}

    YieldChart Compose() {
        chart_.frame = {0, 0, width_, height_};
        chart_.plot = {70, 62, width_ - 24, height_ - 156};
        PlaceTitles();
        PlaceAxis();
        PlaceBars();
        PlaceLine();
        PlaceTable();
        return chart_;
    }

private:
    int ValueY(double kwh) const {
        const double share = axis_.top > 0.0 ? kwh / axis_.top : 0.0;
        return chart_.plot.bottom - static_cast<int>(std::lround(share * chart_.plot.Height()));
    }
    double GroupWidth() const { return chart_.plot.Width() / 12.0; }
    int GroupCentre(int month) const {
        return chart_.plot.left + static_cast<int>(std::lround((month + 0.5) * GroupWidth()));
    }

    void PlaceTitles() {
        chart_.title = {{width_ / 2, 8}, "発電量試算　" + in_.siteName, TextAnchor::TopCentre};
        chart_.subtitle = {
            {width_ / 2, 30},
            "傾斜角" + Degrees(in_.tiltDeg) + "　方位角" + Degrees(ShownAzimuth(in_.azimuthDeg)) +
                "（真南を0°、時計回り）　定格出力 " + Format("%g", in_.ratingKw) + " kW",
            TextAnchor::TopCentre};
        chart_.axisTitle = {{12, 44}, "発電量 (kWh/月)", TextAnchor::TopLeft};
    }

    void PlaceAxis() {
        axis_ = NiceAxis(LargestMonth(in_));
        const int steps = static_cast<int>(std::lround(axis_.top / axis_.step));
        for (int i = 0; i <= steps; ++i) {
            const double value = axis_.step * i;
            chart_.ticks.push_back(
                {ValueY(value), Format(axis_.step < 1.0 ? "%.1f" : "%.0f", value)});
        }
        for (int month = 0; month < 12; ++month) {
            chart_.monthLabels.push_back({{GroupCentre(month), chart_.plot.bottom + 4},
                                          std::to_string(month + 1) + "月",
                                          TextAnchor::TopCentre});
        }
    }

    void PlaceBars() {
        const int barWidth = std::max(2, static_cast<int>(GroupWidth() * 0.24));
        for (int month = 0; month < 12; ++month) {
            const int left = GroupCentre(month) - barWidth * 3 / 2;
            for (int v = 0; v < 3; ++v) {
                const auto& result = in_.variants[static_cast<std::size_t>(v)];
                if (!result) {
                    continue;
                }
                const double kwh = result->monthlyKwh[static_cast<std::size_t>(month)];
                const GraphRect bar{left + v * barWidth, ValueY(kwh), left + (v + 1) * barWidth,
                                    chart_.plot.bottom};
                chart_.bars.push_back({bar, kVariantArgb[static_cast<std::size_t>(v)]});
                // A low bar keeps a tooltip area that can be found.
                chart_.tooltips.push_back({bar.left, std::min(bar.top, bar.bottom - 6), bar.right,
                                           bar.bottom,
                                           MonthTip(month, kVariantLabels[v], *result)});
            }
        }
    }

    void PlaceLine() {
        chart_.lineArgb = kMonthlyMethodArgb;
        if (!in_.monthly) {
            return;
        }
        for (int month = 0; month < 12; ++month) {
            const GraphPoint at{GroupCentre(month),
                                ValueY(in_.monthly->monthlyKwh[static_cast<std::size_t>(month)])};
            chart_.line.push_back(at);
            chart_.tooltips.push_back(
                PointTooltip(at.x, at.y, MonthTip(month, "月別計算", *in_.monthly)));
        }
    }

    // The columns' right edges after the name.
    std::array<int, 4> Columns() const {
        return {width_ - 440, width_ - 300, width_ - 150, width_ - 24};
    }

    void PlaceTable() {
        const int top = chart_.plot.bottom + 28;
        const auto columns = Columns();
        chart_.header[0] = {{70, top}, "", TextAnchor::TopLeft};
        const char* headings[4] = {"年間発電量 (kWh)", "発電量原単位 (kWh/kW)",
                                   "斜面日射量 (kWh/㎡)", "PR"};
        for (std::size_t c = 0; c < 4; ++c) {
            chart_.header[c + 1] = {{columns[c], top}, headings[c], TextAnchor::TopRight};
        }
        for (int v = 0; v < 3; ++v) {
            AddRow(top + kRowHeight * (v + 1), std::string("時別計算・") + kVariantLabels[v],
                   in_.variants[static_cast<std::size_t>(v)],
                   kVariantArgb[static_cast<std::size_t>(v)], false);
        }
        AddRow(top + kRowHeight * 4,
               "月別計算（" + Degrees(in_.monthlyPlane.tiltDeg) + "・" +
                   Degrees(ShownAzimuth(in_.monthlyPlane.azimuthDeg)) + "の面）",
               in_.monthly, kMonthlyMethodArgb, true);
        chart_.note = {{12, height_ - 20},
                       "時別計算：HORIX-11の標準年、Faimanのセル温度とPVWattsの出力式　"
                       "月別計算：KALVERA-11の月平均値と設計係数",
                       TextAnchor::TopLeft};
    }

    void AddRow(int y, const std::string& name, const std::optional<YieldResult>& result,
                std::uint32_t argb, bool line) {
        ChartRow row;
        row.argb = argb;
        row.line = line;
        row.cells[0] = {{92, y}, result ? name : name + "（データなし）", TextAnchor::TopLeft};
        const auto columns = Columns();
        const std::array<std::string, 4> figures =
            result ? std::array<std::string, 4>{Format("%.1f", result->annualKwh),
                                                Format("%.1f", result->specificYield),
                                                Format("%.1f", result->poaKwhM2),
                                                Format("%.3f", result->performanceRatio)}
                   : std::array<std::string, 4>{"－", "－", "－", "－"};
        for (std::size_t c = 0; c < 4; ++c) {
            row.cells[c + 1] = {{columns[c], y}, figures[c], TextAnchor::TopRight};
        }
        if (result) {
            chart_.tooltips.push_back(
                {70, y, width_ - 24, y + kRowHeight,
                 name + "\n年間発電量 " + Format("%.2f", result->annualKwh) +
                     " kWh\n発電量原単位 " + Format("%.2f", result->specificYield) +
                     " kWh/kW\n斜面日射量 " + Format("%.2f", result->poaKwhM2) + " kWh/㎡\nPR " +
                     Format("%.4f", result->performanceRatio)});
        }
        chart_.rows.push_back(row);
    }

    const YieldComparison& in_;
    int width_;
    int height_;
    AxisScale axis_;
    YieldChart chart_;
};

} // namespace

const char* YearVariantLabel(int variant) {
    return kVariantLabels[std::clamp(variant, 0, 2)];
}

AxisScale NiceAxis(double maximum) {
    if (!(maximum > 0.0) || !std::isfinite(maximum)) {
        return {1.0, 0.2};
    }
    const double magnitude = std::pow(10.0, std::floor(std::log10(maximum / 5.0)));
    double step = magnitude;
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        step = factor * magnitude;
        if (step * 5.0 >= maximum) {
            break;
        }
    }
    return {step * std::ceil(maximum / step), step};
}

YieldChart ComposeYieldChart(const YieldComparison& comparison, int width, int height) {
    return ChartComposer(comparison, width, height).Compose();
}

} // namespace quorvane
