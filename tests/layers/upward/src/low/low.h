#pragma once
// Reaches up into the layer above: the include check must reject it.
#include "high/high.h"
