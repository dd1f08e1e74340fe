#include "national/national_layout.h"

#include <cmath>
#include <cstdio>

namespace quorvane {

namespace {

constexpr int kScaleLabels = 5;

std::string Printed(const char* format, double value) {
    char text[48];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

std::string FormatQuantity(NationalQuantity quantity, double value) {
    switch (quantity) {
    case NationalQuantity::Poa:
        return Printed("%.1f kWh/㎡", value);
    case NationalQuantity::Yield:
        return Printed("%.1f kWh/kWp", value);
    case NationalQuantity::Pr:
        return Printed("%.3f", value);
    case NationalQuantity::OptimumTilt:
        return Printed("%.1f度", value);
    case NationalQuantity::Spread:
        return Printed("%.1f %%", value);
    case NationalQuantity::Monthly:
        return Printed("%.2f kWh/㎡・日", value);
    }
    return Printed("%g", value);
}

std::string FormatQuantityNumber(NationalQuantity quantity, double value) {
    switch (quantity) {
    case NationalQuantity::Pr:
        return Printed("%.3f", value);
    case NationalQuantity::Monthly:
        return Printed("%.2f", value);
    default:
        return Printed("%.1f", value);
    }
}

NationalLayout ComposeNationalLayout(const NationalMap& map, int block, const CDRect& view,
                                     const std::string& placeName) {
    NationalLayout layout;
    layout.block = block;
    const PixelRect pane = MapInnerRect().Translated(0, kNationalTitleBand);
    layout.inner = pane;
    const NationalQuantity quantity = map.request.quantity;
    layout.title = {{kMapPaneWidthPx / 2, 8}, map.request.Title(), TextAnchor::TopCentre};
    layout.subtitle = {{kMapPaneWidthPx / 2, 28}, placeName, TextAnchor::TopCentre};
    const MapLevel level = block == 0 ? MapLevel::National : MapLevel::Block;
    layout.markerRadius = block == 0 ? 3 : 5;
    const ValueRange range = RangeOf(map);
    layout.scaleLow = range.low;
    layout.scaleHigh = range.high;
    for (std::size_t i = 0; i < map.sites.size(); ++i) {
        const SiteValue& site = map.sites[i];
        if (!site.value) {
            continue;
        }
        const std::optional<PixelPoint> at = SiteMarkerPixel(
            {site.longitudeDeg, site.latitudeDeg}, site.block, level, view, MapInnerRect());
        if (!at || !MarkerInView(*at, level, MapInnerRect())) {
            continue;
        }
        const PixelPoint placed{at->x, at->y + kNationalTitleBand};
        const double share = (*site.value - range.low) / (range.high - range.low);
        layout.markers.push_back({placed, ScaleColour(share), i});
        const int r = layout.markerRadius + 1;
        layout.tooltips.push_back(
            {placed.x - r, placed.y - r, placed.x + r + 1, placed.y + r + 1,
             site.name + "（" + site.areaName + "）\n" + FormatQuantity(quantity, *site.value)});
    }
    const int left = kMapPaneWidthPx + 24;
    layout.scaleBar = {left, kNationalTitleBand + 70, left + 22, kNationalHeight - 70};
    for (int k = 0; k < kScaleLabels; ++k) {
        const double share = static_cast<double>(k) / (kScaleLabels - 1);
        const int y = layout.scaleBar.bottom -
                      static_cast<int>(std::lround(share * layout.scaleBar.Height()));
        layout.scaleLabels.push_back(
            {y, FormatQuantityNumber(quantity, range.low + share * (range.high - range.low))});
    }
    layout.unit = {{left, kNationalTitleBand + 40},
                   *QuantityUnit(quantity) != 0 ? std::string("単位：") + QuantityUnit(quantity)
                                                : std::string("単位なし"),
                   TextAnchor::TopLeft};
    return layout;
}

std::optional<std::size_t> MarkerAt(const NationalLayout& layout, int x, int y) {
    for (std::size_t k = layout.tooltips.size(); k-- > 0;) {
        if (layout.tooltips[k].Rect().Contains(x, y)) {
            return k;
        }
    }
    return std::nullopt;
}

} // namespace quorvane
