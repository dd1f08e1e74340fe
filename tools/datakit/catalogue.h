#pragma once

#include "geography.h"
#include "output.h"
#include "sites.h"

namespace quorvane::datakit {

// code_map1.txt (the national map), code_map2.txt (the blocks), code_map3.txt (the
// areas with their neighbours' label positions) and the area outline files.
void WriteMapCatalogue(const Geography& geo, const KitPaths& paths);

// point_amedas.txt and one sunrise/sunset table per site.
void WriteSiteTables(const std::vector<Site>& sites, const KitPaths& paths);

} // namespace quorvane::datakit
