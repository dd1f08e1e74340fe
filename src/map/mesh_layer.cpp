#include "map/mesh_layer.h"

#include "data/c_fields.h"
#include "map/binary_io.h"
#include "map/mesh_code.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quorvane {

namespace {

std::size_t BucketOf(int code) {
    return static_cast<std::size_t>(code % kMeshHashBuckets);
}

bool OverlapsWithArea(const CDRect& mesh, const CDRect& view) {
    double viewBottom = std::min(view.top, view.bottom);
    double viewTop = std::max(view.top, view.bottom);
    return mesh.left < view.right && mesh.right > view.left && mesh.bottom < viewTop &&
           mesh.top > viewBottom;
}

// First-order row (latitude) and column (longitude) of a corner, clamped to the
// squares that exist so that a view reaching past them still finds its files.
int Mesh1Row(double latDeg) {
    double row = std::floor(latDeg * 1.5);
    return static_cast<int>(std::clamp(std::isnan(row) ? 0.0 : row, 0.0, 99.0));
}
int Mesh1Column(double lonDeg) {
    double column = std::floor(lonDeg) - 100.0;
    return static_cast<int>(std::clamp(std::isnan(column) ? 0.0 : column, 0.0, 99.0));
}

} // namespace

MeshLayer::MeshLayer()
    : bucketHeads_(kMeshHashBuckets, -1), siteHeads_(kMaxMeshSiteNumber + 1, -1) {}

void MeshLayer::Clear() {
    entries_.clear();
    bucketChain_.clear();
    std::fill(bucketHeads_.begin(), bucketHeads_.end(), -1);
    std::fill(siteHeads_.begin(), siteHeads_.end(), -1);
}

bool MeshLayer::Add(int meshCode, int siteNumber) {
    if (meshCode < 0 || meshCode > kMaxMeshCode || siteNumber < 0 ||
        siteNumber > kMaxMeshSiteNumber) {
        return false;
    }
    auto index = static_cast<std::int32_t>(entries_.size());
    std::int32_t& siteHead = siteHeads_[static_cast<std::size_t>(siteNumber)];
    entries_.push_back({meshCode, siteNumber, -1, siteHead});
    siteHead = index;
    std::int32_t& bucketHead = bucketHeads_[BucketOf(meshCode)];
    bucketChain_.push_back(bucketHead);
    bucketHead = index;
    return true;
}

void MeshLayer::FinishLoading() {
    for (tagMyMesh& mesh : entries_) {
        mesh.firstOfSite = siteHeads_[static_cast<std::size_t>(mesh.siteNumber)];
    }
}

int MeshLayer::FindMeshEntry(int meshCode) const {
    if (meshCode < 0) {
        return -1;
    }
    for (std::int32_t i = bucketHeads_[BucketOf(meshCode)]; i >= 0;
         i = bucketChain_[static_cast<std::size_t>(i)]) {
        if (entries_[static_cast<std::size_t>(i)].meshCode == meshCode) {
            return i;
        }
    }
    return -1;
}

int MeshLayer::GetSiteMeshes(int siteNumber) const {
    if (siteNumber < 0 || siteNumber > kMaxMeshSiteNumber) {
        return -1;
    }
    return siteHeads_[static_cast<std::size_t>(siteNumber)];
}

std::vector<int> MeshLayer::SiteNumbers() const {
    std::vector<int> sites;
    for (std::size_t site = 0; site < siteHeads_.size(); ++site) {
        if (siteHeads_[site] >= 0) {
            sites.push_back(static_cast<int>(site));
        }
    }
    return sites;
}

std::string MeshTablePath(const std::string& mapFolder, int mesh1Code) {
    char name[48];
    std::snprintf(name, sizeof name, "/map/table/m%4d.list", mesh1Code);
    return mapFolder + name;
}

void AddMeshTableLines(std::string_view text, const CDRect& view, MeshLayer& layer) {
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        std::size_t comma = line.find(',');
        if (comma == std::string_view::npos) {
            continue; // no site number at all
        }
        int meshCode = ParseCInt(line.substr(0, comma));
        int siteNumber = ParseCInt(StripLineEnd(line.substr(comma + 1)));
        if (meshCode < 0 || meshCode > kMaxMeshCode || siteNumber < 0 ||
            siteNumber > kMaxMeshSiteNumber || !OverlapsWithArea(GetMesh3Rect(meshCode), view)) {
            continue;
        }
        layer.Add(meshCode, siteNumber);
    }
}

void LoadMeshLayer(const std::string& mapFolder, const CDRect& view, MeshLayer& layer) {
    layer.Clear();
    int southRow = Mesh1Row(std::min(view.top, view.bottom));
    int northRow = Mesh1Row(std::max(view.top, view.bottom));
    int westColumn = Mesh1Column(view.left);
    int eastColumn = Mesh1Column(view.right);
    std::string text;
    for (int column = westColumn; column <= eastColumn; ++column) {
        for (int row = southRow; row <= northRow; ++row) {
            if (ReadWholeFile(MeshTablePath(mapFolder, 100 * row + column), text)) {
                AddMeshTableLines(text, view, layer);
            }
        }
    }
    layer.FinishLoading();
}

int GetSiteOfPoint(const MeshLayer& layer, double lonDeg, double latDeg,
                   const std::function<int(int siteNumber)>& findSiteIndex) {
    int entry = layer.FindMeshEntry(GetMesh3Code(lonDeg, latDeg));
    if (entry < 0 || !findSiteIndex) {
        return -1;
    }
    return findSiteIndex(layer.entry(entry).siteNumber);
}

std::string EncodeMeshTable(std::span<const MeshTableLine> lines) {
    std::string text;
    char line[40];
    for (const MeshTableLine& mesh : lines) {
        int length = std::snprintf(line, sizeof line, "%d,%d\r\n", mesh.meshCode, mesh.siteNumber);
        text.append(line, static_cast<std::size_t>(length));
    }
    return text;
}

bool WriteMeshTable(const std::string& path, std::span<const MeshTableLine> lines) {
    return WriteWholeFile(path, EncodeMeshTable(lines));
}

SheetNameIndex::SheetNameIndex() : bucketHeads_(kMeshHashBuckets, -1) {}

void SheetNameIndex::Add(int mesh2Code, std::string name) {
    if (mesh2Code < 0) {
        return;
    }
    std::int32_t& head = bucketHeads_[BucketOf(mesh2Code)];
    bucketChain_.push_back(head);
    head = static_cast<std::int32_t>(entries_.size());
    entries_.push_back({mesh2Code, std::move(name)});
}

std::string SheetNameIndex::Lookup(double lonDeg, double latDeg) const {
    if (entries_.empty()) {
        return {};
    }
    int code = GetMesh2Code(lonDeg, latDeg);
    if (code < 0) {
        return {};
    }
    for (std::int32_t i = bucketHeads_[BucketOf(code)]; i >= 0;
         i = bucketChain_[static_cast<std::size_t>(i)]) {
        if (entries_[static_cast<std::size_t>(i)].mesh2Code == code) {
            return entries_[static_cast<std::size_t>(i)].name;
        }
    }
    return {};
}

std::string LookupSheetName(double lonDeg, double latDeg) {
    static const SheetNameIndex emptyIndex;
    return emptyIndex.Lookup(lonDeg, latDeg);
}

} // namespace quorvane
