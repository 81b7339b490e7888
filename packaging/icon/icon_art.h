// The program's icon as a few flat shapes on a 256-unit square: a disc of
// space with stars, a large rock with craters, two fragments, the player's
// ship and its shot. The same shapes are rasterised to PNG and written as SVG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Point {
    double x, y;
};

struct Rgba {
    uint8_t r, g, b, a;
};

// A fill that runs from `from` at `start` to `to` at `end` (flat when equal).
struct Paint {
    Rgba from, to;
    Point start, end;
    Rgba At(Point p) const;
};

struct Shape {
    enum Kind { Disc, Polygon, Stroke } kind;
    std::vector<Point> points;  // Disc: the centre; Stroke: the two ends
    double radius = 0;          // Disc radius or half the stroke's width
    Paint paint;
};

constexpr double kIconUnits = 256.0;

// The shapes, back to front.
const std::vector<Shape>& IconShapes();

// RGBA pixels of a size x size rendering, 4 x 4 samples per pixel; outside
// every shape is transparent.
std::vector<uint8_t> RenderIcon(int size);
std::string IconSvg();
