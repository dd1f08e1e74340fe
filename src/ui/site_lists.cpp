#include "ui/site_lists.h"

#include "data/app_session.h"
#include "ui/text.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <algorithm>

namespace quorvane {

void FillAreaList(const AppSession& session, QComboBox& list, std::vector<int>& items) {
    const QSignalBlocker quiet(&list);
    list.clear();
    items.clear();
    const CAmedasPoint* current =
        session.SiteAt(session.FindSiteIndex(session.Selection().siteNumber));
    int selected = -1;
    for (const CAmedasPoint& site : session.Sites()) {
        if (std::find(items.begin(), items.end(), site.areaCode) != items.end()) {
            continue;
        }
        if (current != nullptr && site.areaCode == current->areaCode) {
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
    const QSignalBlocker quiet(&list);
    list.clear();
    items.clear();
    int selected = -1;
    for (int i = 0; i < session.SiteCount(); ++i) {
        const CAmedasPoint& site = *session.SiteAt(i);
        if (site.areaCode != selection.areaCode) {
            continue;
        }
        if (site.siteNumber == selection.siteNumber) {
            selected = static_cast<int>(items.size());
        }
        items.push_back(i);
        list.addItem(ToQString(site.name));
    }
    if (selected < 0 && !items.empty()) {
        selected = 0;
        selection.siteNumber = session.SiteAt(items.front())->siteNumber;
    }
    list.setCurrentIndex(selected);
}

} // namespace quorvane
