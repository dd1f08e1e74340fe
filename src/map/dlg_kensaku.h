#pragma once

#include "map/search_archive.h"

#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;

namespace quorvane {

class CHoverBitmapButton;
class CMyListBox;

// The place a search found: its name and position in degrees.
struct SearchResult {
    std::string name;
    double lonDeg = 0.0;
    double latDeg = 0.0;
};

// "住所検索": prefecture, municipality and district; the result is the district's
// position, or the municipality's own when no district is chosen.
class CDlgKensaku1 : public QDialog {
    Q_OBJECT
public:
    explicit CDlgKensaku1(std::string mapFolder, QWidget* parent = nullptr);

    const SearchResult& Result() const { return result_; }
    CMyListBox* PrefectureList() const { return prefectures_; }
    CMyListBox* MunicipalityList() const { return municipalities_; }
    CMyListBox* DistrictList() const { return districts_; }
    QString Prompt() const;
    bool SearchEnabled() const;
    void Search();

private:
    void PrefectureChosen(int row);
    void MunicipalityChosen(int row);
    void DistrictChosen(int row);

    std::string mapFolder_;
    std::vector<MunicipalityRecord> municipalityRecords_;
    std::vector<DistrictRecord> districtRecords_;
    CMyListBox* prefectures_;
    CMyListBox* municipalities_;
    CMyListBox* districts_;
    QLineEdit* prefectureName_;
    QLineEdit* municipalityName_;
    QLineEdit* districtName_;
    QLabel* prompt_;
    CHoverBitmapButton* ok_;
    SearchResult result_;
};

// "施設・地名検索": category, prefecture and facility; category 1 (the prefectural
// offices) picks its only line at once.
class CDlgKensaku2 : public QDialog {
    Q_OBJECT
public:
    explicit CDlgKensaku2(std::string mapFolder, QWidget* parent = nullptr);

    const SearchResult& Result() const { return result_; }
    CMyListBox* CategoryList() const { return categories_; }
    CMyListBox* PrefectureList() const { return prefectures_; }
    CMyListBox* FacilityList() const { return facilities_; }
    QString Prompt() const;
    bool SearchEnabled() const;
    void Search();

private:
    void SelectionChanged(bool categoryChanged);
    void FacilityChosen(int row);

    std::string mapFolder_;
    std::vector<CF_CHIN> shown_;
    CMyListBox* categories_;
    CMyListBox* prefectures_;
    CMyListBox* facilities_;
    QLabel* prompt_;
    CHoverBitmapButton* ok_;
    SearchResult result_;
};

} // namespace quorvane
