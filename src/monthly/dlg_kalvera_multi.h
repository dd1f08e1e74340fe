#pragma once

#include <QDialog>
#include <vector>

class QComboBox;
class QPushButton;

namespace quorvane {

class AppSession;
class CMyListBox;
class SitePicker;

inline constexpr int kBatchPrintMaxSites = 50;

// "一括印刷対象地点選択": the list of up to 50 sites whose tables are printed in one
// batch. The dialog keeps its own area and site choice; the shared selection is
// left alone.
class CDlgKalveraMulti : public QDialog {
    Q_OBJECT
public:
    CDlgKalveraMulti(const AppSession& session, SitePicker& sites, const std::vector<int>& list,
                     QWidget* parent = nullptr);

    // The site numbers in the list, in their order.
    const std::vector<int>& List() const { return list_; }
    int ChosenArea() const { return chosenArea_; }
    int ChosenSite() const { return chosenSite_; }

    void ChooseArea(int item);
    void ChooseSite(int item);
    void AddChosenSite();
    void PickOnMap();
    void RemoveSelected();
    void RemoveAll();
    void StartPrinting();

private:
    void BuildControls();
    void FillLists();
    void Append(int siteNumber);

    const AppSession& session_;
    SitePicker& sites_;
    std::vector<int> list_;
    int chosenArea_ = -1;
    int chosenSite_ = -1;
    std::vector<int> areaItems_;
    std::vector<int> siteItems_;
    QComboBox* areaList_ = nullptr;
    QComboBox* siteList_ = nullptr;
    CMyListBox* listBox_ = nullptr;
    QPushButton* removeButton_ = nullptr;
};

} // namespace quorvane
