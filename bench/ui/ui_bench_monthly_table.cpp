// The monthly data table: a screen repaint while scrolling, one printed page, and a
// batch of sites printed to PDF without the pauses.
#include "monthly/dlg_kalvera_table.h"
#include "monthly/monthly_table_print.h"
#include "ui/site_picker.h"
#include "ui_bench_kit.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <benchmark/benchmark.h>

namespace quorvane {
namespace {

struct NoPicker : SitePicker {
    std::optional<int> PickSite(QWidget*, bool) override { return std::nullopt; }
};

std::unique_ptr<CDlgKalveraTable> OpenTable(Kit& kit, NoPicker& picker) {
    kit.app->Selection().siteNumber = kit.app->SiteAt(kit.site)->siteNumber;
    kit.app->Selection().areaCode = kit.app->SiteAt(kit.site)->areaCode;
    return std::make_unique<CDlgKalveraTable>(*kit.app, picker);
}

void BM_MonthlyTableScrollRepaint(benchmark::State& state) {
    Kit* kit = SharedKitOrSkip(state);
    if (kit == nullptr) {
        return;
    }
    NoPicker picker;
    auto table = OpenTable(*kit, picker);
    QImage frame(table->TableFrame()->size(), QImage::Format_RGB32);
    int position = 0;
    for (auto _ : state) {
        table->SetScrollPosition(position);
        position = (position + 4) % (kTableScrollMax + 1);
        QPainter p(&frame);
        table->PaintFrame(p);
        p.end();
        benchmark::DoNotOptimize(frame.constBits());
    }
}
BENCHMARK(BM_MonthlyTableScrollRepaint)->Unit(benchmark::kMillisecond);

void BM_MonthlyTablePrintedPage(benchmark::State& state) {
    Kit* kit = SharedKitOrSkip(state);
    if (kit == nullptr) {
        return;
    }
    NoPicker picker;
    auto table = OpenTable(*kit, picker);
    QImage page(2480, 3508, QImage::Format_RGB32);
    page.setDotsPerMeterX(11811);
    page.setDotsPerMeterY(11811);
    MonthlyTableInput in = table->ScreenInput();
    in.picture = {0, 0, page.width(), page.height()};
    in.scale = TablePrintScale(page.width(), kTableFrameWidth);
    in.print = true;
    int scroll = 0;
    for (auto _ : state) {
        page.fill(Qt::white);
        in.scroll = scroll;
        scroll = kTableSecondPageScroll - scroll;
        QPainter p(&page);
        RenderMonthlyTable(p, in);
        p.end();
        benchmark::DoNotOptimize(page.constBits());
    }
}
BENCHMARK(BM_MonthlyTablePrintedPage)->Unit(benchmark::kMillisecond);

// Ten sites (twenty pages) into a PDF file, as the batch prints without its pauses.
void BM_MonthlyTableTenSitesToPdf(benchmark::State& state) {
    Kit* kit = SharedKitOrSkip(state);
    if (kit == nullptr) {
        return;
    }
    NoPicker picker;
    auto table = OpenTable(*kit, picker);
    MonthlyTableInput in = table->ScreenInput();
    const std::string pdf = (kit->dir->path() / "bench-table.pdf").string();
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        PrinterTablePages pages(printer);
        if (!pages.Begin()) {
            state.SkipWithError("the PDF could not be started");
            return;
        }
        const int scale = TablePrintScale(pages.Printable().Width(), kTableFrameWidth);
        for (int site = 0; site < 10; ++site) {
            PrintSiteTable(pages, in, scale);
        }
        pages.End();
    }
}
BENCHMARK(BM_MonthlyTableTenSitesToPdf)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace quorvane
