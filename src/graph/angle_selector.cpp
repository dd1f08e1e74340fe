#include "graph/angle_selector.h"

#include "graph/graph_canvas.h"
#include "graph/graph_draw.h"

#include "ui/image.h"

#include <QPainter>
#include <cmath>

namespace quorvane {
namespace {

QColor Argb(unsigned int argb) {
    return QColor::fromRgba(argb);
}

QPen Pen(unsigned int argb, double width) {
    QPen pen(Argb(argb), width);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

PicturePoint Lerp(const PicturePoint& a, const PicturePoint& b, double t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t};
}

// Draws a knob with its face, a light top-left edge, a dark bottom-right edge and
// three grip lines across its long side.
void DrawKnob(QPainter& p, const GraphRect& knob, bool vertical) {
    const QRectF r(knob.left + 1.5, knob.top + 1.5, knob.Width() - 3.0, knob.Height() - 3.0);
    p.fillRect(ToQRectF(knob), Argb(0xffc0c0c0));
    p.setPen(Pen(0xa4808080, 3));
    p.drawLine(r.bottomLeft(), r.topLeft());
    p.drawLine(r.topLeft(), r.topRight());
    p.setPen(Pen(0xa4101010, 3));
    p.drawLine(r.topRight(), r.bottomRight());
    p.drawLine(r.bottomRight(), r.bottomLeft());
    p.setPen(Pen(0xa4606060, 1));
    const QPointF c = r.center();
    for (int i = -1; i <= 1; ++i) {
        if (vertical) {
            p.drawLine(QPointF(r.left() + 2, c.y() + 3 * i), QPointF(r.right() - 2, c.y() + 3 * i));
        } else {
            p.drawLine(QPointF(c.x() + 3 * i, r.top() + 2), QPointF(c.x() + 3 * i, r.bottom() - 2));
        }
    }
}

} // namespace

void CAngleSelector::Release() {
    backBuffer_ = QImage();
    backBufferValid_ = false;
    model_.EndDrag();
}

void CAngleSelector::CreateBackBuffer(double devicePixelRatio) {
    const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    backBuffer_ = QImage(std::max(1, static_cast<int>(rect_.Width() * ratio + 0.5)),
                         std::max(1, static_cast<int>(rect_.Height() * ratio + 0.5)),
                         QImage::Format_ARGB32_Premultiplied);
    backBuffer_.setDevicePixelRatio(ratio);
    backBuffer_.fill(Qt::white);
    backBufferValid_ = true;
}

void CAngleSelector::Redraw(const GraphRect& rect, double devicePixelRatio) {
    const bool resized = rect.Width() != rect_.Width() || rect.Height() != rect_.Height();
    rect_ = rect;
    if (!backBufferValid_ || resized || backBuffer_.devicePixelRatio() != devicePixelRatio) {
        CreateBackBuffer(devicePixelRatio);
    }
    QPainter buffer(&backBuffer_);
    CGraphCanvas::PrepareSurface(buffer);
    Draw(buffer, rect_.Width(), rect_.Height());
}

void CAngleSelector::Render(QPainter& window, const GraphRect& rect) {
    const double windowRatio =
        window.device() != nullptr ? window.device()->devicePixelRatioF() : 1.0;
    Redraw(rect, backBufferValid_ ? backBuffer_.devicePixelRatio() : windowRatio);
    window.drawImage(QPointF(rect_.left, rect_.top), backBuffer_);
}

void CAngleSelector::Present(QPainter& window, const GraphRect& rect) {
    rect_ = rect;
    if (backBufferValid_) {
        window.drawImage(QPointF(rect_.left, rect_.top), backBuffer_);
    }
}

void CAngleSelector::Draw(QPainter& p, int w, int h) const {
    auto project = [w, h](const PicturePoint& point) {
        const ScreenPoint s = ProjectPicturePoint(point, w, h);
        return QPointF(s.x, s.y);
    };
    p.save();
    FillVerticalGradient(p, QRectF(0, 0, w, h), Argb(0xffc0c0c0), Qt::white);

    p.setPen(Pen(0xc0404040, 2));
    p.drawLine(project({-350, 0, 0}), project({350, 0, 0}));
    p.drawLine(project({0, -450, 0}), project({0, 450, 0}));
    QPolygonF circle;
    for (int i = 0; i <= 30; ++i) {
        const double a = i * 12 * 3.141593 / 180.0;
        circle << project({330 * std::cos(a), 330 * std::sin(a), 0});
    }
    p.setPen(Pen(0xde404040, 1));
    p.drawPolyline(circle);

    const QFont labelFont = GothicFont(8, false, 1);
    const QColor labelColour = Argb(0xff404040);
    auto label = [&](const QString& text, const PicturePoint& at) {
        const QPointF q = project(at);
        DrawTextAt(p, text, QPointF(q.x(), q.y()), QBrush(labelColour), labelFont);
    };
    label(QStringLiteral("南"), {-30, -500, 0});
    label(QStringLiteral("東"), {350, 30, 0});
    label(QStringLiteral("西"), {-450, 30, 0});

    const SelectorView& view = model_.View();
    const auto corners = PanelCorners(view.angles.tiltDeg, view.angles.azimuthDeg, view.monthly);

    QPolygonF footprint, panel;
    for (const PicturePoint& c : corners) {
        footprint << project({c.x, c.y, 0});
        panel << project(c);
    }
    p.setPen(Pen(0x40404040, 1));
    p.setBrush(Argb(0x80c0c0c0));
    p.drawPolygon(footprint);
    p.setPen(Pen(0xde404040, 1));
    p.setBrush(Argb(0xc82127bf));
    p.drawPolygon(panel);

    p.setPen(Pen(0x80ffffff, 1));
    for (int i = 0; i < 8; ++i) {
        const double t = i / 8.0;
        p.drawLine(project(Lerp(corners[0], corners[1], t)),
                   project(Lerp(corners[3], corners[2], t)));
    }
    p.drawLine(project(Lerp(corners[1], corners[2], 0.5)),
               project(Lerp(corners[0], corners[3], 0.5)));

    DrawSliders(p);
    p.restore();
}

void CAngleSelector::DrawSliders(QPainter& p) const {
    using namespace angle_slider;
    const QFont font = GothicFont(6, false, 1);
    const QColor textColour = Qt::black;
    p.setBrush(Qt::NoBrush);

    p.setPen(Pen(0xa4202020, 1));
    p.drawRect(QRectF(kTiltTrackLeft + 0.5, kTiltTrackTop + 0.5, kTiltTrackRight - kTiltTrackLeft,
                      kTiltTrackBottom - kTiltTrackTop));
    p.drawRect(QRectF(kAzimuthTrackLeft + 0.5, kAzimuthTrackTop + 0.5,
                      kAzimuthTrackRight - kAzimuthTrackLeft,
                      kAzimuthTrackBottom - kAzimuthTrackTop));

    const QPen tickPen(Qt::black, 1);
    const int tickX = kTiltTrackRight + 4;
    for (int i = 0; i <= 9; ++i) {
        const double y = TiltTickY(i) + 0.5;
        const bool labelled = i % 3 == 0;
        p.setPen(tickPen);
        p.drawLine(QPointF(tickX, y), QPointF(tickX + (labelled ? 4 : 2), y));
        if (labelled) {
            const QString text = QString::asprintf("%2d", i * 10) + QStringLiteral("°");
            const QSizeF size = GraphTextSize(p, text, font);
            DrawTextAt(p, text, QPointF(tickX + 6, y - size.height() / 2), QBrush(textColour),
                       font);
        }
    }

    static const char16_t* const kDirections[] = {u"北", u"西", u"南", u"東", u"北"};
    const int tickTop = kAzimuthKnobBottom + 1;
    for (int i = 0; i <= 8; ++i) {
        const double x = AzimuthTickX(i) + 0.5;
        const bool labelled = i % 2 == 0;
        p.setPen(tickPen);
        p.drawLine(QPointF(x, tickTop), QPointF(x, tickTop + (labelled ? 4 : 2)));
        if (labelled) {
            DrawTextAt(p, QString::fromUtf16(kDirections[i / 2]), QPointF(x, tickTop + 5),
                       QBrush(textColour), font, TextAlign::Center);
        }
    }

    if (model_.TiltMovable()) {
        DrawKnob(p, model_.TiltKnob(), true);
    }
    if (model_.AzimuthMovable()) {
        DrawKnob(p, model_.AzimuthKnob(), false);
    }
}

} // namespace quorvane
