#pragma once

#include "national/national_layout.h"

#include <QImage>
#include <optional>

class QPainter;

namespace quorvane {

// What stays while the pointer moves: the title, the map picture with its frame and
// the colour scale.
void PaintNationalBase(QPainter& p, const NationalLayout& layout, const QImage& picture);

// The markers: the hovered one (a marker index) larger and outlined, the current site's
// (a site index) ringed.
void PaintNationalMarkers(QPainter& p, const NationalLayout& layout,
                          std::optional<std::size_t> hovered, std::optional<std::size_t> current);

// Both, as the page, the picture files and the command line draw it.
void PaintNationalMap(QPainter& p, const NationalLayout& layout, const QImage& picture);

} // namespace quorvane
