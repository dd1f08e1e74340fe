#pragma once

#include "databases.h"
#include "geography.h"
#include "output.h"
#include "sites.h"

namespace quorvane::datakit {

// ColorMap/%s%s.png for the three irradiation kinds and the 13 periods: values of
// the monthly database interpolated between the sites over the land of the
// national map (with its insets), a colour scale with units, and a title.
void WriteColourMaps(const Geography& geo, const std::vector<Site>& sites,
                     const std::vector<MonthlySummary>& summaries, const KitPaths& paths,
                     int threads);

} // namespace quorvane::datakit
