#include "map/site_selection.h"

#include "data/text_codec.h"
#include "map/map_pictures.h"
#include "map/mesh_code.h"
#include "map/polygon.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace quorvane {

namespace {

constexpr int kNational = 0;

bool IsBlock(int code) {
    return code >= 1 && code < kBlockCount;
}

int Round(double value) {
    return static_cast<int>(std::floor(value + 0.5));
}

} // namespace

SiteSelectionModel::SiteSelectionModel(MapCatalogue catalogue) : catalogue_(std::move(catalogue)) {}

// Lookups

int SiteSelectionModel::AreaOfSite(int siteIndex) const {
    if (siteIndex < 0 || siteIndex >= static_cast<int>(catalogue_.sites.size())) {
        return kNone;
    }
    const int area = catalogue_.sites[static_cast<std::size_t>(siteIndex)].areaCode;
    return area >= 0 && area < kMapInfoCount ? area : kNone;
}

int SiteSelectionModel::ParentBlockOf(int area) const {
    if (area < 0 || area >= kMapInfoCount) {
        return kNone;
    }
    const int parent = catalogue_.records[static_cast<std::size_t>(area)].parentCode;
    return IsBlock(parent) ? parent : kNone;
}

std::string SiteSelectionModel::AreaName(int area) const {
    return area >= 0 && area < kMapInfoCount
               ? catalogue_.records[static_cast<std::size_t>(area)].name
               : std::string();
}

std::string SiteSelectionModel::SiteLineText(int siteIndex) const {
    const CAmedasPoint& site = catalogue_.sites[static_cast<std::size_t>(siteIndex)];
    if (level_ == MapLevel::National || level_ == MapLevel::Block) {
        return site.name;
    }
    return AreaName(site.areaCode) + " " + site.name;
}

CDRect SiteSelectionModel::ViewOfSheet(int sheet) const {
    return GetSheetViewRect(sheet);
}

CDRect SiteSelectionModel::View() const {
    if (level_ == MapLevel::Mesh) {
        return ViewOfSheet(sheet_);
    }
    return catalogue_.records[static_cast<std::size_t>(record_)].bounds;
}

GeoShift SiteSelectionModel::DisplayShift() const {
    std::array<CDRect, kBlockCount> blocks{};
    for (int i = 0; i < kBlockCount; ++i) {
        blocks[static_cast<std::size_t>(i)] =
            catalogue_.records[static_cast<std::size_t>(i)].bounds;
    }
    const int parent = level_ == MapLevel::Area ? ParentBlockOf(record_) : kNone;
    return GetDisplayShift(level_, record_, parent, View(), blocks);
}

// Geometry

std::optional<PixelPoint> SiteSelectionModel::SitePixelOn(int siteIndex, MapLevel level,
                                                          const CDRect& view) const {
    if (siteIndex < 0 || siteIndex >= static_cast<int>(catalogue_.sites.size())) {
        return std::nullopt;
    }
    const CAmedasPoint& site = catalogue_.sites[static_cast<std::size_t>(siteIndex)];
    return SiteMarkerPixel({site.longitudeDeg, site.latitudeDeg}, ParentBlockOf(site.areaCode),
                           level, view, Inner());
}

bool SiteSelectionModel::SiteVisibleOn(int siteIndex, MapLevel level, const CDRect& view) const {
    const std::optional<PixelPoint> p = SitePixelOn(siteIndex, level, view);
    return p && MarkerInView(*p, level, Inner());
}

std::optional<PixelPoint> SiteSelectionModel::SitePixel(int siteIndex) const {
    return SitePixelOn(siteIndex, level_, View());
}

bool SiteSelectionModel::SiteVisible(int siteIndex) const {
    return SiteVisibleOn(siteIndex, level_, View());
}

std::vector<int> SiteSelectionModel::MarkerSites() const {
    std::vector<int> out;
    if (level_ == MapLevel::National || level_ == MapLevel::Block) {
        for (int i = 0; i < static_cast<int>(catalogue_.sites.size()); ++i) {
            if (SiteVisible(i)) {
                out.push_back(i);
            }
        }
        return out;
    }
    for (const ListLine& line : siteLines_) {
        if (SiteVisible(line.value)) {
            out.push_back(line.value);
        }
    }
    return out;
}

PixelRect SiteSelectionModel::MarkerHitRect(PixelPoint a) const {
    const int h = (level_ == MapLevel::National || level_ == MapLevel::Block) ? 5 : 10;
    return {a.x - h, a.y - 2 * h, a.x + h, a.y};
}

PixelRect SiteSelectionModel::BlockPixelRect(int block) const {
    if (!IsBlock(block)) {
        return {};
    }
    const CDRect& b = catalogue_.records[static_cast<std::size_t>(block)].bounds;
    const CDRect national = catalogue_.records[kNational].bounds;
    const PixelPoint topLeft = GeoToPixel({b.left, std::max(b.top, b.bottom)}, national, Inner());
    const PixelPoint bottomRight =
        GeoToPixel({b.right, std::min(b.top, b.bottom)}, national, Inner());
    const PixelOffset inset = BlockInsetOffsets(block);
    return PixelRect{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y}.Translated(inset.dx,
                                                                                    inset.dy);
}

PixelRect SiteSelectionModel::NeighbourLabelRect(int slot) const {
    if (level_ != MapLevel::Area || slot < 0 || slot >= kNeighbourCount) {
        return {};
    }
    const CMapNeighbour& n = catalogue_.records[static_cast<std::size_t>(record_)]
                                 .neighbours[static_cast<std::size_t>(slot)];
    if (n.code <= 0 || n.code >= kMapInfoCount) {
        return {};
    }
    const PixelPoint p = GeoToPixel(n.labelPosition, View(), Inner());
    // The label's width counts the short name's CP932 bytes, 7 pixels each.
    const int bytes = static_cast<int>(
        Utf8ToCp932(catalogue_.records[static_cast<std::size_t>(n.code)].shortName).size());
    return {p.x - 2, p.y - 2, p.x + 3 + 7 * bytes, p.y + 14};
}

int SiteSelectionModel::NeighbourSheet(ArrowDirection direction) const {
    return GetNeighbourSheet(sheet_, static_cast<int>(direction));
}

PixelRect SiteSelectionModel::ArrowRect(ArrowDirection direction) const {
    if (level_ != MapLevel::Mesh ||
        !SheetPictureExists(catalogue_.mapFolder, NeighbourSheet(direction))) {
        return {};
    }
    const int w = kMapPaneWidthPx, h = kMapPaneHeightPx;
    const int middle = h / 2, centre = w / 2;
    switch (direction) {
    case ArrowDirection::West:
        return {2, middle - 6, 23, middle + 6};
    case ArrowDirection::East:
        return {w - 23, middle - 6, w - 2, middle + 6};
    case ArrowDirection::South:
        return {centre - 6, h - 23, centre + 6, h - 2};
    case ArrowDirection::North:
        return {centre - 6, 2, centre + 6, 23};
    }
    return {};
}

LabelBox SiteSelectionModel::SiteLabel(PixelPoint a, int textWidth, int textHeight) const {
    const PixelRect inner = Inner();
    const int w = textWidth + 4, h = textHeight + 4;
    const int above = (level_ == MapLevel::National || level_ == MapLevel::Block) ? 28 : 34;
    int left = a.x - w / 2;
    int top = a.y - above;
    if (left < inner.left + 4) {
        left = inner.left + 4;
    } else if (left + w > inner.right - 4) {
        left = inner.right - 4 - w;
    }
    if (top < inner.top) {
        top = a.y < inner.top ? inner.top + 4 : a.y + 3;
    }
    if (top + h > inner.bottom) {
        top = inner.bottom - 20;
    }
    return {{left, top, left + w, top + h}, {left + 2, top + 2}};
}

LabelBox SiteSelectionModel::SearchCallout(PixelPoint p, int textWidth, int textHeight,
                                           const PixelRect& avoid) const {
    const PixelRect inner = Inner();
    const int w = textWidth + 4, h = textHeight + 4;
    int left = p.x - w / 2;
    int top = p.y - 40;
    auto overlaps = [&](int l, int t) {
        const PixelRect box{l, t, l + w, t + h};
        return !avoid.IsEmpty() && box.left < avoid.right && avoid.left < box.right &&
               box.top < avoid.bottom && avoid.top < box.bottom;
    };
    if (overlaps(left, top)) {
        top = p.y + 30;
    }
    left = std::clamp(left, inner.left + 4, std::max(inner.left + 4, inner.right - 4 - w));
    top = std::max(top, inner.top + 8);
    return {{left, top, left + w, top + h}, {left + 2, top + 2}};
}

std::optional<SiteSelectionModel::MouseInfo> SiteSelectionModel::MouseInformation(int x,
                                                                                  int y) const {
    if (!Inner().Contains(x, y)) {
        return std::nullopt;
    }
    const CDPoint point = PixelToGeo(x, y, View(), Inner());
    const int code = GetMesh3Code(point.x, point.y);
    if (code <= 0) {
        return std::nullopt;
    }
    const GeoShift shift = DisplayShift();
    return MouseInfo{point.y + shift.latDeg, point.x + shift.lonDeg, code};
}

// Levels

void SiteSelectionModel::ResetPointer() {
    hoveredItem_ = pressedItem_ = {};
    hoveredSite_ = pressedSite_ = kNone;
    hoveredArrow_ = pressedArrow_ = kNone;
    sheetPicking_ = false;
}

void SiteSelectionModel::EnterLevel(MapLevel level, int record) {
    level_ = level;
    record_ = record;
    ResetPointer();
    RefreshLists();
}

void SiteSelectionModel::Open(int currentSiteNumber, int currentAreaCode) {
    int index = kNone;
    for (int i = 0; i < static_cast<int>(catalogue_.sites.size()); ++i) {
        if (catalogue_.sites[static_cast<std::size_t>(i)].siteNumber == currentSiteNumber) {
            index = i;
            break;
        }
    }
    if (currentSiteNumber >= 0 && index >= 0 && currentAreaCode > kBlockCount - 1 &&
        currentAreaCode < kMapInfoCount) {
        selectedSite_ = index;
        OpenArea(currentAreaCode);
        return;
    }
    OpenNational();
}

void SiteSelectionModel::OpenNational() {
    selectedBlock_ = selectedArea_ = selectedSite_ = kNone;
    selectedMesh_ = kNone;
    searchMarker_ = false;
    sheet_ = kNone;
    EnterLevel(MapLevel::National, kNational);
}

void SiteSelectionModel::OpenBlock(int block) {
    selectedBlock_ = block;
    sheet_ = kNone;
    searchMarker_ = false;
    EnterLevel(MapLevel::Block, block);
}

void SiteSelectionModel::OpenArea(int area) {
    selectedArea_ = area;
    sheet_ = kNone;
    searchMarker_ = false;
    EnterLevel(MapLevel::Area, area);
}

void SiteSelectionModel::OpenSheet(int sheet) {
    selectedBlock_ = kNone;
    sheet_ = sheet;
    LoadMeshLayer(catalogue_.mapFolder, ViewOfSheet(sheet), meshes_);
    level_ = MapLevel::Mesh;
    if (openingFromSearch_) {
        auto findSite = [this](int number) { return FindSiteIndex(catalogue_.sites, number); };
        selectedSite_ = GetSiteOfPoint(meshes_, searchPoint_.x, searchPoint_.y, findSite);
        selectedArea_ = AreaOfSite(selectedSite_);
        selectedBlock_ = ParentBlockOf(selectedArea_);
        selectedMesh_ = selectedSite_ >= 0 ? GetMesh3Code(searchPoint_.x, searchPoint_.y) : kNone;
    } else {
        selectedMesh_ = kNone;
        const std::vector<int> numbers = meshes_.SiteNumbers();
        if (selectedSite_ >= 0 &&
            !std::binary_search(
                numbers.begin(), numbers.end(),
                catalogue_.sites[static_cast<std::size_t>(selectedSite_)].siteNumber)) {
            selectedSite_ = kNone;
        }
    }
    EnterLevel(MapLevel::Mesh, record_);
}

bool SiteSelectionModel::OpenSearchResult(const std::string& name, double lonDeg, double latDeg) {
    const int sheet = GetMapSheetCode(lonDeg, latDeg);
    if (sheet < 0 || !SheetPictureExists(catalogue_.mapFolder, sheet)) {
        return false;
    }
    searchName_ = name;
    searchPoint_ = {lonDeg, latDeg};
    searchMarker_ = true;
    openingFromSearch_ = true;
    OpenSheet(sheet);
    openingFromSearch_ = false;
    return true;
}

bool SiteSelectionModel::SelectFoundSite(int siteIndex) {
    const int area = AreaOfSite(siteIndex);
    if (area < kBlockCount || catalogue_.records[static_cast<std::size_t>(area)].level != 2) {
        return false; // not an area of the table: it has no map
    }
    // On its own area map a site is listed, and so selectable, exactly when its
    // marker is drawn.
    if (!SiteVisibleOn(siteIndex, MapLevel::Area,
                       catalogue_.records[static_cast<std::size_t>(area)].bounds)) {
        return false;
    }
    selectedSite_ = siteIndex;
    selectedBlock_ = ParentBlockOf(area);
    selectedMesh_ = kNone;
    OpenArea(area);
    return true;
}

// Lists

void SiteSelectionModel::RefreshLists() {
    RefreshAreaLines();
    RefreshSiteLines();
}

void SiteSelectionModel::RefreshAreaLines() {
    areaLines_.clear();
    if (level_ != MapLevel::National && level_ != MapLevel::Block) {
        return;
    }
    for (int i = 0; i < static_cast<int>(catalogue_.sites.size()); ++i) {
        const int area = AreaOfSite(i);
        if (area == kNone || !SiteVisible(i) || AreaName(area).empty()) {
            continue;
        }
        if (std::none_of(areaLines_.begin(), areaLines_.end(),
                         [&](const ListLine& line) { return line.value == area; })) {
            areaLines_.push_back({area, AreaName(area)});
        }
    }
}

void SiteSelectionModel::RefreshSiteLines() {
    siteLines_.clear();
    const int count = static_cast<int>(catalogue_.sites.size());
    auto addSitesOf = [&](int area, bool visibleOnly) {
        for (int i = 0; i < count; ++i) {
            if (AreaOfSite(i) == area && (!visibleOnly || SiteVisible(i))) {
                siteLines_.push_back({i, SiteLineText(i)});
            }
        }
    };
    switch (level_) {
    case MapLevel::National:
        if (selectedArea_ >= 0) {
            addSitesOf(selectedArea_, false);
        }
        break;
    case MapLevel::Block:
        if (selectedArea_ >= 0) {
            addSitesOf(selectedArea_, true);
        }
        break;
    case MapLevel::Area: {
        addSitesOf(record_, true);
        for (const CMapNeighbour& n :
             catalogue_.records[static_cast<std::size_t>(record_)].neighbours) {
            if (n.code > 0 && n.code < kMapInfoCount && n.code != record_) {
                addSitesOf(n.code, true);
            }
        }
        break;
    }
    case MapLevel::Mesh:
        for (int number : meshes_.SiteNumbers()) {
            const int index = FindSiteIndex(catalogue_.sites, number);
            if (index >= 0) {
                siteLines_.push_back({index, SiteLineText(index)});
            }
        }
        if (selectedArea_ == kNone && !siteLines_.empty()) {
            selectedArea_ = AreaOfSite(siteLines_.front().value);
            selectedBlock_ = ParentBlockOf(selectedArea_);
        }
        break;
    }
    if (SelectedSiteLine() < 0) {
        selectedSite_ = kNone;
    }
}

int SiteSelectionModel::SelectedAreaLine() const {
    for (int i = 0; i < static_cast<int>(areaLines_.size()); ++i) {
        if (areaLines_[static_cast<std::size_t>(i)].value == selectedArea_) {
            return i;
        }
    }
    return kNone;
}

int SiteSelectionModel::SelectedSiteLine() const {
    for (int i = 0; i < static_cast<int>(siteLines_.size()); ++i) {
        if (siteLines_[static_cast<std::size_t>(i)].value == selectedSite_ && selectedSite_ >= 0) {
            return i;
        }
    }
    return kNone;
}

MapCommand SiteSelectionModel::SelectAreaLine(int line) {
    if (line < 0 || line >= static_cast<int>(areaLines_.size())) {
        return {};
    }
    selectedArea_ = areaLines_[static_cast<std::size_t>(line)].value;
    selectedSite_ = kNone;
    hoveredSite_ = pressedSite_ = kNone;
    RefreshSiteLines();
    return {MapAction::Redraw};
}

MapCommand SiteSelectionModel::DoubleClickAreaLine(int line) {
    if (line < 0 || line >= static_cast<int>(areaLines_.size())) {
        return {};
    }
    return {MapAction::OpenArea, areaLines_[static_cast<std::size_t>(line)].value, 300};
}

MapCommand SiteSelectionModel::SelectSiteLine(int line) {
    if (line < 0 || line >= static_cast<int>(siteLines_.size())) {
        return {};
    }
    selectedSite_ = siteLines_[static_cast<std::size_t>(line)].value;
    if (level_ == MapLevel::Block) {
        selectedArea_ = AreaOfSite(selectedSite_);
    }
    selectedMesh_ = kNone;
    return {MapAction::Redraw};
}

MapCommand SiteSelectionModel::DoubleClickSiteLine(int line) {
    if (SelectSiteLine(line).action == MapAction::None) {
        return {};
    }
    return {MapAction::Accept, kNone, 500};
}

// Mouse

MapHit SiteSelectionModel::HitItem(int x, int y) const {
    if (!Inner().Contains(x, y)) {
        return {};
    }
    switch (level_) {
    case MapLevel::National:
        for (int block = 1; block < kBlockCount; ++block) {
            if (BlockPixelRect(block).Contains(x, y)) {
                return {MapHitKind::Block, block};
            }
        }
        return {};
    case MapLevel::Block: {
        const CDPoint point = PixelToGeo(x, y, View(), Inner());
        for (int code = kBlockCount; code < kMapInfoCount; ++code) {
            if (catalogue_.records[static_cast<std::size_t>(code)].level == 2 &&
                PointInArea(catalogue_.outlines[static_cast<std::size_t>(code)], point)) {
                return {MapHitKind::Area, code};
            }
        }
        return {};
    }
    case MapLevel::Area: {
        if (sheetPicking_) {
            const CDPoint point = PixelToGeo(x, y, View(), Inner());
            const int sheet = GetMapSheetCode(point.x, point.y);
            return SheetPictureExists(catalogue_.mapFolder, sheet)
                       ? MapHit{MapHitKind::Sheet, sheet}
                       : MapHit{};
        }
        for (int slot = 0; slot < kNeighbourCount; ++slot) {
            if (NeighbourLabelRect(slot).Contains(x, y)) {
                return {MapHitKind::NeighbourLabel,
                        catalogue_.records[static_cast<std::size_t>(record_)]
                            .neighbours[static_cast<std::size_t>(slot)]
                            .code};
            }
        }
        return {};
    }
    case MapLevel::Mesh: {
        const CDPoint point = PixelToGeo(x, y, View(), Inner());
        const int code = GetMesh3Code(point.x, point.y);
        return code > 0 ? MapHit{MapHitKind::Mesh, code} : MapHit{};
    }
    }
    return {};
}

int SiteSelectionModel::HitSite(int x, int y) const {
    if (level_ == MapLevel::National || sheetPicking_ || !Inner().Contains(x, y)) {
        return kNone;
    }
    for (int i = 0; i < static_cast<int>(catalogue_.sites.size()); ++i) {
        if (!SiteVisible(i)) {
            continue;
        }
        if (level_ != MapLevel::Block &&
            std::none_of(siteLines_.begin(), siteLines_.end(),
                         [i](const ListLine& line) { return line.value == i; })) {
            continue;
        }
        if (MarkerHitRect(*SitePixel(i)).Contains(x, y)) {
            return i;
        }
    }
    return kNone;
}

int SiteSelectionModel::HitArrow(int x, int y) const {
    for (int d = 0; d < 4; ++d) {
        if (ArrowRect(static_cast<ArrowDirection>(d)).Contains(x, y)) {
            return d;
        }
    }
    return kNone;
}

void SiteSelectionModel::MouseMove(int x, int y) {
    if (balloon_ || Sliding()) {
        return;
    }
    hoveredItem_ = HitItem(x, y);
    hoveredSite_ = HitSite(x, y);
    hoveredArrow_ = level_ == MapLevel::Mesh ? HitArrow(x, y) : kNone;
}

void SiteSelectionModel::MouseDown(int x, int y) {
    releaseEndsDoubleClick_ = false;
    if (balloon_ || Sliding()) {
        return;
    }
    pressedItem_ = HitItem(x, y);
    pressedSite_ = HitSite(x, y);
    pressedArrow_ = level_ == MapLevel::Mesh ? HitArrow(x, y) : kNone;
}

MapCommand SiteSelectionModel::MouseUp(int x, int y) {
    if (std::exchange(releaseEndsDoubleClick_, false)) {
        pressedItem_ = {};
        pressedSite_ = pressedArrow_ = kNone;
        return {MapAction::Redraw};
    }
    if (balloon_ || Sliding()) {
        return {};
    }
    const int previousArea = selectedArea_;
    const MapHit item = HitItem(x, y);
    const int site = HitSite(x, y);
    const int arrow = level_ == MapLevel::Mesh ? HitArrow(x, y) : kNone;
    const MapHit pressedItem = pressedItem_;
    const int pressedSite = pressedSite_, pressedArrow = pressedArrow_;
    pressedItem_ = {};
    pressedSite_ = pressedArrow_ = kNone;

    const bool onPressed = item.Hit() && item == pressedItem;
    switch (level_) {
    case MapLevel::National:
        if (!onPressed) {
            return {};
        }
        if (item.code == 7) {
            return {MapAction::OpenArea, kIzuIslandsArea, 300};
        }
        if (item.code == 8 || item.code == 9) {
            return {MapAction::OpenArea, kOgasawaraArea, 300};
        }
        return {MapAction::OpenBlock, item.code, 300};
    case MapLevel::Block:
        selectedArea_ = onPressed ? item.code : kNone;
        break;
    case MapLevel::Area:
        if (onPressed) {
            return {sheetPicking_ ? MapAction::OpenSheet : MapAction::OpenArea, item.code,
                    sheetPicking_ ? 0 : 300};
        }
        break;
    case MapLevel::Mesh:
        if (arrow != kNone && arrow == pressedArrow) {
            return {MapAction::Slide, arrow};
        }
        SelectMeshOnRelease(x, y, item, pressedItem);
        return {MapAction::Redraw};
    }
    // Levels 1 and 2: the site marker released on.
    selectedSite_ = (site != kNone && site == pressedSite) ? site : kNone;
    if (level_ == MapLevel::Block && selectedSite_ != kNone) {
        selectedArea_ = AreaOfSite(selectedSite_);
    }
    if (level_ == MapLevel::Block && selectedArea_ != previousArea) {
        const int keep = selectedSite_;
        RefreshSiteLines();
        selectedSite_ = keep;
    }
    return {MapAction::Redraw};
}

void SiteSelectionModel::SelectMeshOnRelease(int x, int y, const MapHit& item,
                                             const MapHit& pressedItem) {
    auto findSite = [this](int number) { return FindSiteIndex(catalogue_.sites, number); };
    const CDPoint point = PixelToGeo(x, y, View(), Inner());
    const int releaseSite =
        item.Hit() ? GetSiteOfPoint(meshes_, point.x, point.y, findSite) : kNone;
    int pressSite = kNone;
    if (pressedItem.Hit()) {
        const int entry = meshes_.FindMeshEntry(pressedItem.code);
        pressSite =
            entry >= 0 ? FindSiteIndex(catalogue_.sites, meshes_.entry(entry).siteNumber) : kNone;
    }
    // Within one site's meshes the press and the release may differ.
    const bool sameSite = releaseSite != kNone && releaseSite == pressSite;
    selectedMesh_ = sameSite ? item.code : kNone;
    selectedSite_ = sameSite ? releaseSite : kNone;
}

MapCommand SiteSelectionModel::DoubleClick(int x, int y) {
    releaseEndsDoubleClick_ = true;
    if (balloon_ || level_ == MapLevel::National || !Inner().Contains(x, y)) {
        return {};
    }
    if (selectedSite_ >= 0) {
        return {MapAction::Accept, kNone, 500};
    }
    if (level_ == MapLevel::Block && selectedArea_ >= 0) {
        RefreshSiteLines();
        return {MapAction::Redraw};
    }
    return {};
}

void SiteSelectionModel::MouseLeave() {
    hoveredItem_ = pressedItem_ = {};
    hoveredSite_ = pressedSite_ = kNone;
    hoveredArrow_ = pressedArrow_ = kNone;
}

// Buttons

MapCommand SiteSelectionModel::Back() {
    if (level_ == MapLevel::Block || (level_ == MapLevel::Area && AreaIsSpecial(record_))) {
        return {MapAction::OpenNational};
    }
    if (level_ == MapLevel::Area || level_ == MapLevel::Mesh) {
        const int area = level_ == MapLevel::Area ? record_ : selectedArea_;
        const int parent = ParentBlockOf(area);
        if (AreaIsSpecial(area) || parent == kNone) {
            return {MapAction::OpenNational};
        }
        return {MapAction::OpenBlock, parent};
    }
    return {};
}

MapCommand SiteSelectionModel::AreaMap() {
    if (selectedArea_ < kBlockCount) {
        return {};
    }
    return {MapAction::OpenArea, selectedArea_};
}

void SiteSelectionModel::ToggleSheetPicking() {
    if (level_ != MapLevel::Area) {
        return;
    }
    const bool on = !sheetPicking_;
    ResetPointer();
    sheetPicking_ = on;
}

std::string SiteSelectionModel::BalloonText() const {
    return printMode_ ? "印刷対象地点を選択してください。"
                      : "グラフを表示する地点を選択してください。";
}

std::string SiteSelectionModel::SheetLabel() const {
    const CDRect view = View();
    const std::string name =
        LookupSheetName((view.left + view.right) / 2, (view.top + view.bottom) / 2);
    return name.empty() ? std::to_string(sheet_) : name;
}

MapControls SiteSelectionModel::Controls() const {
    MapControls c;
    const bool areaSelected = selectedArea_ >= kBlockCount;
    c.okEnabled = selectedSite_ >= 0;
    switch (level_) {
    case MapLevel::National:
        c.prompt = "地図上でクリックして、ブロックを選択してください。";
        c.title = "全国地図";
        c.paneName = c.title;
        c.areaMapEnabled = areaSelected;
        break;
    case MapLevel::Block:
        c.prompt = "地図上でクリックして、エリアまたは地点を選択してください。";
        c.title = AreaName(record_) + "ブロック";
        c.paneName = "ブロック地図 " + AreaName(record_);
        c.backEnabled = true;
        c.areaMapEnabled = areaSelected;
        break;
    case MapLevel::Area:
        c.prompt = sheetPicking_ ? "地図上でクリックして、1Kmメッシュ地図の領域を選択してください。"
                                 : "地図上でクリックして、地点を選択してください。";
        c.title = AreaName(record_);
        c.paneName = "エリア別地図 " + AreaName(record_);
        c.backEnabled = true;
        c.backToNational = AreaIsSpecial(record_) || ParentBlockOf(record_) == kNone;
        c.meshEnabled = true;
        c.areaListShown = false;
        c.areaListEnabled = c.siteListEnabled = !sheetPicking_;
        c.okEnabled = c.okEnabled && !sheetPicking_;
        break;
    case MapLevel::Mesh:
        c.prompt = "地図上でクリックして、1Kmメッシュを選択してください。";
        c.title = "1Kmメッシュ地図";
        c.paneName = c.title + " " + SheetLabel();
        c.backEnabled = true;
        c.backToNational = AreaIsSpecial(selectedArea_) || ParentBlockOf(selectedArea_) == kNone;
        c.areaMapEnabled = areaSelected && !AreaIsSpecial(selectedArea_);
        c.areaListShown = false;
        c.areaListEnabled = false;
        break;
    }
    if (level_ == MapLevel::Block) {
        c.backToNational = true;
    }
    return c;
}

// Sliding

double SiteSelectionModel::SlideDisplacementDeg(ArrowDirection direction, int step) {
    const double s =
        (direction == ArrowDirection::West || direction == ArrowDirection::East) ? 0.5 : 1.0 / 3.0;
    const double k = step - kSlideSteps;
    return s * (1.0 - k * k / (kSlideSteps * kSlideSteps));
}

bool SiteSelectionModel::StartSlide(ArrowDirection direction) {
    const int next = NeighbourSheet(direction);
    if (level_ != MapLevel::Mesh || !SheetPictureExists(catalogue_.mapFolder, next)) {
        return false;
    }
    slideFrom_ = sheet_;
    slideDirection_ = direction;
    sheet_ = next; // the new picture is the current one while the old image slides out
    slideStep_ = 0;
    ResetPointer();
    return true;
}

bool SiteSelectionModel::SlideStep() {
    if (slideFrom_ == kNone) {
        return false;
    }
    ++slideStep_;
    if (slideStep_ < kSlideSteps) {
        return true;
    }
    slideStep_ = 0;
    slideFrom_ = kNone;
    selectedBlock_ = selectedArea_ = kNone;
    selectedMesh_ = kNone;
    searchMarker_ = false;
    OpenSheet(sheet_);
    return false;
}

PixelOffset SiteSelectionModel::SlidePictureOffset() const {
    if (!Sliding()) {
        return {};
    }
    const CDRect view = ViewOfSheet(slideFrom_);
    const PixelRect inner = Inner();
    const double d = SlideDisplacementDeg(slideDirection_, slideStep_);
    const int dx = Round(d * inner.Width() / (view.right - view.left));
    const int dy = Round(d * inner.Height() / std::fabs(view.top - view.bottom));
    switch (slideDirection_) {
    case ArrowDirection::West:
        return {dx, 0};
    case ArrowDirection::East:
        return {-dx, 0};
    case ArrowDirection::South:
        return {0, -dy};
    case ArrowDirection::North:
        return {0, dy};
    }
    return {};
}

GeoShift SiteSelectionModel::SlideTickOffset() const {
    if (!Sliding()) {
        return {};
    }
    const double d = SlideDisplacementDeg(slideDirection_, slideStep_);
    const double s = SlideDisplacementDeg(slideDirection_, kSlideSteps);
    switch (slideDirection_) {
    case ArrowDirection::West:
        return {s - d, 0.0};
    case ArrowDirection::East:
        return {d - s, 0.0};
    case ArrowDirection::South:
        return {0.0, s - d};
    case ArrowDirection::North:
        return {0.0, d - s};
    }
    return {};
}

} // namespace quorvane
