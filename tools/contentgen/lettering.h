// Text lettering for generated pictures: glyphs rendered with FreeType from
// a font that fontconfig finds, as grey coverage masks.
#pragma once

#include <functional>
#include <string>

#include "image.h"

namespace contentgen {

class Lettering {
public:
    // `pattern` is a fontconfig pattern such as "Liberation Sans:bold".
    explicit Lettering(const std::string& pattern);
    ~Lettering();
    Lettering(const Lettering&) = delete;
    Lettering& operator=(const Lettering&) = delete;

    // Coverage (0..1 in every channel) of one line of text at the given
    // pixel height, cropped to the pen box plus `margin` pixels all round.
    Image Render(const std::string& text, int pixelSize, int margin = 0, float tracking = 0.0f) const;

private:
    struct Face;
    Face* face_;
};

// Blends fill(x, y) into `target` through the mask placed at (x, y).
void PaintMask(Image& target, const Image& mask, int x, int y, const std::function<Rgb(int, int)>& fill,
               float opacity = 1.0f);
// A mask made wider by `radius` pixels (a soft outline or glow source).
Image DilateMask(const Image& mask, int radius);

}  // namespace contentgen
