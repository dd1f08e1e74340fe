#pragma once

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

class QPaintDevice;

class QPainter;

namespace quorvane {

// Stateless drawing helpers shared by every dialog. Loaders return a null
// image on any failure and report nothing; the caller decides.

// A JPEG (or any picture Qt decodes) from a file.
QImage LoadPictureFile(const QString& path);
QImage LoadPngFile(const QString& path);
// The numbered PNG picture ":/png/<id>".
QImage LoadPngResource(int id);
// The numbered button or mask bitmap ":/bmp/<id>". At a device pixel ratio of
// 1.5 or more the double-resolution variant is taken when there is one, with
// its device pixel ratio set so it draws at the same logical size.
QImage LoadBitmapResource(int id);
// A state picture of a button bitmap, ":/bmp/<id>-<suffix>" ("pressed",
// "focused", "disabled"), chosen by resolution like LoadBitmapResource.
QImage LoadBitmapVariant(int id, const QString& suffix);
// A numbered PNG picture for the screen: the double-resolution variant on a
// high-density display. Lay it out by deviceIndependentSize().
QImage LoadPngResourceForDisplay(int id);

void DrawImageNatural(QPainter& painter, const QImage& image, int x, int y);
void DrawImageScaled(QPainter& painter, const QImage& image, double x, double y, double factor);
void DrawImageRect(QPainter& painter, const QImage& image, const QRectF& source,
                   const QRectF& destination);

// A copy with every pure white pixel made fully transparent.
QImage WhiteToTransparent(const QImage& image);
// Draws with pure white transparent, top-left at (x, y); returns the rectangle drawn.
QRect DrawMaskedBitmap(QPainter& painter, const QImage& image, int x, int y);
QRect DrawMaskedBitmap(QPainter& painter, int bitmapId, int x, int y);
// The same, centred on (centreX, centreY).
QRect DrawMaskedBitmapCentered(QPainter& painter, const QImage& image, int centreX, int centreY);
QRect DrawMaskedBitmapCentered(QPainter& painter, int bitmapId, int centreX, int centreY);

enum class FontStyle { Regular, Bold };
// A font of `family` at `points` points; the Windows Japanese faces resolve to
// the IPA fonts (see InstallFontSubstitutions).
QFont CreatePointFont(const QString& family, FontStyle style, double points);
// The same at a height in pixels, as the dialogs' shared 12-pixel font.
QFont CreatePixelFont(const QString& family, FontStyle style, int pixels);

// The face names the program uses everywhere.
QString GothicFace();             // "ＭＳ ゴシック"
QString ProportionalGothicFace(); // "ＭＳ Ｐゴシック"
QString MinchoFace();             // "ＭＳ 明朝"

// Maps the Windows faces to the IPA fonts with the same metrics. Idempotent;
// the font helpers call it themselves.
void InstallFontSubstitutions();

enum class TextAlign { Near, Center, Far };
// Draws `text` with its layout box anchored at `at`: horizontally the box
// starts at, is centred on or ends at x; vertically it starts at, is centred
// on or ends at y (Near puts the top of the line at y).
// The box a text drawn by DrawTextAt occupies on `device` (the screen without one).
QRectF TextRectAt(const QString& text, QPointF at, const QFont& font, const QPaintDevice* device,
                  TextAlign horizontal = TextAlign::Near, TextAlign vertical = TextAlign::Near);
void DrawTextAt(QPainter& painter, const QString& text, QPointF at, const QBrush& brush,
                const QFont& font, TextAlign horizontal = TextAlign::Near,
                TextAlign vertical = TextAlign::Near);

} // namespace quorvane
