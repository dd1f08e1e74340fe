#include "map/map_geometry.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace quorvane {

namespace {

// Rounding of the whole program: add 0.5 and truncate toward zero.
int RoundHalfUp(double value) {
    return static_cast<int>(value + 0.5);
}

constexpr std::array<PixelOffset, kBlockCount> kBlockInsets = {{
    {0, 0},
    {0, 0},
    {0, 0},
    {0, 0},
    {0, 0},
    {0, 0},
    {70, -420},
    {0, 0},
    {98, -140},
    {-113, -166},
}};

struct TickSteps {
    int lonMinorSec;
    int latMinorSec;
    int lonMajorSec;
    int latMajorSec;
};

TickSteps StepsFor(MapLevel level, double viewWidthDeg) {
    switch (level) {
    case MapLevel::National:
        return {3600, 3600, 18000, 18000};
    case MapLevel::Block:
        return {600, 600, 3600, 3600};
    case MapLevel::Area:
        if (viewWidthDeg > 10.0) {
            return {3600, 3600, 18000, 18000};
        }
        if (viewWidthDeg > 3.0) {
            return {600, 600, 3600, 3600};
        }
        if (viewWidthDeg > 2.0) {
            return {300, 300, 1800, 1800};
        }
        if (viewWidthDeg >= 1.0) {
            return {300, 300, 1200, 1200};
        }
        return {300, 300, 600, 600};
    case MapLevel::Mesh:
        return {60, 60, 600, 300};
    }
    return {3600, 3600, 18000, 18000};
}

// Whole arc-seconds, truncated; clamped so that absurd views cannot overflow.
long long ArcSeconds(double degrees) {
    double seconds = degrees * 3600.0;
    if (!(seconds > -1e12)) {
        return -1000000000000LL;
    }
    if (seconds > 1e12) {
        return 1000000000000LL;
    }
    return static_cast<long long>(seconds);
}

// Multiples of `step` strictly above `low` and not above `high`.
template <typename Visit>
void ForEachMultiple(long long low, long long high, int step, Visit visit) {
    // A view spanning more than this many steps is not a map view; stop early.
    constexpr long long kMaxLines = 100000;
    long long count = 0;
    for (long long t = step * (low / step + 1); t <= high && count < kMaxLines;
         t += step, ++count) {
        visit(t);
    }
}

std::string TickLabel(MapLevel level, long long tickSec) {
    long long degrees = tickSec / 3600;
    char text[48];
    if (level == MapLevel::National || level == MapLevel::Block) {
        std::snprintf(text, sizeof text, "%lld°", degrees);
    } else {
        long long minutes = (tickSec - 3600 * degrees) / 60;
        std::snprintf(text, sizeof text, "%lld°%02lld′", degrees, minutes);
    }
    return text;
}

} // namespace

const std::array<GeoShift, kBlockCount> kBlockDisplayShifts = {{
    {0.0, 0.0},
    {0.002450598611809864, -0.003809547115824361},
    {0.002900278355333139, -0.003390657262940111},
    {0.0031508439209030834, -0.003095763636914778},
    {0.0032564892205269444, -0.0026678808559634196},
    {0.0033436000698298333, -0.002429820235781203},
    {0.003917770860678805, -0.0015407072593078752},
    {0.0033228762971421943, -0.0030825669136019165},
    {0.004200201940035278, -0.003137206604938278},
    {0.004722222222222222, -0.0038888888888888888},
}};

PixelRect MapInnerRect(int paneWidthPx, int paneHeightPx) {
    return {kMapInsetXPx, kMapInsetYPx, paneWidthPx - kMapInsetXPx, paneHeightPx - kMapInsetYPx};
}

PixelOffset BlockInsetOffsets(int block) {
    if (block < 0 || block >= kBlockCount) {
        return {};
    }
    return kBlockInsets[static_cast<std::size_t>(block)];
}

GeoShift BlockDisplayShift(int block) {
    if (block < 0 || block >= kBlockCount) {
        return {};
    }
    return kBlockDisplayShifts[static_cast<std::size_t>(block)];
}

PixelPoint GeoToPixel(const CDPoint& point, const CDRect& geo, const PixelRect& inner) {
    double width = geo.right - geo.left;
    double height = std::fabs(geo.bottom - geo.top);
    return {inner.left + RoundHalfUp((point.x - geo.left) / width * inner.Width()),
            inner.bottom - RoundHalfUp((point.y - geo.bottom) / height * inner.Height())};
}

std::optional<PixelPoint> SiteMarkerPixel(const CDPoint& site, int block, MapLevel level,
                                          const CDRect& view, const PixelRect& inner) {
    PixelPoint p = GeoToPixel(site, view, inner);
    if (level == MapLevel::National) {
        if (block < 1 || block >= kBlockCount) {
            return std::nullopt;
        }
        const PixelOffset inset = BlockInsetOffsets(block);
        p = {p.x + inset.dx, p.y + inset.dy};
    }
    return p;
}

bool MarkerInView(PixelPoint p, MapLevel level, const PixelRect& inner) {
    const int topMargin = level == MapLevel::National ? 0 : (level == MapLevel::Block ? 10 : 15);
    const PixelRect visible{inner.left + 4, inner.top + topMargin, inner.right - 4,
                            inner.bottom - 2};
    return visible.Contains(p.x, p.y);
}

CDPoint PixelToGeo(int x, int y, const CDRect& geo, const PixelRect& inner) {
    return {geo.left + static_cast<double>(x - inner.left) / inner.Width() * (geo.right - geo.left),
            geo.bottom + std::fabs(geo.bottom - geo.top) * (inner.bottom - y) / inner.Height()};
}

GeoShift GetDisplayShift(MapLevel level, int currentRecord, int parentBlock, const CDRect& view,
                         std::span<const CDRect> blockBounds) {
    switch (level) {
    case MapLevel::National:
        return BlockDisplayShift(0);
    case MapLevel::Block:
        return BlockDisplayShift(currentRecord >= 0 && currentRecord < kBlockCount ? currentRecord
                                                                                   : 0);
    case MapLevel::Area:
        return BlockDisplayShift(parentBlock >= 0 && parentBlock < kBlockCount ? parentBlock : 0);
    case MapLevel::Mesh: {
        double centreLon = (view.left + view.right) * 0.5;
        double centreLat = (view.top + view.bottom) * 0.5;
        for (std::size_t block = 1; block < kBlockCount && block < blockBounds.size(); ++block) {
            if (blockBounds[block].Contains(centreLon, centreLat)) {
                return BlockDisplayShift(static_cast<int>(block));
            }
        }
        return BlockDisplayShift(0);
    }
    }
    return {};
}

std::string FormatDMS(double degrees) {
    if (!std::isfinite(degrees) || std::fabs(degrees) > 1e6) {
        return {};
    }
    // Counting whole seconds at once keeps 35°00′30″ from showing as 35°00′29″ when
    // the double lies a hair below the exact value.
    long long total = static_cast<long long>(std::fabs(degrees) * 3600.0 + 1e-7);
    long long d = total / 3600;
    long long m = total / 60 % 60;
    long long s = total % 60;
    char text[64];
    std::snprintf(text, sizeof text, "%s%lld° %02lld′ %02lld″", degrees < 0 && total > 0 ? "-" : "",
                  d, m, s);
    return text;
}

std::vector<FrameTick> ComputeFrameTicks(MapLevel level, const CDRect& view, const PixelRect& inner,
                                         GeoShift slideOffset, GeoShift displayShift) {
    double lonShift = slideOffset.lonDeg + displayShift.lonDeg;
    double latShift = slideOffset.latDeg + displayShift.latDeg;
    CDRect geo{view.left + lonShift, view.top + latShift, view.right + lonShift,
               view.bottom + latShift};
    TickSteps steps = StepsFor(level, geo.right - geo.left);
    bool wideLabels = level == MapLevel::Area || level == MapLevel::Mesh;
    int latLabelLeftPx = wideLabels ? 38 : 16;

    std::vector<FrameTick> ticks;
    ForEachMultiple(ArcSeconds(geo.left), ArcSeconds(geo.right), steps.lonMinorSec,
                    [&](long long t) {
                        bool major = t % steps.lonMajorSec == 0;
                        int length = major ? kMajorTickLengthPx : kMinorTickLengthPx;
                        int x = GeoToPixel({t / 3600.0, geo.bottom}, geo, inner).x;
                        std::string label = major ? TickLabel(level, t) : std::string();
                        ticks.push_back({FrameEdge::Top,
                                         x,
                                         major,
                                         {x, inner.top},
                                         {x, inner.top - length},
                                         label,
                                         {x + 6, inner.top - 16}});
                        ticks.push_back({FrameEdge::Bottom,
                                         x,
                                         major,
                                         {x, inner.bottom},
                                         {x, inner.bottom + length},
                                         std::move(label),
                                         {x + 6, inner.bottom + 7}});
                    });
    ForEachMultiple(ArcSeconds(std::min(geo.top, geo.bottom)),
                    ArcSeconds(std::max(geo.top, geo.bottom)), steps.latMinorSec, [&](long long t) {
                        bool major = t % steps.latMajorSec == 0;
                        int length = major ? kMajorTickLengthPx : kMinorTickLengthPx;
                        int y = GeoToPixel({geo.left, t / 3600.0}, geo, inner).y;
                        std::string label = major ? TickLabel(level, t) : std::string();
                        ticks.push_back({FrameEdge::Left,
                                         y,
                                         major,
                                         {inner.left, y},
                                         {inner.left - length, y},
                                         label,
                                         {inner.left - latLabelLeftPx, y - 4}});
                        ticks.push_back({FrameEdge::Right,
                                         y,
                                         major,
                                         {inner.right, y},
                                         {inner.right + length, y},
                                         std::move(label),
                                         {inner.right + 5, y - 4}});
                    });
    return ticks;
}

std::vector<PixelLine> ComputeMeshGrid(const CDRect& view, const PixelRect& inner) {
    constexpr int kLonStepSec = 45;
    constexpr int kLatStepSec = 30;
    std::vector<PixelLine> lines;
    ForEachMultiple(ArcSeconds(view.left), ArcSeconds(view.right), kLonStepSec, [&](long long t) {
        int x = GeoToPixel({t / 3600.0, view.bottom}, view, inner).x;
        lines.push_back({{x, inner.top}, {x, inner.bottom}});
    });
    ForEachMultiple(ArcSeconds(std::min(view.top, view.bottom)),
                    ArcSeconds(std::max(view.top, view.bottom)), kLatStepSec, [&](long long t) {
                        int y = GeoToPixel({view.left, t / 3600.0}, view, inner).y;
                        lines.push_back({{inner.left, y}, {inner.right, y}});
                    });
    return lines;
}

} // namespace quorvane
