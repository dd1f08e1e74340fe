#include "monthly/monthly_table_print.h"

#include "ui/print_setup.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

namespace quorvane {

PrinterTablePages::PrinterTablePages(QPrinter& printer) : printer_(printer) {}

PrinterTablePages::~PrinterTablePages() {
    if (painter_ != nullptr && painter_->isActive()) {
        painter_->end();
    }
}

bool PrinterTablePages::Begin() {
    SetUpA4Printer(printer_, QStringLiteral("KALVERA"), PageOrientation::Portrait);
    painter_ = std::make_unique<QPainter>();
    return painter_->begin(&printer_);
}

QPainter& PrinterTablePages::BeginPage() {
    if (pages_++ > 0) {
        printer_.newPage();
    }
    return *painter_;
}

bool PrinterTablePages::End() {
    return painter_ != nullptr && painter_->end();
}

PixelRect PrinterTablePages::Printable() const {
    const QRect page = printer_.pageLayout().fullRectPixels(printer_.resolution());
    return {0, 0, page.width(), page.height()};
}

int TablePrintScale(int printableWidth, int frameWidth) {
    return frameWidth > 0 ? std::max(1, printableWidth / frameWidth) : 1;
}

void PrintSiteTable(TablePages& pages, MonthlyTableInput input, int scale) {
    input.picture = pages.Printable();
    input.scale = scale;
    input.print = true;
    input.progress = {};
    for (const int scroll : {0, kTableSecondPageScroll}) {
        input.scroll = scroll;
        QPainter& p = pages.BeginPage();
        RenderMonthlyTable(p, input);
        pages.EndPage();
    }
}

} // namespace quorvane
