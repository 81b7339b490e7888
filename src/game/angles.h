// Rotation angles of world objects are kept below 6.28 (not 2 pi).
#pragma once

constexpr double ANGLE_WRAP = 6.28;

// Subtracts 6.28 while the angle exceeds it; one subtraction at any frame
// time below 6.28 / rate seconds.
inline double WrapAngle(double angle) {
    while (angle > ANGLE_WRAP) angle -= ANGLE_WRAP;
    return angle;
}
