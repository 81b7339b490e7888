// Where on the field a sound happens, as the sound manager's pan: the play
// area's left edge is -1, its middle 0, its right edge 1; beyond an edge, the
// edge.
#pragma once

#include <algorithm>

#include "game/bounding.h"

inline float FieldPan(double x) { return float(std::clamp(x / PLAY_AREA_EDGE, -1.0, 1.0)); }
