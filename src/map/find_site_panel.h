#pragma once

#include "map/site_finder.h"

#include <QObject>
#include <memory>
#include <vector>

class QLineEdit;
class QWidget;

namespace quorvane {

class AppSession;
class CMyListBox;

// The site selection map's search field and the list of its matches, which stands
// over the area and site lists while the user types. Sites and places come from
// the catalogue and the search tables, read when the first letter is typed.
class FindSitePanel : public QObject {
    Q_OBJECT
public:
    FindSitePanel(AppSession& session, QWidget* dialog);
    ~FindSitePanel() override;

    QLineEdit* Field() const { return field_; }
    CMyListBox* Results() const { return results_; }
    bool ResultsShown() const { return shown_; }
    // The matches behind the result lines, in line order (a line past their end is
    // a note, not a match).
    const std::vector<FoundPlace>& Matches() const { return matches_; }

    // Chooses the match of a result line; a note line chooses nothing.
    void ChooseLine(int line);
    void HideResults();

signals:
    void Chosen(const FoundPlace& found);
    void ResultsShownChanged(bool shown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TextChanged(const QString& text);
    void FillResults(std::size_t total);
    void SetShown(bool shown);
    // Return in the field: the highlighted match, or the first one.
    void ChooseCurrent();

    AppSession& session_;
    std::unique_ptr<SiteFinder> finder_;
    std::vector<FoundPlace> matches_;
    QLineEdit* field_;
    CMyListBox* results_;
    bool shown_ = false;
};

} // namespace quorvane
