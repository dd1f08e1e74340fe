#pragma once

#include <QListWidget>
#include <vector>

class QPainter;

namespace quorvane {

// Text colours of marked lines.
enum ListMark { kListMarkPlain = 0, kListMarkDarkBlue = 1, kListMarkGreen = 2 };

inline constexpr int kListLineHeight = 14;

// Draws one list line into `lineRect`: white or the selection tint, a light
// separator along its bottom pixel row, the text 4 pixels from the left edge,
// vertically centred, in the colour of `mark`.
void PaintListLine(QPainter& painter, const QRect& lineRect, const QString& text, bool selected,
                   int mark, const QFont& font);

// A list with fixed 14-pixel lines, a separator under each, a tinted selection
// and optional per-line text colours.
//
// A line is chosen only when it is highlighted: by a click, a double-click, keyboard
// navigation or setCurrentRow. Getting the focus chooses nothing (a plain
// QListWidget makes its first line current then, which reads as a choice).
class CMyListBox : public QListWidget {
    Q_OBJECT
public:
    explicit CMyListBox(QWidget* parent = nullptr);

    // The highlighted line, or -1.
    int ChosenLine() const;

signals:
    // The highlighted line changed to `row` (never -1).
    void LineChosen(int row);

public:
    // One mark per line (ListMark); lines beyond the array are plain.
    void SetMarks(std::vector<int> marks);
    const std::vector<int>& Marks() const { return marks_; }
    int MarkOf(int line) const;

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    std::vector<int> marks_;
};

} // namespace quorvane
