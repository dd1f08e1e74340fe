#include "pictures.h"

#include "map/map_geometry.h"
#include "map/map_pictures.h"
#include "map/mesh_code.h"
#include "data/parallel.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <stdexcept>
#include <vector>

namespace quorvane::datakit {

const MapStyle& CartographicStyle() {
    static const MapStyle style;
    return style;
}

namespace {

bool InsideAny(const Bounds& b, const std::vector<CDRect>& rects) {
    for (const auto& r : rects) {
        if (b.left >= r.left && b.right <= r.right && b.bottom >= r.bottom && b.top <= r.top) {
            return true;
        }
    }
    return false;
}

bool InsideRect(const Bounds& b, const CDRect& r) {
    return b.left >= r.left && b.right <= r.right && b.bottom >= r.bottom && b.top <= r.top;
}

Bounds PointsBounds(const std::vector<CDPoint>& points) {
    Bounds b;
    for (const auto& p : points) {
        b.Add(p);
    }
    return b;
}

} // namespace

void DrawGeography(QPainter& painter, const Geography& geo, const CDRect& view, int width,
                   int height, const std::vector<CDRect>& skip, double offsetX, double offsetY,
                   const CDRect* only, const MapStyle& style) {
    const double sx = width / (view.right - view.left);
    const double sy = height / (view.top - view.bottom);
    auto project = [&](const CDPoint& p) {
        return QPointF((p.x - view.left) * sx + offsetX, (view.top - p.y) * sy + offsetY);
    };
    // Geographic bounds of what can be seen, with a margin for line widths.
    Bounds visible;
    const double marginX = 0.02 * (view.right - view.left),
                 marginY = 0.02 * (view.top - view.bottom);
    visible.Add(CDPoint{view.left - offsetX / sx - marginX, view.bottom + offsetY / sy - marginY});
    visible.Add(CDPoint{view.right - offsetX / sx + marginX, view.top + offsetY / sy + marginY});
    auto wanted = [&](const Bounds& b) {
        if (!b.Overlaps(visible) || InsideAny(b, skip)) {
            return false;
        }
        return only == nullptr || InsideRect(b, *only);
    };

    painter.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath land, otherLand;
    land.setFillRule(Qt::WindingFill);
    otherLand.setFillRule(Qt::WindingFill);
    for (const auto& area : geo.areas) {
        const bool other = (style.focusArea != 0 && area.code != style.focusArea) ||
                           (style.focusBlock != 0 && area.block != style.focusBlock);
        QPainterPath& path = other ? otherLand : land;
        for (const auto& ring : area.rings) {
            if (!wanted(RingBounds(ring))) {
                continue;
            }
            QPolygonF polygon;
            polygon.reserve(static_cast<int>(ring.size()));
            for (const auto& p : ring) {
                polygon << project(p);
            }
            path.addPolygon(polygon);
            path.closeSubpath();
        }
    }
    if (style.fillLand) {
        painter.fillPath(land, style.land);
        painter.fillPath(otherLand, style.otherLand);
    }
    land.addPath(otherLand);
    if (style.seams) {
        // Seams between the parts of a divided prefecture: every area outline, faintly.
        painter.setPen(QPen(style.areaSeam, 0.8, Qt::DotLine));
        painter.drawPath(land);
    }

    // Each line is stroked on its own: Qt strokes (and dashes) one large path far
    // more slowly than many small ones.
    painter.setBrush(Qt::NoBrush);
    for (const bool coastPass : {false, true}) {
        const QColor colour = coastPass ? style.coast : style.boundary;
        if (colour.alpha() == 0) {
            continue;
        }
        painter.setPen(
            coastPass ? QPen(colour, style.coastWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                      : QPen(colour, style.boundaryWidth, Qt::DashLine, Qt::RoundCap));
        for (const auto& line : geo.lines) {
            if (line.coast != coastPass || line.points.size() < 2 ||
                !wanted(PointsBounds(line.points))) {
                continue;
            }
            QPolygonF polyline;
            polyline.reserve(static_cast<int>(line.points.size()));
            for (const auto& point : line.points) {
                polyline << project(point);
            }
            painter.drawPolyline(polyline);
        }
    }
}

std::vector<InsetPlacement> NationalInsets(const Geography& geo, int width, int height) {
    std::vector<InsetPlacement> insets;
    for (int block : {6, 8, 9}) {
        const PixelOffset offset = BlockInsetOffsets(block);
        insets.push_back({block, geo.blocks[static_cast<std::size_t>(block - 1)].rect,
                          offset.dx * static_cast<double>(width) / kMapWidthPx,
                          offset.dy * static_cast<double>(height) / kMapHeightPx});
    }
    return insets;
}

void DrawNationalMap(QPainter& painter, const Geography& geo, int width, int height,
                     const MapStyle& style) {
    if (style.fillLand) {
        painter.fillRect(QRectF(0, 0, width, height), style.sea);
    }
    const std::vector<InsetPlacement> insets = NationalInsets(geo, width, height);
    std::vector<CDRect> skip;
    for (const auto& inset : insets) {
        skip.push_back(inset.rect);
    }
    DrawGeography(painter, geo, geo.national, width, height, skip, 0, 0, nullptr, style);
    const CDRect& n = geo.national;
    for (const auto& inset : insets) {
        const CDRect& r = inset.rect;
        const double dx = inset.dx, dy = inset.dy;
        const QRectF frame(QPointF((r.left - n.left) / (n.right - n.left) * width + dx,
                                   (n.top - r.top) / (n.top - n.bottom) * height + dy),
                           QPointF((r.right - n.left) / (n.right - n.left) * width + dx,
                                   (n.top - r.bottom) / (n.top - n.bottom) * height + dy));
        painter.save();
        painter.setClipRect(frame);
        if (style.fillLand) {
            painter.fillRect(frame, style.sea);
        }
        DrawGeography(painter, geo, n, width, height, {}, dx, dy, &r, style);
        painter.restore();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(style.insetFrame, 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(frame.adjusted(0, 0, -1, -1));
    }
}

namespace {

QImage NewMap() {
    QImage image(kMapWidthPx, kMapHeightPx, QImage::Format_RGB32);
    image.fill(CartographicStyle().sea);
    return image;
}

void SaveJpeg(const QImage& image, const std::string& path) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    if (!image.save(QString::fromStdString(path), "JPG", 88)) {
        throw std::runtime_error("cannot write " + path +
                                 " (is Qt's JPEG image plugin installed?)");
    }
}

QImage RegionMap(const Geography& geo, const CDRect& view, int record) {
    QImage image = NewMap();
    QPainter painter(&image);
    MapStyle style = CartographicStyle();
    (record >= 10 ? style.focusArea : style.focusBlock) = record;
    DrawGeography(painter, geo, view, kMapWidthPx, kMapHeightPx, {}, 0, 0, nullptr, style);
    return image;
}

QImage SheetMap(const Geography& geo, int sheet) {
    const CDRect view = GetSheetViewRect(sheet);
    QImage image = RegionMap(geo, view, 0);
    // The sheet proper within its wider view, as a faint frame.
    const CDRect s = GetSheetRect(sheet);
    QPainter painter(&image);
    painter.setPen(QPen(QColor(0x90, 0x90, 0x90), 1.0, Qt::DashLine));
    const double sx = kMapWidthPx / (view.right - view.left);
    const double sy = kMapHeightPx / (view.top - view.bottom);
    painter.drawRect(QRectF(QPointF((s.left - view.left) * sx, (view.top - s.top) * sy),
                            QPointF((s.right - view.left) * sx, (view.top - s.bottom) * sy)));
    return image;
}

} // namespace

void WriteMapPictures(const Geography& geo, const std::set<int>& sheets, const KitPaths& paths,
                      int threads) {
    const std::string mapFolder = paths.MapFolder().string();
    {
        QImage image = NewMap();
        QPainter painter(&image);
        DrawNationalMap(painter, geo, kMapWidthPx, kMapHeightPx, CartographicStyle());
        painter.end();
        SaveJpeg(image, MapPicturePath(mapFolder, 0));
    }
    struct Job {
        int record; // map record index, or -1 for a sheet
        int sheet;
        CDRect view;
    };
    std::vector<Job> jobs;
    for (const auto& block : geo.blocks) {
        jobs.push_back({block.code, 0, block.rect});
    }
    for (const auto& area : geo.areas) {
        jobs.push_back({area.code, 0, AreaView(area)});
    }
    for (int sheet : sheets) {
        jobs.push_back({-1, sheet, {}});
    }
    ParallelFor(static_cast<int>(jobs.size()), threads, [&](int i) {
        const Job& job = jobs[static_cast<std::size_t>(i)];
        if (job.record >= 0) {
            SaveJpeg(RegionMap(geo, job.view, job.record), MapPicturePath(mapFolder, job.record));
        } else {
            SaveJpeg(SheetMap(geo, job.sheet), SheetPicturePath(mapFolder, job.sheet));
        }
    });
}

} // namespace quorvane::datakit
