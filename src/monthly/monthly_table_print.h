#pragma once

#include "data/pixel_types.h"
#include "monthly/monthly_table_painter.h"

#include <memory>

class QPainter;
class QPrinter;

namespace quorvane {

// The pages a table is printed on: each page is begun before it is drawn and
// finished after.
class TablePages {
public:
    virtual ~TablePages() = default;
    // Starts the document; false when the device cannot print.
    virtual bool Begin() = 0;
    virtual QPainter& BeginPage() = 0;
    virtual void EndPage() = 0;
    // Ends the document; false when it could not be completed.
    virtual bool End() = 0;
    // The printable area in device pixels.
    virtual PixelRect Printable() const = 0;
};

// A printer set to portrait A4 pages at 300 dpi, document "KALVERA".
class PrinterTablePages final : public TablePages {
public:
    explicit PrinterTablePages(QPrinter& printer);
    ~PrinterTablePages() override;
    bool Begin() override;
    QPainter& BeginPage() override;
    void EndPage() override {}
    bool End() override;
    PixelRect Printable() const override;

private:
    QPrinter& printer_;
    std::unique_ptr<QPainter> painter_;
    int pages_ = 0;
};

// The width of the table frame on screen, which sets the print scale.
inline constexpr int kTableFrameWidth = 1000;

// The print scale: how many times the screen frame's width fits the printable width.
int TablePrintScale(int printableWidth, int frameWidth);

// One site's two pages (scroll positions 0 and 63) at the print scale; the input's
// record and site, the rest set here.
void PrintSiteTable(TablePages& pages, MonthlyTableInput input, int scale);

} // namespace quorvane
