#pragma once

#include "data/geo_types.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// One third-order mesh of the 1 km mesh layer and the site it belongs to.
struct tagMyMesh {
    std::int32_t meshCode = 0;
    std::int32_t siteNumber = 0;
    std::int32_t firstOfSite = -1; // entry index of the site's chain head
    std::int32_t nextOfSite = -1;  // next entry of the same site, or -1
    friend bool operator==(const tagMyMesh&, const tagMyMesh&) = default;
};

inline constexpr int kMeshHashBuckets = 9973;
inline constexpr int kMaxMeshCode = 99999998;
inline constexpr int kMaxMeshSiteNumber = 99998;

// Which site each mesh of the current 1 km mesh map belongs to, with a hash index by
// mesh code and a chain per site.
class MeshLayer {
public:
    MeshLayer();

    void Clear();
    // Appends an entry and links it at the head of its bucket and of its site's chain.
    // False (nothing added) when the code or the site number is out of range.
    bool Add(int meshCode, int siteNumber);
    // Points every entry at the chain head of its site; call after the last Add.
    void FinishLoading();

    int FindMeshEntry(int meshCode) const;
    // The chain head of the site (follow `nextOfSite`), or -1.
    int GetSiteMeshes(int siteNumber) const;

    std::span<const tagMyMesh> entries() const { return entries_; }
    const tagMyMesh& entry(int index) const { return entries_[static_cast<std::size_t>(index)]; }
    int size() const { return static_cast<int>(entries_.size()); }
    // Site numbers that occur in the layer, ascending.
    std::vector<int> SiteNumbers() const;

private:
    std::vector<tagMyMesh> entries_;
    std::vector<std::int32_t> bucketChain_;
    std::vector<std::int32_t> bucketHeads_;
    std::vector<std::int32_t> siteHeads_;
};

// "<mapFolder>/map/table/m<code1>.list" (the code printed as "%4d").
std::string MeshTablePath(const std::string& mapFolder, int mesh1Code);

// Rebuilds `layer` from the tables of the first-order squares the view touches,
// keeping the meshes that overlap the view with positive area. Missing files and
// lines out of range are skipped.
void LoadMeshLayer(const std::string& mapFolder, const CDRect& view, MeshLayer& layer);
// One table's text, as LoadMeshLayer reads it.
void AddMeshTableLines(std::string_view text, const CDRect& view, MeshLayer& layer);

// The catalogue index of the site whose mesh contains the point, or -1.
// `findSiteIndex` maps a site number to its catalogue index (or -1).
int GetSiteOfPoint(const MeshLayer& layer, double lonDeg, double latDeg,
                   const std::function<int(int siteNumber)>& findSiteIndex);

struct MeshTableLine {
    int meshCode = 0;
    int siteNumber = 0;
};
// "<code>,<site>" lines with CR LF ends.
std::string EncodeMeshTable(std::span<const MeshTableLine> lines);
bool WriteMeshTable(const std::string& path, std::span<const MeshTableLine> lines);

// Sheet-name index entry: the topographic map sheet covering a second-order mesh.
struct tagMeshZumei {
    std::int32_t mesh2Code = 0;
    std::string name;
};

// No file supplies sheet names, so the index normally stays empty and every
// look-up yields an empty name.
class SheetNameIndex {
public:
    SheetNameIndex();
    void Add(int mesh2Code, std::string name);
    bool empty() const { return entries_.empty(); }
    // Empty when the point's second-order mesh has no entry.
    std::string Lookup(double lonDeg, double latDeg) const;

private:
    std::vector<tagMeshZumei> entries_;
    std::vector<std::int32_t> bucketChain_;
    std::vector<std::int32_t> bucketHeads_;
};

// The program's (empty) sheet-name index.
std::string LookupSheetName(double lonDeg, double latDeg);

} // namespace quorvane
