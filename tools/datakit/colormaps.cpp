#include "colormaps.h"

#include "data/parallel.h"
#include "pictures.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace quorvane::datakit {
namespace {

constexpr int kMapW = 2 * kMapWidthPx;
constexpr int kMapH = 2 * kMapHeightPx;
constexpr int kHeaderH = 64;
constexpr int kLegendW = 190;
constexpr int kNeighbours = 8;

const char* const kKinds[3] = {"全天日射量", "散乱日射量", "最適傾斜角日射量"};
const char* const kPeriods[13] = {"年平均", "1月", "2月", "3月",  "4月",  "5月", "6月",
                                  "7月",    "8月", "9月", "10月", "11月", "12月"};

struct LandPixel {
    int x = 0;
    int y = 0;
    std::array<int, kNeighbours> site{};
    std::array<float, kNeighbours> weight{};
};

// Inverse-distance weights of the nearest sites for every land pixel of the map.
std::vector<LandPixel> LandPixels(const Geography& geo, const std::vector<Site>& sites) {
    // Regions: 0 sea, 1 the main map, 2.. the insets; painted without smoothing.
    QImage regions(kMapW, kMapH, QImage::Format_RGB32);
    regions.fill(Qt::black);
    {
        QPainter painter(&regions);
        MapStyle style;
        style.sea = Qt::black;
        style.land = QColor(1, 0, 0);
        style.seams = false;
        style.coast = style.boundary = style.insetFrame = Qt::transparent;
        DrawNationalMap(painter, geo, kMapW, kMapH, style);
    }
    const std::vector<InsetPlacement> insets = NationalInsets(geo, kMapW, kMapH);
    const CDRect& n = geo.national;
    std::vector<LandPixel> pixels;
    std::vector<std::pair<double, int>> distances(sites.size());
    for (int y = 0; y < kMapH; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(regions.constScanLine(y));
        for (int x = 0; x < kMapW; ++x) {
            if (qRed(row[x]) == 0) {
                continue;
            }
            // A pixel inside an inset frame belongs to the inset's islands.
            double dx = 0.0, dy = 0.0;
            for (const auto& inset : insets) {
                const double left =
                    (inset.rect.left - n.left) / (n.right - n.left) * kMapW + inset.dx;
                const double right =
                    (inset.rect.right - n.left) / (n.right - n.left) * kMapW + inset.dx;
                const double top = (n.top - inset.rect.top) / (n.top - n.bottom) * kMapH + inset.dy;
                const double bottom =
                    (n.top - inset.rect.bottom) / (n.top - n.bottom) * kMapH + inset.dy;
                if (x >= left && x < right && y >= top && y < bottom) {
                    dx = inset.dx;
                    dy = inset.dy;
                }
            }
            const double lon = n.left + (x + 0.5 - dx) / kMapW * (n.right - n.left);
            const double lat = n.top - (y + 0.5 - dy) / kMapH * (n.top - n.bottom);
            for (std::size_t i = 0; i < sites.size(); ++i) {
                distances[i] = {DistanceKm(lon, lat, sites[i].lonDeg, sites[i].latDeg),
                                static_cast<int>(i)};
            }
            const std::size_t k = std::min<std::size_t>(kNeighbours, sites.size());
            std::partial_sort(distances.begin(), distances.begin() + static_cast<long>(k),
                              distances.end());
            LandPixel p;
            p.x = x;
            p.y = y;
            double total = 0.0;
            for (std::size_t j = 0; j < k; ++j) {
                const double w = 1.0 / std::pow(distances[j].first + 2.0, 2.0);
                p.site[j] = distances[j].second;
                p.weight[j] = static_cast<float>(w);
                total += w;
            }
            for (std::size_t j = 0; j < k; ++j) {
                p.weight[j] = static_cast<float>(p.weight[j] / total);
            }
            pixels.push_back(p);
        }
    }
    return pixels;
}

QColor Palette(double t) {
    struct Stop {
        double at;
        int r, g, b;
    };
    static constexpr Stop kStops[] = {{0.0, 0x2C, 0x4F, 0x9E},
                                      {0.25, 0x3A, 0xA0, 0xC8},
                                      {0.5, 0x7C, 0xCF, 0x8A},
                                      {0.75, 0xF2, 0xD5, 0x5B},
                                      {1.0, 0xE0, 0x60, 0x3A}};
    t = std::clamp(t, 0.0, 1.0);
    for (std::size_t i = 0; i + 1 < std::size(kStops); ++i) {
        if (t <= kStops[i + 1].at) {
            const double u = (t - kStops[i].at) / (kStops[i + 1].at - kStops[i].at);
            auto mix = [u](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * u)); };
            return QColor(mix(kStops[i].r, kStops[i + 1].r), mix(kStops[i].g, kStops[i + 1].g),
                          mix(kStops[i].b, kStops[i + 1].b));
        }
    }
    return QColor(kStops[4].r, kStops[4].g, kStops[4].b);
}

struct Scale {
    double low = 0.0;
    double step = 0.25;
    int classes = 1;
    int Class(double v) const {
        return std::clamp(static_cast<int>(std::floor((v - low) / step)), 0, classes - 1);
    }
    QColor Colour(int c) const { return Palette(classes > 1 ? c / (classes - 1.0) : 0.5); }
};

Scale ScaleFor(const std::vector<double>& values) {
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    const double range = *hi - *lo;
    Scale s;
    s.step = range > 3.0 ? 0.5 : (range > 1.2 ? 0.25 : 0.1);
    s.low = std::floor(*lo / s.step) * s.step;
    s.classes = std::max(2, static_cast<int>(std::ceil((*hi - s.low) / s.step - 1e-9)));
    return s;
}

QString Q(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace

void WriteColourMaps(const Geography& geo, const std::vector<Site>& sites,
                     const std::vector<MonthlySummary>& summaries, const KitPaths& paths,
                     int threads) {
    const std::vector<LandPixel> land = LandPixels(geo, sites);
    const QFont titleFont(QStringLiteral("IPAGothic"), 20, QFont::Bold);
    const QFont textFont(QStringLiteral("IPAGothic"), 12);
    const QFont smallFont(QStringLiteral("IPAGothic"), 11);
    MapStyle lines = CartographicStyle();
    lines.fillLand = false;
    lines.seams = false;
    lines.coast = QColor(0x30, 0x40, 0x50);
    lines.boundary = QColor(0x50, 0x50, 0x50, 0x90);
    lines.coastWidth = 1.2;

    ParallelFor(3 * 13, threads, [&](int job) {
        const int kind = job / 13, period = job % 13;
        {
            std::vector<double> values;
            for (const auto& s : summaries) {
                const auto& series = kind == 0 ? s.global : (kind == 1 ? s.diffuse : s.optimum);
                values.push_back(series[static_cast<std::size_t>(period)]);
            }
            const Scale scale = ScaleFor(values);
            QImage image(kMapW + kLegendW, kMapH + kHeaderH, QImage::Format_RGB32);
            image.fill(Qt::white);
            const QRgb sea = CartographicStyle().sea.rgb();
            for (int y = 0; y < kMapH; ++y) {
                QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y + kHeaderH));
                std::fill(row, row + kMapW, sea);
            }
            std::vector<QRgb> classColours;
            for (int c = 0; c < scale.classes; ++c) {
                classColours.push_back(scale.Colour(c).rgb());
            }
            const int neighbours = std::min<int>(kNeighbours, static_cast<int>(sites.size()));
            for (const auto& p : land) {
                double v = 0.0;
                for (int j = 0; j < neighbours; ++j) {
                    const auto k = static_cast<std::size_t>(j);
                    v += p.weight[k] * values[static_cast<std::size_t>(p.site[k])];
                }
                reinterpret_cast<QRgb*>(image.scanLine(p.y + kHeaderH))[p.x] =
                    classColours[static_cast<std::size_t>(scale.Class(v))];
            }
            QPainter painter(&image);
            painter.translate(0, kHeaderH);
            DrawNationalMap(painter, geo, kMapW, kMapH, lines);
            painter.resetTransform();
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
            painter.drawRect(QRect(0, kHeaderH, kMapW - 1, kMapH - 1));

            painter.setRenderHint(QPainter::TextAntialiasing, true);
            painter.setPen(Qt::black);
            painter.setFont(titleFont);
            painter.drawText(QRect(16, 0, kMapW, kHeaderH), Qt::AlignVCenter | Qt::AlignLeft,
                             Q(Format("%s %s", kKinds[kind], kPeriods[period])));
            painter.setFont(textFont);
            const char* note = kind == 2 ? "月平均日積算量（真南向き、月ごとの最適傾斜角）"
                                         : "月平均日積算量（水平面）";
            painter.drawText(QRect(0, 0, kMapW + kLegendW - 16, kHeaderH),
                             Qt::AlignVCenter | Qt::AlignRight,
                             Q(std::string(note) + (period == 0 ? "の年平均" : "")));

            // The colour scale, highest class on top.
            const int barX = kMapW + 24, barTop = kHeaderH + 60, barW = 28;
            const int classH = std::min(36, (kMapH - 140) / scale.classes);
            painter.setFont(textFont);
            painter.drawText(QRect(kMapW + 12, kHeaderH + 10, kLegendW - 12, 40),
                             Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("kWh/m²/日"));
            painter.setFont(smallFont);
            for (int c = 0; c < scale.classes; ++c) {
                const int y = barTop + (scale.classes - 1 - c) * classH;
                painter.fillRect(QRect(barX, y, barW, classH), scale.Colour(c));
                painter.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
                painter.drawRect(QRect(barX, y, barW, classH));
                painter.setPen(Qt::black);
                painter.drawText(QRect(barX + barW + 8, y + classH - 10, 120, 20),
                                 Qt::AlignLeft | Qt::AlignVCenter,
                                 Q(Format("%.2f", scale.low + c * scale.step)));
            }
            painter.drawText(QRect(barX + barW + 8, barTop - 10, 120, 20),
                             Qt::AlignLeft | Qt::AlignVCenter,
                             Q(Format("%.2f", scale.low + scale.classes * scale.step)));
            painter.drawText(QRect(kMapW + 12, kHeaderH + kMapH - 60, kLegendW - 16, 50),
                             Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap,
                             QStringLiteral("サンプルデータ\n（%1地点）").arg(sites.size()));
            painter.end();
            const auto path = paths.MapFolder() / "ColorMap" /
                              (std::string(kKinds[kind]) + kPeriods[period] + ".png");
            std::filesystem::create_directories(path.parent_path());
            if (!image.save(QString::fromStdString(path.string()), "PNG")) {
                throw std::runtime_error("cannot write " + path.string());
            }
        }
    });
}

} // namespace quorvane::datakit
