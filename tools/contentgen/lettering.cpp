#include "lettering.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace contentgen {

struct Lettering::Face {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

namespace {

std::string FindFontFile(const std::string& pattern) {
    FcConfig* config = FcInitLoadConfigAndFonts();
    FcPattern* query = FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str()));
    FcConfigSubstitute(config, query, FcMatchPattern);
    FcDefaultSubstitute(query);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, query, &result);
    std::string file;
    FcChar8* path = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) file = reinterpret_cast<char*>(path);
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(query);
    FcConfigDestroy(config);
    if (file.empty()) throw std::runtime_error("no font matches '" + pattern + "'");
    return file;
}

}  // namespace

Lettering::Lettering(const std::string& pattern) : face_(new Face) {
    std::string file = FindFontFile(pattern);
    if (FT_Init_FreeType(&face_->library) != 0 || FT_New_Face(face_->library, file.c_str(), 0, &face_->face) != 0) {
        if (face_->library) FT_Done_FreeType(face_->library);
        delete face_;
        throw std::runtime_error("cannot open font " + file);
    }
}

Lettering::~Lettering() {
    FT_Done_Face(face_->face);
    FT_Done_FreeType(face_->library);
    delete face_;
}

Image Lettering::Render(const std::string& text, int pixelSize, int margin, float tracking) const {
    FT_Face face = face_->face;
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
    const int ascent = static_cast<int>(face->size->metrics.ascender >> 6);
    const int descent = static_cast<int>(-face->size->metrics.descender >> 6);
    // First pass measures the pen advance.
    long pen = 0;
    FT_UInt previous = 0;
    for (unsigned char ch : text) {
        FT_UInt glyph = FT_Get_Char_Index(face, ch);
        if (previous && FT_HAS_KERNING(face)) {
            FT_Vector kern;
            FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &kern);
            pen += kern.x;
        }
        FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT);
        pen += face->glyph->advance.x + static_cast<long>(tracking * 64);
        previous = glyph;
    }
    const int width = static_cast<int>(pen >> 6) + 2 * margin + pixelSize / 4;
    const int height = ascent + descent + 2 * margin;
    Image mask(width, height);
    pen = static_cast<long>(margin) << 6;
    previous = 0;
    for (unsigned char ch : text) {
        FT_UInt glyph = FT_Get_Char_Index(face, ch);
        if (previous && FT_HAS_KERNING(face)) {
            FT_Vector kern;
            FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &kern);
            pen += kern.x;
        }
        FT_Load_Glyph(face, glyph, FT_LOAD_RENDER);
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        int left = static_cast<int>(pen >> 6) + face->glyph->bitmap_left;
        int top = margin + ascent - face->glyph->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            for (unsigned col = 0; col < bitmap.width; ++col) {
                int x = left + static_cast<int>(col), y = top + static_cast<int>(row);
                if (x < 0 || y < 0 || x >= width || y >= height) continue;
                float a = bitmap.buffer[row * bitmap.pitch + col] / 255.0f;
                Rgb& p = mask.At(x, y);
                float v = std::max(p.r, a);
                p = {v, v, v};
            }
        }
        pen += face->glyph->advance.x + static_cast<long>(tracking * 64);
        previous = glyph;
    }
    return mask;
}

void PaintMask(Image& target, const Image& mask, int x, int y, const std::function<Rgb(int, int)>& fill,
               float opacity) {
    for (int j = 0; j < mask.Height(); ++j) {
        for (int i = 0; i < mask.Width(); ++i) {
            float a = mask.At(i, j).r * opacity;
            if (a <= 0) continue;
            target.Blend(x + i, y + j, fill(x + i, y + j), std::min(a, 1.0f));
        }
    }
}

Image DilateMask(const Image& mask, int radius) {
    Image out(mask.Width(), mask.Height());
    for (int y = 0; y < mask.Height(); ++y) {
        for (int x = 0; x < mask.Width(); ++x) {
            float best = 0;
            for (int dy = -radius; dy <= radius; ++dy) {
                for (int dx = -radius; dx <= radius; ++dx) {
                    int sx = x + dx, sy = y + dy;
                    if (sx < 0 || sy < 0 || sx >= mask.Width() || sy >= mask.Height()) continue;
                    float fall = std::clamp(radius + 0.5f - std::hypot(static_cast<float>(dx), static_cast<float>(dy)),
                                            0.0f, 1.0f);
                    best = std::max(best, mask.At(sx, sy).r * fall);
                }
            }
            out.At(x, y) = {best, best, best};
        }
    }
    return out;
}

}  // namespace contentgen
