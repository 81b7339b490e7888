// Glyph outlines as flat polygons: the contours of a text in em units, y up,
// flattened to a maximum deviation.
#pragma once

#include <string>
#include <vector>

struct Point2 {
    double x, y;
};

struct TextOutline {
    std::vector<std::vector<Point2>> contours;  // closed; the first point is not repeated
    bool filledOnRight = true;                  // fill side when walking a contour
};

class FontFace;

// Outlines of `text` laid out on one line from the origin, one em = 1.0.
TextOutline OutlineText(FontFace& face, const std::string& text, double deviation);
