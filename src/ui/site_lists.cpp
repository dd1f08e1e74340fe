#include "ui/site_lists.h"

#include "data/app_session.h"
#include "ui/text.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <algorithm>

namespace quorvane {

void FillAreaList(const AppSession& session, QComboBox& list, std::vector<int>& items) {
    const CAmedasPoint* current =
        session.SiteAt(session.FindSiteIndex(session.Selection().siteNumber));
    FillAreaList(session, current != nullptr ? current->areaCode : -1, list, items);
}

void FillAreaList(const AppSession& session, int areaCode, QComboBox& list,
                  std::vector<int>& items) {
    const QSignalBlocker quiet(&list);
    list.clear();
    items.clear();
    int selected = -1;
    for (const CAmedasPoint& site : session.Sites()) {
        if (std::find(items.begin(), items.end(), site.areaCode) != items.end()) {
            continue;
        }
        if (areaCode >= 0 && site.areaCode == areaCode) {
            selected = static_cast<int>(items.size());
        }
        const CMapInfo* area = session.MapInfoAt(site.areaCode);
        items.push_back(site.areaCode);
        list.addItem(area != nullptr ? ToQString(area->name) : QString());
    }
    list.setCurrentIndex(selected);
}

void FillSiteList(AppSession& session, QComboBox& list, std::vector<int>& items) {
    AppSelection& selection = session.Selection();
    FillSiteList(session, selection.areaCode, selection.siteNumber, list, items);
}

void FillSiteList(const AppSession& session, int areaCode, int& siteNumber, QComboBox& list,
                  std::vector<int>& items) {
    const QSignalBlocker quiet(&list);
    list.clear();
    items.clear();
    int selected = -1;
    for (int i = 0; i < session.SiteCount(); ++i) {
        const CAmedasPoint& site = *session.SiteAt(i);
        if (site.areaCode != areaCode) {
            continue;
        }
        if (site.siteNumber == siteNumber) {
            selected = static_cast<int>(items.size());
        }
        items.push_back(i);
        list.addItem(ToQString(site.name));
    }
    if (selected < 0 && !items.empty()) {
        selected = 0;
        siteNumber = session.SiteAt(items.front())->siteNumber;
    }
    list.setCurrentIndex(selected);
}

} // namespace quorvane
