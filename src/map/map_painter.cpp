#include "map/map_painter.h"

#include "map/mesh_code.h"
#include "map/polygon.h"
#include "ui/image.h"
#include "ui/text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

// Resources of a static library are registered by hand.
static void RegisterMapResources() {
    Q_INIT_RESOURCE(map);
}

namespace quorvane {

namespace {

QColor Argb(unsigned int argb) {
    return QColor::fromRgba(argb);
}

QPen PenOf(unsigned int argb, double width) {
    QPen pen(Argb(argb), width);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

QFont MapFont(double points, bool bold) {
    const int pixels = static_cast<int>(points * 96.0 / 72.0 + 0.5);
    return CreatePixelFont(GothicFace(), bold ? FontStyle::Bold : FontStyle::Regular, pixels);
}

QRectF Box(const PixelRect& r) {
    return QRectF(r.left, r.top, r.Width(), r.Height());
}

QPointF ToPoint(PixelPoint p) {
    return QPointF(p.x, p.y);
}

void DrawOutlinedRect(QPainter& p, const PixelRect& r, const QBrush& fill, const QPen& pen) {
    p.save();
    p.setBrush(fill);
    p.setPen(pen);
    p.drawRect(Box(r).adjusted(0.5, 0.5, -0.5, -0.5));
    p.restore();
}

void DrawFrameTicks(QPainter& p, const SiteSelectionModel& model, GeoShift slide,
                    const MapStyles& styles) {
    const std::vector<FrameTick> ticks =
        ComputeFrameTicks(model.Level(), model.View(), model.Inner(), slide, model.DisplayShift());
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const FrameTick& tick : ticks) {
        p.setPen(tick.major ? styles.black : styles.grey);
        p.drawLine(ToPoint(tick.from), ToPoint(tick.to));
        if (!tick.major || tick.label.empty()) {
            continue;
        }
        const bool longitude = tick.edge == FrameEdge::Top || tick.edge == FrameEdge::Bottom;
        DrawTextAt(p, ToQString(tick.label), ToPoint(tick.labelAnchor), styles.text, styles.font8,
                   longitude ? TextAlign::Center : TextAlign::Near);
    }
    p.restore();
}

// An area's outline clipped to the view, filled and stroked.
void DrawClippedArea(QPainter& p, const SiteSelectionModel& model, int area, const QBrush& fill,
                     const QPen& pen) {
    if (area < kBlockCount || area >= kMapInfoCount) {
        return;
    }
    const CPolygon view = RectanglePolygon(model.View());
    std::vector<CPolygon> pieces;
    for (const CPolygon& polygon : model.Catalogue().outlines[static_cast<std::size_t>(area)]) {
        pieces.clear();
        if (IntersectPolygons(polygon, view, pieces) <= 0) {
            continue;
        }
        for (const CPolygon& piece : pieces) {
            QPolygonF shape;
            for (const CDPoint& point : piece.points) {
                shape << ToPoint(GeoToPixel(point, model.View(), model.Inner()));
            }
            p.save();
            p.setBrush(fill);
            p.setPen(pen);
            p.drawPolygon(shape);
            p.restore();
        }
    }
}

PixelRect ProjectRect(const SiteSelectionModel& model, const CDRect& r) {
    const PixelPoint a =
        GeoToPixel({r.left, std::max(r.top, r.bottom)}, model.View(), model.Inner());
    const PixelPoint b =
        GeoToPixel({r.right, std::min(r.top, r.bottom)}, model.View(), model.Inner());
    return {a.x, a.y, b.x, b.y};
}

PixelRect Clipped(const PixelRect& r, const PixelRect& to) {
    return {std::max(r.left, to.left), std::max(r.top, to.top), std::min(r.right, to.right),
            std::min(r.bottom, to.bottom)};
}

const QImage& MarkerPicture(const SiteSelectionModel& model, const MapPictures& pictures,
                            bool selected) {
    switch (model.Level()) {
    case MapLevel::National:
        return pictures.markers[0];
    case MapLevel::Block:
        return pictures.markers[selected ? 2 : 1];
    default:
        return pictures.markers[selected ? 4 : 3];
    }
}

PixelOffset MarkerOffset(MapLevel level) {
    switch (level) {
    case MapLevel::National:
        return {-2, -5};
    case MapLevel::Block:
        return {-4, -10};
    default:
        return {-6, -18};
    }
}

void DrawMarker(QPainter& p, const SiteSelectionModel& model, const MapPictures& pictures, int site,
                bool selected) {
    const std::optional<PixelPoint> at = model.SitePixel(site);
    if (!at) {
        return;
    }
    const PixelOffset offset = MarkerOffset(model.Level());
    DrawImageNatural(p, MarkerPicture(model, pictures, selected), at->x + offset.dx,
                     at->y + offset.dy);
}

// The site's name in its label box; returns the box grown by 5 pixels.
PixelRect DrawSiteLabel(QPainter& p, const SiteSelectionModel& model, int site, bool selected,
                        const MapStyles& styles) {
    const std::optional<PixelPoint> at = model.SitePixel(site);
    if (!at || !model.SiteVisible(site)) {
        return {};
    }
    const QString name = ToQString(model.Catalogue().sites[static_cast<std::size_t>(site)].name);
    const QSize size = MapTextSize(p, name, styles.font8);
    const LabelBox label = model.SiteLabel(*at, size.width(), size.height());
    DrawOutlinedRect(p, label.box, selected ? styles.labelSelected : styles.labelNormal,
                     styles.black);
    DrawTextAt(p, name, ToPoint(label.text), styles.text, styles.font8);
    return label.box.Inflated(5);
}

void DrawSearchMarker(QPainter& p, const SiteSelectionModel& model, const PixelRect& avoid,
                      const MapStyles& styles) {
    const CDPoint found = model.SearchPoint();
    const PixelPoint at = GeoToPixel(found, model.View(), model.Inner());
    const QString name = ToQString(model.SearchName());
    const QSize size = MapTextSize(p, name, styles.font8);
    const LabelBox callout = model.SearchCallout(at, size.width(), size.height(), avoid);
    const QRectF box = Box(callout.box);
    const double baseLeft = box.center().x() + 2, baseRight = box.center().x() + 7;
    const bool below = box.top() > at.y;
    const double baseY = below ? box.top() : box.bottom();
    QPainterPath path;
    path.addRect(box);
    QPainterPath pointer;
    pointer.moveTo(baseLeft, baseY);
    pointer.lineTo(at.x, at.y);
    pointer.lineTo(baseRight, baseY);
    pointer.closeSubpath();
    p.save();
    p.setPen(styles.black);
    p.setBrush(styles.searchMarker);
    p.drawPath(path.united(pointer));
    QPolygonF diamond({QPointF(at.x, at.y - 3), QPointF(at.x + 3, at.y), QPointF(at.x, at.y + 3),
                       QPointF(at.x - 3, at.y)});
    p.drawPolygon(diamond);
    p.restore();
    DrawTextAt(p, name, ToPoint(callout.text), styles.text, styles.font8);
}

// The eight-sided balloon centred on the inner rectangle.
void DrawBalloon(QPainter& p, const SiteSelectionModel& model, const QString& text,
                 const MapStyles& styles) {
    const QSize size = MapTextSize(p, text, styles.font16Bold);
    const PixelRect inner = model.Inner();
    const int w = size.width() + 12, h = size.height() + 16;
    const int left = (inner.left + inner.right - w) / 2, top = (inner.top + inner.bottom - h) / 2;
    auto outline = [&](int dx) {
        const double l = left + dx, t = top + dx, r = left + w + dx, b = top + h + dx;
        return QPolygonF({QPointF(l + 2, t), QPointF(r - 2, t), QPointF(r, t + 2),
                          QPointF(r, b - 2), QPointF(r - 2, b), QPointF(l + 2, b),
                          QPointF(l, b - 2), QPointF(l, t + 2)});
    };
    p.save();
    p.setPen(styles.balloonShadow);
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(outline(0));
    p.setPen(styles.balloonOutline);
    p.setBrush(styles.balloon);
    p.drawPolygon(outline(-2));
    p.restore();
    DrawTextAt(p, text, QPointF(left - 2 + 6, top - 2 + 8), styles.text, styles.font16Bold);
}

} // namespace

MapStyles MapStyles::Make() {
    MapStyles s;
    s.black = PenOf(0xFF000000, 1);
    s.grey = PenOf(0x80404040, 1);
    s.grid = PenOf(0x1C606060, 1);
    s.balloonOutline = PenOf(0x60808080, 1);
    s.balloonShadow = PenOf(0x60A4A4A4, 6);
    s.selectedMeshOutline = PenOf(0xFFFF7300, 1);
    s.hoveredAreaOutline = PenOf(0x80FFEA0E, 3);
    s.selectedAreaOutline = PenOf(0x80FFC90E, 3);
    s.block = QBrush(Argb(0x2099D9EA));
    s.hover = QBrush(Argb(0x40FFEA0E));
    s.selected = QBrush(Argb(0x80FFC90E));
    s.balloon = QBrush(Argb(0xDEFFE280));
    s.areaLabel = QBrush(Argb(0x80404040));
    s.blockName = QBrush(Argb(0xDE606060));
    s.neighbourHover = QBrush(Argb(0xFF3F48CC));
    s.searchMarker = QBrush(Argb(0xFFFFF200));
    s.labelNormal = QBrush(Argb(0xC0FFF3C4));
    s.labelSelected = QBrush(Argb(0xC0FFAEC9));
    s.text = QBrush(Argb(0xFF000000));
    s.selectedMeshFill = QBrush(Argb(0x80FF7300));
    s.hoveredMeshFill = QBrush(Argb(0x00FFFFFF));
    s.font8 = MapFont(8, false);
    s.font10 = MapFont(10, false);
    s.font10Bold = MapFont(10, true);
    s.font12 = MapFont(12, false);
    s.font14 = MapFont(14, false);
    s.font16Bold = MapFont(16, true);
    s.font20Bold = MapFont(20, true);
    return s;
}

MapPictures MapPictures::LoadMarkersAndArrows() {
    static const bool registered = [] {
        RegisterMapResources();
        return true;
    }();
    (void)registered;
    MapPictures pictures;
    for (int i = 0; i < 5; ++i) {
        pictures.markers[static_cast<std::size_t>(i)] = LoadPngResourceForDisplay(330 + i);
    }
    for (int i = 0; i < 8; ++i) {
        pictures.arrows[static_cast<std::size_t>(i)] = LoadPngResourceForDisplay(340 + i);
    }
    return pictures;
}

QSize MapTextSize(QPainter& p, const QString& text, const QFont& font) {
    const QFontMetricsF metrics(font, p.device());
    return {static_cast<int>(std::ceil(metrics.horizontalAdvance(text))),
            static_cast<int>(std::ceil(metrics.height()))};
}

void PaintMapBase(QPainter& p, const SiteSelectionModel& model, const MapPictures& pictures,
                  const MapStyles& styles) {
    const PixelRect inner = model.Inner();
    p.fillRect(QRect(0, 0, kMapPaneWidthPx, kMapPaneHeightPx), Qt::white);
    if (!pictures.map.isNull()) {
        DrawImageNatural(p, pictures.map, inner.left, inner.top);
    }
    DrawFrameTicks(p, model, {}, styles);
    const MapInfoTable& records = model.Catalogue().records;
    if (model.Level() == MapLevel::Area) {
        const CMapInfo& area = records[static_cast<std::size_t>(model.Record())];
        DrawTextAt(p, ToQString(area.name), ToPoint(GeoToPixel(area.anchor, model.View(), inner)),
                   styles.areaLabel, styles.font20Bold);
        for (const CMapNeighbour& n : area.neighbours) {
            if (n.code > 0 && n.code < kMapInfoCount) {
                DrawTextAt(p, ToQString(records[static_cast<std::size_t>(n.code)].shortName),
                           ToPoint(GeoToPixel(n.labelPosition, model.View(), inner)),
                           styles.areaLabel, styles.font10Bold);
            }
        }
    }
    if (model.Level() == MapLevel::Mesh) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(styles.grid);
        for (const PixelLine& line : ComputeMeshGrid(model.View(), inner)) {
            p.drawLine(ToPoint(line.from), ToPoint(line.to));
        }
        p.restore();
        const int site = model.SelectedSite();
        if (site >= 0) {
            const MeshLayer& meshes = model.Meshes();
            const int number = model.Catalogue().sites[static_cast<std::size_t>(site)].siteNumber;
            for (int e = meshes.GetSiteMeshes(number); e >= 0; e = meshes.entry(e).nextOfSite) {
                const PixelRect r =
                    Clipped(ProjectRect(model, GetMesh3Rect(meshes.entry(e).meshCode)), inner);
                p.fillRect(Box(r), styles.selected);
            }
        }
        if (model.SelectedMesh() > 0) {
            const PixelRect r =
                Clipped(ProjectRect(model, GetMesh3Rect(model.SelectedMesh())), inner);
            DrawOutlinedRect(p, r, styles.selectedMeshFill, styles.selectedMeshOutline);
        }
    }
    for (int site : model.MarkerSites()) {
        DrawMarker(p, model, pictures, site, false);
    }
}

void PaintSlidingBase(QPainter& p, const SiteSelectionModel& model, const QImage& lastBase,
                      const QImage& newPicture, const MapStyles& styles) {
    const PixelRect inner = model.Inner();
    p.fillRect(QRect(0, 0, kMapPaneWidthPx, kMapPaneHeightPx), Qt::white);
    const PixelOffset offset = model.SlidePictureOffset();
    p.save();
    p.setClipRect(Box(inner));
    // Only the old map itself moves, not its frame and labels; the new sheet's
    // picture follows it in from its side, in the old map's scale.
    p.drawImage(QPointF(inner.left + offset.dx, inner.top + offset.dy), lastBase, Box(inner));
    if (!newPicture.isNull()) {
        const CDRect from = GetSheetViewRect(model.SlideFromSheet());
        const CDRect to = model.View();
        const double pxPerLon = inner.Width() / (from.right - from.left);
        const double pxPerLat = inner.Height() / std::fabs(from.top - from.bottom);
        const double dx = (to.left - from.left) * pxPerLon;
        const double dy =
            (std::max(from.top, from.bottom) - std::max(to.top, to.bottom)) * pxPerLat;
        DrawImageNatural(p, newPicture, inner.left + offset.dx + static_cast<int>(std::lround(dx)),
                         inner.top + offset.dy + static_cast<int>(std::lround(dy)));
    }
    p.restore();
    DrawFrameTicks(p, model, model.SlideTickOffset(), styles);
}

void PaintMapOverlay(QPainter& p, const SiteSelectionModel& model, const MapPictures& pictures,
                     const MapStyles& styles) {
    const PixelRect inner = model.Inner();
    const MapInfoTable& records = model.Catalogue().records;
    switch (model.Level()) {
    case MapLevel::National:
        for (int block = 1; block < kBlockCount; ++block) {
            const QBrush& fill =
                block == model.PressedItem().code
                    ? styles.selected
                    : (block == model.HoveredItem().code ? styles.hover : styles.block);
            DrawOutlinedRect(p, model.BlockPixelRect(block), fill, styles.grey);
        }
        if (model.HoveredItem().code > 0) {
            const PixelRect r = model.BlockPixelRect(model.HoveredItem().code);
            DrawTextAt(p,
                       ToQString(records[static_cast<std::size_t>(model.HoveredItem().code)].name),
                       QPointF((r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0),
                       styles.blockName, styles.font20Bold, TextAlign::Center, TextAlign::Center);
        }
        break;
    case MapLevel::Block:
        DrawClippedArea(p, model, model.HoveredItem().code, styles.hover,
                        styles.hoveredAreaOutline);
        DrawClippedArea(p, model, model.SelectedArea(), styles.selected,
                        styles.selectedAreaOutline);
        break;
    case MapLevel::Area:
        if (model.SheetPicking()) {
            if (model.HoveredItem().code > 0) {
                const PixelRect r =
                    Clipped(ProjectRect(model, GetSheetViewRect(model.HoveredItem().code)), inner);
                DrawOutlinedRect(p, r, styles.hover, styles.black);
            } else {
                DrawBalloon(p, model,
                            QStringLiteral("地図上でクリックして、領域を選択してください"), styles);
            }
        } else {
            const CMapInfo& area = records[static_cast<std::size_t>(model.Record())];
            for (int slot = 0; slot < kNeighbourCount; ++slot) {
                const CMapNeighbour& n = area.neighbours[static_cast<std::size_t>(slot)];
                if (n.code > 0 && n.code == model.HoveredItem().code) {
                    DrawTextAt(p, ToQString(records[static_cast<std::size_t>(n.code)].shortName),
                               ToPoint(GeoToPixel(n.labelPosition, model.View(), inner)),
                               styles.neighbourHover, styles.font10Bold);
                }
            }
        }
        break;
    case MapLevel::Mesh:
        if (model.HoveredItem().code > 0) {
            const PixelRect r =
                Clipped(ProjectRect(model, GetMesh3Rect(model.HoveredItem().code)), inner);
            DrawOutlinedRect(p, r, styles.hoveredMeshFill, styles.grey);
        }
        for (int d = 0; d < 4; ++d) {
            const PixelRect r = model.ArrowRect(static_cast<ArrowDirection>(d));
            if (!r.IsEmpty()) {
                const QImage& arrow =
                    pictures
                        .arrows[static_cast<std::size_t>(d + (model.HoveredArrow() == d ? 4 : 0))];
                DrawImageNatural(
                    p, arrow, (r.left + r.right) / 2 - arrow.deviceIndependentSize().width() / 2,
                    (r.top + r.bottom) / 2 - arrow.deviceIndependentSize().height() / 2);
            }
        }
        break;
    }
    PixelRect avoid;
    if (model.Level() != MapLevel::National && !model.SheetPicking()) {
        if (model.HoveredSite() >= 0 && model.HoveredSite() != model.SelectedSite()) {
            DrawSiteLabel(p, model, model.HoveredSite(), false, styles);
        }
        if (model.SelectedSite() >= 0 && model.SiteVisible(model.SelectedSite())) {
            DrawMarker(p, model, pictures, model.SelectedSite(), true);
            avoid = DrawSiteLabel(p, model, model.SelectedSite(), true, styles);
        }
    }
    if (model.Level() == MapLevel::Mesh && model.SearchMarkerShown()) {
        DrawSearchMarker(p, model, avoid, styles);
    }
    if (model.BalloonShown()) {
        DrawBalloon(p, model, ToQString(model.BalloonText()), styles);
    }
    p.save();
    p.setPen(styles.black);
    p.setBrush(Qt::NoBrush);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawRect(QRect(inner.left, inner.top, inner.Width(), inner.Height()));
    p.drawRect(QRect(0, 0, kMapPaneWidthPx - 1, kMapPaneHeightPx - 1));
    p.restore();
}

QImage RenderMapPane(const SiteSelectionModel& model, const MapPictures& pictures,
                     const MapStyles& styles) {
    QImage image(kMapPaneWidthPx, kMapPaneHeightPx, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    PaintMapBase(p, model, pictures, styles);
    PaintMapOverlay(p, model, pictures, styles);
    return image;
}

} // namespace quorvane
