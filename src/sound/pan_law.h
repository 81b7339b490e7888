// Where a placed sound sits between the speakers. A pan of -1 is as far left
// as a sound goes, 0 the middle, 1 as far right. The law keeps the power
// of a sound the same wherever it is, and its width is moderate: at an edge
// the far speaker still plays the sound, EDGE_DIFFERENCE_DB under the near one.
#pragma once

constexpr double EDGE_DIFFERENCE_DB = 10.0;

struct StereoGains {
    float left;
    float right;
};

// The gains of the two speakers; pans beyond the edges are taken as the edge.
StereoGains PanGains(float pan);
