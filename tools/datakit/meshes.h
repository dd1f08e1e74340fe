#pragma once

#include "geography.h"
#include "output.h"
#include "sites.h"

#include <set>
#include <vector>

namespace quorvane::datakit {

// A third-order mesh whose centre lies on land.
struct LandMesh {
    int code = 0;
    int areaCode = 0;
    int site = -1; // index into the sites
};

// Every land mesh, scanned row by row (30″ of latitude) over the area outlines, in
// ascending code.
std::vector<LandMesh> FindLandMeshes(const Geography& geo);

// Gives each mesh its nearest site, preferring the sites of its own area.
void AssignSites(std::vector<LandMesh>& meshes, const std::vector<Site>& sites);

// map/table/m%4d.list for every first-order square with land.
void WriteMeshTables(const std::vector<LandMesh>& meshes, const std::vector<Site>& sites,
                     const KitPaths& paths);

// The 1 km mesh map sheets that hold land.
std::set<int> SheetsWithLand(const std::vector<LandMesh>& meshes);

} // namespace quorvane::datakit
