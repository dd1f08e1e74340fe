#pragma once

#include "data/monthly_file.h"
#include "monthly/monthly_table.h"

#include <QBrush>
#include <QFont>
#include <QLineF>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <array>
#include <vector>

class QPaintDevice;
class QPainter;

namespace quorvane {

enum class TableFont { Mark, Cell, Title, Gothic, Bold16, Bold22 };

// Pens, brushes and fonts of the table: on paper the pen is two pixels wide and the
// Mincho and Gothic fonts are 0.8 of their screen size.
struct TableStyles {
    QBrush background;
    QPen line;
    QBrush text;
    QBrush progress;
    std::array<QFont, 6> fonts;

    const QFont& Font(TableFont font) const { return fonts[static_cast<std::size_t>(font)]; }
    static TableStyles Make(bool print);
};

// The progress box over the screen table while sites are printed.
struct TableProgress {
    int printMode = 0; // 1 this site, 2 a batch
    int counter = 0;   // the site being printed, 1-based; 0 when not printing
    int total = 0;
    bool siteFound = false;
    QString siteName;
};

struct MonthlyTableInput {
    const MonthlyRecord* record = nullptr;
    bool siteFound = false;
    QString siteName;
    PixelRect picture;
    int scale = 1;
    int scroll = 0;
    bool print = false;
    // The record could not be read: the page says so instead of showing its zeros.
    bool loadFailed = false;
    TableProgress progress;
};

// One text of the table; `at` is the top of its line box at the left edge, or at
// the centre when `centred`.
struct TableText {
    QString text;
    QPointF at;
    TableFont font = TableFont::Cell;
    bool centred = false;
    bool rightAligned = false;
};

// Everything one render draws, in picture coordinates: what the screen, the paper
// and the tests share.
struct MonthlyTablePage {
    MonthlyTableLayout layout;
    std::vector<QLineF> lines;
    std::vector<TableText> texts;
    QLineF siteUnderline; // null when the site line is omitted
    QRectF progressBox;   // empty when there is none
    std::vector<TableText> progressTexts;
};

// Lays the table out for a device (its resolution sets the text widths).
MonthlyTablePage ComposeMonthlyTable(const MonthlyTableInput& input, const QPaintDevice& device);
void PaintMonthlyTable(QPainter& p, const MonthlyTablePage& page, const TableStyles& styles);
// Compose and paint on the painter's device with the styles of the input's medium.
void RenderMonthlyTable(QPainter& p, const MonthlyTableInput& input);

} // namespace quorvane
