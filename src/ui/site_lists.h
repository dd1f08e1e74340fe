#pragma once

#include <vector>

class QComboBox;

namespace quorvane {

class AppSession;

// The viewers' area and site lists. Areas: the distinct area codes of the site
// table in table order, the current site's area selected (nothing when no site is
// current). Sites: those of the current area in table order, the current one
// selected; when it is not there the area's first site becomes current. The codes
// and table indexes of the items are returned in `items`.
void FillAreaList(const AppSession& session, QComboBox& list, std::vector<int>& items);
void FillSiteList(AppSession& session, QComboBox& list, std::vector<int>& items);

// The same for a dialog's own choice of area and site rather than the shared selection.
void FillAreaList(const AppSession& session, int areaCode, QComboBox& list,
                  std::vector<int>& items);
void FillSiteList(const AppSession& session, int areaCode, int& siteNumber, QComboBox& list,
                  std::vector<int>& items);

} // namespace quorvane
