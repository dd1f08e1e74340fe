#include "monthly/monthly_table_painter.h"

#include "monthly/monthly_lookup.h"
#include "ui/image.h"
#include "ui/text.h"

#include <QFontMetricsF>
#include <QPainter>

namespace quorvane {

namespace {

QString Q(std::string_view utf8) {
    return ToQString(utf8);
}

// Lays out texts and lines, measuring with the target device's metrics.
class Composer {
public:
    Composer(const MonthlyTableInput& in, const QPaintDevice& device)
        : in_(in), device_(device), styles_(TableStyles::Make(in.print)), s_(in.scale) {
        page_.layout = ComputeMonthlyTableLayout(in.picture, in.scale, in.print);
    }

    MonthlyTablePage Compose() {
        const MonthlyRecord& record = in_.record != nullptr ? *in_.record : EmptyRecord();
        Titles(record);
        if (in_.loadFailed) {
            LoadFailure();
        } else {
            Header();
            HorizontalSection(record);
            SlopeRows(record);
            const bool firstPrintedPage = in_.print && in_.scroll == 0;
            if (const std::optional<int> above =
                    DerivedRowsAfter(in_.scroll, page_.layout.rowsPerPage, firstPrintedPage)) {
                const int bottom = DerivedRows(record, *above);
                Footnotes(bottom);
            }
        }
        if (in_.print) {
            PageLabel();
        } else if (in_.progress.counter > 0) {
            ProgressBox();
        }
        return std::move(page_);
    }

private:
    static const MonthlyRecord& EmptyRecord() {
        static const MonthlyRecord kEmpty{};
        return kEmpty;
    }

    double Height(TableFont font) const {
        return QFontMetricsF(styles_.Font(font), &device_).height();
    }
    double Width(const QString& text, TableFont font) const {
        return QFontMetricsF(styles_.Font(font), &device_).horizontalAdvance(text);
    }
    void Text(QString text, double x, double top, TableFont font = TableFont::Cell,
              bool centred = false) {
        page_.texts.push_back({std::move(text), QPointF(x, top), font, centred, false});
    }
    void Line(double x0, double y0, double x1, double y1) {
        page_.lines.emplace_back(x0, y0, x1, y1);
    }
    const MonthlyTableLayout& L() const { return page_.layout; }
    double CellX(int column) const { return L().ColumnLeft(column) + 6 * s_; }

    void Titles(const MonthlyRecord& record) {
        const double centre = (in_.picture.left + in_.picture.right) / 2.0;
        Text(QStringLiteral("月平均斜面日射量（kWh/㎡・day)"), centre,
             L().top - 2.5 * Height(TableFont::Title), TableFont::Title, true);
        if (!in_.siteFound) {
            return;
        }
        const SiteHeaderFields f = ReadSiteHeaderFields(record.header);
        const QString line =
            in_.loadFailed ? QStringLiteral("地点　%1").arg(in_.siteName)
                           : QStringLiteral("地点　%1 （緯度= %2°%3′ 経度= %4°%5′ 標高= %6m）")
                                 .arg(in_.siteName, Q(f.latitudeDeg), Q(f.latitudeMin),
                                      Q(f.longitudeDeg), Q(f.longitudeMin), Q(f.elevationM));
        const double x = in_.picture.left + 24 * s_;
        const double top = L().top - 1.5 * Height(TableFont::Cell);
        Text(line, x, top);
        page_.siteUnderline =
            QLineF(x, top + 15 * s_, x + Width(line, TableFont::Cell), top + 15 * s_);
    }

    void LoadFailure() {
        Text(QStringLiteral("データの読み込みに失敗しました。"),
             (in_.picture.left + in_.picture.right) / 2.0,
             (in_.picture.top + in_.picture.bottom) / 2.0 - Height(TableFont::Bold16) / 2,
             TableFont::Bold16, true);
    }

    void Header() {
        const int headerBottom = L().RowTop(3);
        Line(L().left, L().top, L().right, L().top);
        for (int column = 0; column <= kTableColumnCount; ++column) {
            Line(L().ColumnLeft(column), L().top, L().ColumnLeft(column), headerBottom);
        }
        Line(L().left, headerBottom, L().right, headerBottom);
        const double half = L().columnWidth / 2.0;
        for (int column = 0; column < kTableColumnCount; ++column) {
            const QString caption = Q(TableColumnCaption(column));
            const auto season = TableSeasonCaption(column);
            const double centre = L().ColumnLeft(column) + half;
            if (season[0].empty()) {
                Text(caption, centre, L().top + 20 * s_, TableFont::Cell, true);
                continue;
            }
            Text(caption, centre, L().top + 6 * s_, TableFont::Cell, true);
            Text(Q(season[0]), L().ColumnLeft(column) + 4 * s_, L().top + 20 * s_);
            Text(Q(season[1]), L().ColumnLeft(column) + 4 * s_, L().top + 34 * s_);
        }
    }

    void Values(const MonthlyRow& row, const char* format, double top, int derivedRow = -1) {
        for (int column = 0; column < kMonthlyColumnCount; ++column) {
            const QString value = Q(FormatTableValue(format, row[column]));
            Text(value, CellX(column + 2), top);
            const std::string_view mark = DerivedRowMark(derivedRow, column);
            if (!mark.empty()) {
                // Above the value's end: the row is high enough, and the column too
                // narrow for it beside the value.
                const QString text = Q(mark);
                const double right = CellX(column + 2) + Width(value, TableFont::Cell);
                Text(text, right - Width(text, TableFont::Mark),
                     top - 0.8 * Height(TableFont::Mark), TableFont::Mark);
            }
        }
    }

    void VerticalLines(double top, double bottom, bool mergeLabel) {
        for (int column = 0; column <= kTableColumnCount; ++column) {
            if (!(mergeLabel && column == 1)) {
                Line(L().ColumnLeft(column), top, L().ColumnLeft(column), bottom);
            }
        }
    }

    void HorizontalSection(const MonthlyRecord& record) {
        const int top = L().RowTop(3);
        const int bottom = L().RowTop(kTableTopRows);
        const int h = L().rowHeight;
        VerticalLines(top, bottom, false);
        Line(L().ColumnLeft(1), top + 2 * h, L().right, top + 2 * h);
        Line(L().ColumnLeft(1), top + 3 * h, L().right, top + 3 * h);
        Line(L().left, bottom, L().right, bottom);
        Text(QStringLiteral("水平面"), CellX(0),
             (top + bottom) / 2.0 - Height(TableFont::Cell) / 2);
        Text(QStringLiteral("平均値"), CellX(1), top + 2 * h - 30 * s_);
        Text(QStringLiteral("（C）"), CellX(1), top + 2 * h - 15 * s_);
        Text(QStringLiteral("最大値"), CellX(1), top + 3 * h - 15 * s_);
        Text(QStringLiteral("最小値"), CellX(1), top + 4 * h - 15 * s_);
        Values(SlopeRow(record, 0, 0), "%5.2f", top + 2 * h - 23 * s_);
        Values(record.variation[1], "%5.2f", top + 3 * h - 15 * s_);
        Values(record.variation[2], "%5.2f", top + 4 * h - 15 * s_);
    }

    void SlopeRows(const MonthlyRecord& record) {
        const VisibleSlopeRows rows = VisibleRowsFrom(in_.scroll, L().rowsPerPage);
        const int top = L().RowTop(kTableTopRows);
        VerticalLines(top, L().RowTop(kTableTopRows + rows.count), false);
        for (int k = 0; k < rows.count; ++k) {
            const int h = rows.first + k;
            const TableSlopeRow plane = SlopeRowAt(h);
            const int bottom = L().RowTop(kTableTopRows + k + 1);
            const double textTop = bottom - 15 * s_;
            if (ShowsAzimuth(h)) {
                Text(QString::asprintf("%4d°", plane.azimuthIndex * 15), CellX(0), textTop);
            }
            Text(QString::asprintf("%4d°", plane.tiltIndex * 10), CellX(1), textTop);
            Values(SlopeRow(record, plane.azimuthIndex, plane.tiltIndex), "%5.2f", textTop);
            if (plane.tiltIndex == kMonthlyTiltCount - 1) {
                Line(L().left, bottom, L().right, bottom);
            }
        }
    }

    // Returns the bottom of the last derived row.
    int DerivedRows(const MonthlyRecord& record, int slopeRowsAbove) {
        int top = L().RowTop(kTableTopRows + slopeRowsAbove);
        Line(L().left, top, L().right, top);
        const double labelX = L().left + 2 * s_;
        for (int row = 0; row < kOptimumRowCount; ++row) {
            const int bottom = top + kDerivedRowHeights[row] * L().rowHeight;
            VerticalLines(top, bottom, true);
            Line(L().left, bottom, L().right, bottom);
            const auto label = DerivedRowLabel(row);
            double valueLift = 15;
            if (row == 1 || row == 2) {
                Text(Q(label[0]), labelX, bottom - 46 * s_);
                Text(Q(label[1]), labelX, bottom - 30 * s_);
                Text(Q(DerivedRowMarker(row)), L().left + 30 * s_, bottom - 15 * s_);
                valueLift = 30;
            } else if (row == 7) {
                Text(Q(label[0]), labelX, bottom - 30 * s_);
                Text(Q(label[1]), labelX, bottom - 15 * s_);
                valueLift = 20;
            } else if (row == 0) {
                Text(Q(label[0]), labelX, bottom - 20 * s_);
                valueLift = 20;
            } else {
                Text(Q(label[0]), labelX, bottom - 15 * s_);
            }
            Values(record.optimumTable[row], DerivedRowFormat(row), bottom - valueLift * s_, row);
            top = bottom;
        }
        return top;
    }

    void Footnotes(int derivedBottom) {
        // The line ends three rows below the derived rows, or higher when the picture
        // ends sooner; where it would reach into the rows it is left out.
        const double height = Height(TableFont::Cell);
        const double top = std::min(derivedBottom + kTableFootnoteGap * L().rowHeight - height,
                                    in_.picture.bottom - height);
        if (top - 2 * s_ < derivedBottom) { // the marks stand 2 pixels higher
            return;
        }
        double x = L().left;
        const auto item = [&](const QString& text, TableFont font) {
            Text(text, x, font == TableFont::Mark ? top - 2 * s_ : top, font);
            x += Width(text, font);
        };
        item(QStringLiteral("*年間最適傾斜角"), TableFont::Cell);
        x += 10 * s_;
        item(QStringLiteral("**季節別最適傾斜角"), TableFont::Cell);
        x += 10 * s_;
        item(QStringLiteral("※"), TableFont::Mark);
        item(QStringLiteral("月別最適傾斜角における日射量の年平均値"), TableFont::Cell);
        x += 10 * s_;
        item(QStringLiteral("※※"), TableFont::Mark);
        item(QStringLiteral("季節別最適傾斜角における日射量"), TableFont::Cell);
    }

    void PageLabel() {
        // At the right of the title line, where it cannot meet the footnotes.
        TableText label{in_.scroll == 0 ? QStringLiteral("1/2") : QStringLiteral("2/2"),
                        QPointF(L().right, L().top - 2.5 * Height(TableFont::Title)),
                        TableFont::Title, false, true};
        page_.texts.push_back(std::move(label));
    }

    void ProgressBox() {
        const TableProgress& pr = in_.progress;
        const bool batch = pr.printMode == 2;
        const QPointF centre((in_.picture.left + in_.picture.right) / 2.0,
                             (in_.picture.top + in_.picture.bottom) / 2.0);
        const QSizeF size = batch ? QSizeF(400, 160) : QSizeF(300, 120);
        page_.progressBox = QRectF(centre.x() - size.width() / 2, centre.y() - size.height() / 2,
                                   size.width(), size.height());
        const double firstHeight = Height(TableFont::Bold22);
        const double firstTop = batch ? centre.y() - 60 : centre.y() - firstHeight;
        const auto add = [&](QString text, double top, TableFont font) {
            page_.progressTexts.push_back({std::move(text), QPointF(centre.x(), top), font, true});
        };
        add(QStringLiteral("印刷中"), firstTop, TableFont::Bold22);
        if (!pr.siteFound) {
            return;
        }
        const double below = firstTop + firstHeight + 4;
        if (!batch) {
            add(QStringLiteral("しばらくお待ちください。"), below, TableFont::Gothic);
            return;
        }
        add(pr.siteName, below, TableFont::Bold16);
        add(QString::asprintf("(%2d地点目 / %d地点中 )", pr.counter, pr.total),
            below + Height(TableFont::Bold16) + 6, TableFont::Bold16);
    }

    const MonthlyTableInput& in_;
    const QPaintDevice& device_;
    TableStyles styles_;
    int s_;
    MonthlyTablePage page_;
};

void PaintText(QPainter& p, const TableText& t, const TableStyles& styles) {
    const TextAlign align = t.centred        ? TextAlign::Center
                            : t.rightAligned ? TextAlign::Far
                                             : TextAlign::Near;
    DrawTextAt(p, t.text, t.at, styles.text, styles.Font(t.font), align);
}

} // namespace

TableStyles TableStyles::Make(bool print) {
    TableStyles st;
    const double f = print ? 0.8 : 1.0;
    st.background = QBrush(Qt::white);
    st.line = QPen(QColor::fromRgba(0xff404040), print ? 2.0 : 1.0);
    st.line.setCapStyle(Qt::FlatCap);
    st.text = QBrush(Qt::black);
    st.progress = QBrush(QColor::fromRgba(0x80d6f183));
    st.fonts = {CreatePointFont(MinchoFace(), FontStyle::Regular, 7 * f),
                CreatePointFont(MinchoFace(), FontStyle::Regular, 9 * f),
                CreatePointFont(MinchoFace(), FontStyle::Regular, 16 * f),
                CreatePointFont(GothicFace(), FontStyle::Regular, 14 * f),
                CreatePointFont(GothicFace(), FontStyle::Bold, 16),
                CreatePointFont(GothicFace(), FontStyle::Bold, 22)};
    return st;
}

MonthlyTablePage ComposeMonthlyTable(const MonthlyTableInput& input, const QPaintDevice& device) {
    return Composer(input, device).Compose();
}

void PaintMonthlyTable(QPainter& p, const MonthlyTablePage& page, const TableStyles& styles) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setPen(styles.line);
    p.drawLines(page.lines.data(), static_cast<int>(page.lines.size()));
    if (!page.siteUnderline.isNull()) {
        p.setPen(QPen(styles.text, styles.line.widthF()));
        p.drawLine(page.siteUnderline);
    }
    for (const TableText& text : page.texts) {
        PaintText(p, text, styles);
    }
    if (!page.progressBox.isEmpty()) {
        p.setPen(styles.line);
        p.setBrush(styles.progress);
        p.drawRect(page.progressBox);
        for (const TableText& text : page.progressTexts) {
            PaintText(p, text, styles);
        }
    }
    p.restore();
}

void RenderMonthlyTable(QPainter& p, const MonthlyTableInput& input) {
    PaintMonthlyTable(p, ComposeMonthlyTable(input, *p.device()), TableStyles::Make(input.print));
}

} // namespace quorvane
