#include "ui/print_setup.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

namespace quorvane {

void SetUpA4Printer(QPrinter& printer, const QString& documentName, PageOrientation orientation) {
    printer.setDocName(documentName);
    printer.setResolution(300);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                         : QPageLayout::Portrait);
    printer.setFullPage(true);
}

} // namespace quorvane
