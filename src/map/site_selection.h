#pragma once

#include "data/site_catalogue.h"
#include "map/area_polygons.h"
#include "map/map_geometry.h"
#include "map/mesh_layer.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// The site selection map as a plain model: the level shown, what is hovered,
// pressed and selected, the lists and the control states. The dialog feeds it pane
// coordinates and paints what it says; tests drive it without a window.

// What the map reads: the area and site tables, the area outlines and the map folder
// (sheet pictures and mesh tables).
struct MapCatalogue {
    const MapInfoTable& records;
    const std::vector<CAmedasPoint>& sites;
    const AreaOutlineTable& outlines;
    std::string mapFolder;
};

inline constexpr int kNone = -1;
inline constexpr int kSlideSteps = 30;

// The areas that stand for whole island blocks: block 7 opens the area map of the
// Izu Islands, blocks 8 and 9 (Ogasawara, Iwo Jima) that of the Ogasawara Islands.
// Their maps go back to the national map and have no area map button.
inline constexpr int kIzuIslandsArea = 47;
inline constexpr int kOgasawaraArea = 95;

// What the pointer is over on the present map: a block of the national map, an area
// of a block map, a neighbour's label or (picking sheets) a sheet of an area map,
// a third-order mesh of a mesh map.
enum class MapHitKind { Nothing, Block, Area, NeighbourLabel, Sheet, Mesh };
struct MapHit {
    MapHitKind kind = MapHitKind::Nothing;
    int code = kNone; // block number, area code, sheet or mesh code
    bool Hit() const { return kind != MapHitKind::Nothing; }
    friend bool operator==(const MapHit&, const MapHit&) = default;
};

// The result of a mouse release or a list action that the dialog must carry out.
enum class MapAction { None, Redraw, OpenNational, OpenBlock, OpenArea, OpenSheet, Slide, Accept };

struct MapCommand {
    MapAction action = MapAction::None;
    int target = kNone; // the block, area or sheet to open, or the slide direction
    int waitMs = 0;     // wait cursor shown before the action
};

// The texts and enabled states of the dialog's controls for the present state.
struct MapControls {
    std::string prompt;
    std::string title;
    std::string paneName; // what a screen reader calls the map: its kind and its name
    bool backEnabled = false;
    bool backToNational = true; // which of the back button's two pictures
    bool areaMapEnabled = false;
    bool meshEnabled = false;
    bool okEnabled = false;
    bool areaListEnabled = true;
    bool siteListEnabled = true;
    bool areaListShown = true; // levels 0 and 1; levels 2 and 3 widen the site list
};

struct ListLine {
    int value = kNone; // area code (area list) or catalogue index (site list)
    std::string text;
    friend bool operator==(const ListLine&, const ListLine&) = default;
};

enum class ArrowDirection { West = 0, East = 1, South = 2, North = 3 };

// A label box and where its text starts.
struct LabelBox {
    PixelRect box;
    PixelPoint text;
};

class SiteSelectionModel {
public:
    explicit SiteSelectionModel(MapCatalogue catalogue);

    // Opening: the current site's area map with the site selected, or the national
    // map when the site or its area is unknown.
    void Open(int currentSiteNumber, int currentAreaCode);

    void OpenNational();
    void OpenBlock(int block);
    void OpenArea(int area);
    // The mesh map of a sheet. From a search, the found point's site, area, block and
    // third-order mesh are selected and the search marker shown.
    void OpenSheet(int sheet);
    // A search result: false when the point lies on no sheet with a picture.
    bool OpenSearchResult(const std::string& name, double lonDeg, double latDeg);
    // A site found by name or number, selected as a click on its marker selects it:
    // its area map opens with the site selected. False, with the map unchanged,
    // when the site has no marker on its area map.
    bool SelectFoundSite(int siteIndex);

    // Pane coordinates. A double-click arrives as press, release, DoubleClick and a
    // last release; that release belongs to the double-click and changes nothing.
    void MouseMove(int x, int y);
    void MouseDown(int x, int y);
    MapCommand MouseUp(int x, int y);
    MapCommand DoubleClick(int x, int y);
    // The pointer left the pane: no hover or press highlight stays behind.
    void MouseLeave();

    // Lists: a line was selected or double-clicked.
    MapCommand SelectAreaLine(int line);
    MapCommand DoubleClickAreaLine(int line);
    MapCommand SelectSiteLine(int line);
    MapCommand DoubleClickSiteLine(int line);

    MapCommand Back();
    MapCommand AreaMap();
    void ToggleSheetPicking();
    bool CanAccept() const { return selectedSite_ >= 0; }

    // Sliding to the neighbouring sheet (level 3): Start returns false when there is
    // no picture in that direction; each Step advances one of the 30 steps and
    // returns false after the last, when the new sheet is open.
    bool StartSlide(ArrowDirection direction);
    bool SlideStep();
    bool Sliding() const { return slideStep_ > 0; }
    int SlideStepIndex() const { return slideStep_; }
    ArrowDirection SlideDirection() const { return slideDirection_; }
    int SlideFromSheet() const { return slideFrom_; }
    // Degrees the old picture has moved at step k: S x (1 - (k - 30)^2 / 900).
    static double SlideDisplacementDeg(ArrowDirection direction, int step);
    // Pixels the old picture is drawn shifted by at the present step.
    PixelOffset SlidePictureOffset() const;
    // The shift of the frame ticks of the new sheet at the present step.
    GeoShift SlideTickOffset() const;

    void SetPrintMode(bool printMode) { printMode_ = printMode; }
    bool PrintMode() const { return printMode_; }
    void SetBalloon(bool shown) { balloon_ = shown; }
    bool BalloonShown() const { return balloon_; }
    std::string BalloonText() const;

    MapLevel Level() const { return level_; }
    int Record() const { return record_; }
    int Sheet() const { return sheet_; }
    int SelectedBlock() const { return selectedBlock_; }
    int SelectedArea() const { return selectedArea_; }
    int SelectedSite() const { return selectedSite_; }
    int SelectedMesh() const { return selectedMesh_; }
    const MapHit& HoveredItem() const { return hoveredItem_; }
    const MapHit& PressedItem() const { return pressedItem_; }
    int HoveredSite() const { return hoveredSite_; }
    int HoveredArrow() const { return hoveredArrow_; }
    bool SheetPicking() const { return sheetPicking_; }
    bool SearchMarkerShown() const { return searchMarker_; }
    const std::string& SearchName() const { return searchName_; }
    CDPoint SearchPoint() const { return searchPoint_; }
    const MeshLayer& Meshes() const { return meshes_; }
    const MapCatalogue& Catalogue() const { return catalogue_; }

    const std::vector<ListLine>& AreaLines() const { return areaLines_; }
    const std::vector<ListLine>& SiteLines() const { return siteLines_; }
    int SelectedAreaLine() const;
    int SelectedSiteLine() const;
    MapControls Controls() const;

    // Geometry of the present view.
    CDRect View() const;
    PixelRect Inner() const { return MapInnerRect(); }
    GeoShift DisplayShift() const;
    // The site's marker anchor on this map, or nothing when it is not drawn here.
    std::optional<PixelPoint> SitePixel(int siteIndex) const;
    bool SiteVisible(int siteIndex) const;
    // The sites whose markers are drawn: the whole catalogue on levels 0 and 1, the
    // site list on levels 2 and 3; visible ones only.
    std::vector<int> MarkerSites() const;
    PixelRect MarkerHitRect(PixelPoint anchor) const;
    // The block's rectangle on the national map, insets applied.
    PixelRect BlockPixelRect(int block) const;
    PixelRect NeighbourLabelRect(int neighbourSlot) const;
    // The arrow areas of the pane (level 3), empty when that neighbour has no picture.
    PixelRect ArrowRect(ArrowDirection direction) const;
    int NeighbourSheet(ArrowDirection direction) const;
    // The site label placed for a text of the given size (levels' rules).
    LabelBox SiteLabel(PixelPoint anchor, int textWidth, int textHeight) const;
    // The search callout for a text of the given size, avoiding `avoid` (the selected
    // site's marker and label area; empty when none).
    LabelBox SearchCallout(PixelPoint point, int textWidth, int textHeight,
                           const PixelRect& avoid) const;

    // The mouse information: shown latitude and longitude (shift applied) and the
    // third-order code under a pane point, or nothing outside the inner rectangle or
    // on no mesh.
    struct MouseInfo {
        double latDeg = 0.0;
        double lonDeg = 0.0;
        int mesh3 = 0;
    };
    std::optional<MouseInfo> MouseInformation(int x, int y) const;

private:
    void EnterLevel(MapLevel level, int record);
    void ResetPointer();
    void RefreshLists();
    void RefreshAreaLines();
    void RefreshSiteLines();
    MapHit HitItem(int x, int y) const;
    // A release on the mesh map: the mesh and its site are selected when the press
    // was on a mesh of the same site, else neither.
    void SelectMeshOnRelease(int x, int y, const MapHit& item, const MapHit& pressedItem);
    int HitSite(int x, int y) const;
    std::optional<PixelPoint> SitePixelOn(int siteIndex, MapLevel level, const CDRect& view) const;
    bool SiteVisibleOn(int siteIndex, MapLevel level, const CDRect& view) const;
    int HitArrow(int x, int y) const;
    int ParentBlockOf(int area) const;
    int AreaOfSite(int siteIndex) const;
    std::string AreaName(int area) const;
    std::string SiteLineText(int siteIndex) const;
    // The sheet's map name, or its code where the name table has none.
    std::string SheetLabel() const;
    static bool AreaIsSpecial(int area) {
        return area == kIzuIslandsArea || area == kOgasawaraArea;
    }
    CDRect ViewOfSheet(int sheet) const;

    MapCatalogue catalogue_;
    MapLevel level_ = MapLevel::National;
    int record_ = 0;
    int sheet_ = kNone;
    int selectedBlock_ = kNone;
    int selectedArea_ = kNone;
    int selectedSite_ = kNone;
    int selectedMesh_ = kNone;
    MapHit hoveredItem_;
    MapHit pressedItem_;
    int hoveredSite_ = kNone;
    int pressedSite_ = kNone;
    int hoveredArrow_ = kNone;
    int pressedArrow_ = kNone;
    bool releaseEndsDoubleClick_ = false;
    int slideStep_ = 0;
    int slideFrom_ = kNone;
    ArrowDirection slideDirection_ = ArrowDirection::West;
    bool sheetPicking_ = false;
    bool searchMarker_ = false;
    bool openingFromSearch_ = false;
    std::string searchName_;
    CDPoint searchPoint_;
    bool printMode_ = false;
    bool balloon_ = false;
    MeshLayer meshes_;
    std::vector<ListLine> areaLines_;
    std::vector<ListLine> siteLines_;
};

} // namespace quorvane
