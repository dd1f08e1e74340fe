#pragma once

#include "data/geo_types.h"
#include "data/load_status.h"
#include "data/reporter.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace quorvane {

inline constexpr int kMapInfoCount = 100;
inline constexpr int kNeighbourCount = 20;

// A neighbouring area shown on an area map, with the position of its short-name label.
// A code of 0 marks an empty slot.
struct CMapNeighbour {
    int code = 0;
    CDPoint labelPosition;
};

// One record of the area table; its index is its area code (0 the national map,
// 1..9 the blocks, higher codes the areas within blocks).
class CMapInfo {
public:
    int level = 0; // 0, 1 or 2: the table the record came from
    int code = 0;
    std::string name;
    std::string shortName;
    CDRect bounds; // degrees
    int parentCode = 0;
    CDPoint anchor; // name label on the area map
    std::array<CMapNeighbour, kNeighbourCount> neighbours{};
};

using MapInfoTable = std::array<CMapInfo, kMapInfoCount>;

// One observation site.
class CAmedasPoint {
public:
    int siteNumber = 0; // 5 digits; names the site's data files
    std::string name;
    int areaCode = 0;
    double latitudeDeg = 0.0;
    double longitudeDeg = 0.0;
    double elevationM = 0.0;
    // False when the table's latitude, longitude or elevation is not a number in its
    // physical range: the three are then 0 and the site has no position (no slope
    // model, the default tilt of an unknown site).
    bool positionValid = true;
};

// Called right after each level-2 record has been read (the map loads its outline).
using AreaRecordHook = std::function<void(CMapInfo&)>;

// Reads "<mapFolder>/map/zahyo/code_map<level + 1>.txt" into `records`, overwriting
// only the records the file names; CannotRead when the file cannot be opened.
LoadStatus LoadAreaTable(const std::string& mapFolder, int level, MapInfoTable& records,
                         const AreaRecordHook& afterAreaRecord = {});

// Reads "<mapFolder>/map/zahyo/point_amedas.txt" into `sites` (file order).
// CannotRead (with `sites` emptied) when the file cannot be opened.
LoadStatus LoadSiteTable(const std::string& mapFolder, std::vector<CAmedasPoint>& sites);
// The same, telling `reporter` once when some site has no valid position.
LoadStatus LoadSiteTable(const std::string& mapFolder, std::vector<CAmedasPoint>& sites,
                         MessageReporter& reporter);

// The message for sites without a valid position.
inline constexpr const char* kInvalidSitePositionMessage = "地点の緯度経度が正しくありません。";

// Index of the first site with that number, or -1.
int FindSiteIndex(const std::vector<CAmedasPoint>& sites, int siteNumber);

} // namespace quorvane
