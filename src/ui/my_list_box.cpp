#include "ui/my_list_box.h"

#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

namespace quorvane {
namespace {

QColor MarkColour(int mark) {
    switch (mark) {
    case kListMarkDarkBlue:
        return {0, 0, 160};
    case kListMarkGreen:
        return {0, 128, 64};
    default:
        return Qt::black;
    }
}

class LineDelegate final : public QStyledItemDelegate {
public:
    explicit LineDelegate(CMyListBox& list) : QStyledItemDelegate(&list), list_(list) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), kListLineHeight};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (index.row() < 0) {
            return;
        }
        PaintListLine(*painter, option.rect, index.data(Qt::DisplayRole).toString(),
                      option.state.testFlag(QStyle::State_Selected), list_.MarkOf(index.row()),
                      option.font);
    }

private:
    CMyListBox& list_;
};

} // namespace

void PaintListLine(QPainter& painter, const QRect& lineRect, const QString& text, bool selected,
                   int mark, const QFont& font) {
    painter.save();
    painter.fillRect(lineRect, selected ? QColor(255, 225, 235) : QColor(Qt::white));
    painter.setPen(QColor(220, 220, 220));
    painter.drawLine(lineRect.left(), lineRect.bottom(), lineRect.right(), lineRect.bottom());
    painter.setPen(MarkColour(mark));
    painter.setFont(font);
    const QRect textRect = lineRect.adjusted(4, 0, 0, 0);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter.restore();
}

CMyListBox::CMyListBox(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new LineDelegate(*this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    setPalette(colours);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (const int line = ChosenLine(); line >= 0) {
            emit LineChosen(line);
        }
    });
}

int CMyListBox::ChosenLine() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.front());
}

void CMyListBox::focusInEvent(QFocusEvent* event) {
    const bool hadCurrent = currentIndex().isValid();
    const QSignalBlocker quiet(selectionModel());
    QListWidget::focusInEvent(event);
    if (!hadCurrent && currentIndex().isValid() && selectedItems().isEmpty()) {
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

void CMyListBox::SetMarks(std::vector<int> marks) {
    marks_ = std::move(marks);
    viewport()->update();
}

int CMyListBox::MarkOf(int line) const {
    if (line < 0 || line >= static_cast<int>(marks_.size())) {
        return kListMarkPlain;
    }
    return marks_[static_cast<std::size_t>(line)];
}

} // namespace quorvane
