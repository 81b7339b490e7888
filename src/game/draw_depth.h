// The shared depth cursor of a frame: every drawn object takes the current
// value as its z and lowers it by its own radius, so later objects lie nearer
// the camera. The session sets it before the background and the world.
#pragma once

extern double drawDepth;

// Returns the current depth and lowers the cursor by `radius`.
inline double TakeDrawDepth(double radius) {
    double depth = drawDepth;
    drawDepth -= radius;
    return depth;
}
