#pragma once

#include "data/pixel_types.h"

namespace quorvane {

// The graphs' name for the half-open pixel rectangle every hit test uses.
using GraphRect = PixelRect;

} // namespace quorvane
