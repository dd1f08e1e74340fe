#pragma once

#include "map/site_selection.h"

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPen>
#include <array>

class QPainter;

namespace quorvane {

// The pens, brushes and fonts of the site selection map.
struct MapStyles {
    QPen black, grey, grid, balloonOutline, balloonShadow, selectedMeshOutline;
    QPen hoveredAreaOutline, selectedAreaOutline;
    QBrush block, hover, selected, balloon, areaLabel, blockName, neighbourHover, searchMarker;
    QBrush labelNormal, labelSelected, text, selectedMeshFill, hoveredMeshFill;
    QFont font8, font10, font10Bold, font12, font14, font16Bold, font20Bold;

    static MapStyles Make();
};

// The pictures the map draws: the current map or sheet picture, the site markers
// (national; block normal and selected; area and mesh normal and selected) and the
// arrows (west, east, south, north, then the same hovered).
struct MapPictures {
    QImage map;
    std::array<QImage, 5> markers;
    std::array<QImage, 8> arrows;

    static MapPictures LoadMarkersAndArrows();
};

// The text extent in the map's 8-point font, for the label placement rules.
QSize MapTextSize(QPainter& p, const QString& text, const QFont& font);

// Everything of the present level except what follows the pointer: white ground,
// picture, frame ticks, names, grid, the selected site's meshes, site markers.
void PaintMapBase(QPainter& p, const SiteSelectionModel& model, const MapPictures& pictures,
                  const MapStyles& styles);
// While a sheet slides: the last base image moved, the new sheet's picture coming
// in behind it, and the new sheet's ticks.
void PaintSlidingBase(QPainter& p, const SiteSelectionModel& model, const QImage& lastBase,
                      const QImage& newPicture, const MapStyles& styles);
// What follows the pointer and the selection, over the base: blocks, areas, labels,
// sheets, meshes, arrows, site labels, the search marker; then the balloon and the
// frames.
void PaintMapOverlay(QPainter& p, const SiteSelectionModel& model, const MapPictures& pictures,
                     const MapStyles& styles);

// The whole pane: base and overlay into one image of the pane's size.
QImage RenderMapPane(const SiteSelectionModel& model, const MapPictures& pictures,
                     const MapStyles& styles);

} // namespace quorvane
