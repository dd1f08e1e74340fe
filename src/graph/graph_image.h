#pragma once

#include "data/write_status.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>

class QPainter;
class QPoint;
class QWidget;

namespace quorvane {

// Draws a graph into (0, 0, width, height) at screen scale.
using GraphPainter = std::function<void(QPainter&)>;

// The graph as a picture of `pixelRatio` device pixels per graph pixel.
QImage RenderGraphImage(int width, int height, double pixelRatio, const GraphPainter& paint);

enum class GraphFileKind { Png, Svg, Pdf };
// By the file's extension (".svg", ".pdf", else PNG).
GraphFileKind GraphFileKindOf(const QString& path);

// Writes the graph to a file: PNG at twice the screen resolution, SVG and PDF as
// vectors. The file is replaced only when completely written.
WriteStatus SaveGraphPicture(const QString& path, int width, int height, const GraphPainter& paint);

// The graph's right-click menu: "画像をコピー" puts the picture at twice the screen
// resolution on the clipboard, "画像として保存..." asks for a PNG, SVG or PDF file;
// the viewer's own entries follow. Returns the index among `extraItems` of the one
// chosen, else -1.
int RunGraphContextMenu(QWidget* parent, const QPoint& screenPosition, int width, int height,
                        const GraphPainter& paint, const QStringList& extraItems = {});

} // namespace quorvane
