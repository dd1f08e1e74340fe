#include "graph/graph_image.h"

#include "data/atomic_file.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace quorvane {

namespace {

void Prepare(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
}

WriteStatus WriteBytes(const QString& path, const QByteArray& bytes) {
    return WriteAtomically(
        path.toStdString(),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace

QImage RenderGraphImage(int width, int height, double pixelRatio, const GraphPainter& paint) {
    QImage image(static_cast<int>(width * pixelRatio + 0.5),
                 static_cast<int>(height * pixelRatio + 0.5), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    QPainter p(&image);
    Prepare(p);
    paint(p);
    return image;
}

GraphFileKind GraphFileKindOf(const QString& path) {
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        return GraphFileKind::Svg;
    }
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        return GraphFileKind::Pdf;
    }
    return GraphFileKind::Png;
}

WriteStatus SaveGraphPicture(const QString& path, int width, int height,
                             const GraphPainter& paint) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (GraphFileKindOf(path)) {
    case GraphFileKind::Png:
        if (!RenderGraphImage(width, height, 2.0, paint).save(&buffer, "PNG")) {
            return WriteStatus::WriteFailed;
        }
        break;
    case GraphFileKind::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(QSize(width, height));
        svg.setViewBox(QRect(0, 0, width, height));
        svg.setResolution(96);
        QPainter p(&svg);
        Prepare(p);
        paint(p);
        break;
    }
    case GraphFileKind::Pdf: {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(96);
        // A page of the graph's size: at 96 dpi a graph pixel is 0.75 point.
        pdf.setPageSize(QPageSize(QSizeF(width * 0.75, height * 0.75), QPageSize::Point, QString(),
                                  QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter p(&pdf);
        Prepare(p);
        paint(p);
        break;
    }
    }
    buffer.close();
    return WriteBytes(path, bytes);
}

int RunGraphContextMenu(QWidget* parent, const QPoint& screenPosition, int width, int height,
                        const GraphPainter& paint, const QStringList& extraItems) {
    Platform& platform = CurrentPlatform();
    const QStringList items =
        QStringList{QStringLiteral("画像をコピー"), QStringLiteral("画像として保存...")} +
        extraItems;
    const int chosen = platform.PopupMenu(parent, screenPosition, items);
    if (chosen == 0) {
        platform.CopyImage(RenderGraphImage(width, height, 2.0, paint));
        return -1;
    }
    if (chosen != 1) {
        return chosen >= 2 ? chosen - 2 : -1;
    }
    SaveFileRequest file;
    file.title = QStringLiteral("画像として保存");
    file.defaultName = QStringLiteral("graph.png");
    file.filter = QStringLiteral("PNG画像 (*.png);;SVG画像 (*.svg);;PDFファイル (*.pdf)");
    file.defaultSuffix = QStringLiteral("png");
    const std::optional<QString> path = ChooseExportFile(platform, parent, file);
    if (!path) {
        return -1;
    }
    if (const WriteStatus status = SaveGraphPicture(*path, width, height, paint);
        status != WriteStatus::Completed) {
        platform.ShowMessage(parent, ToQString(WriteStatusMessage(status)));
    }
    return -1;
}

} // namespace quorvane
