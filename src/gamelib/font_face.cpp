#include "gamelib/font_face.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <map>
#include <memory>
#include <tuple>

namespace {

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library l = nullptr;
        return FT_Init_FreeType(&l) == 0 ? l : nullptr;
    }();
    return library;
}

bool ResolveFontFile(const std::string& family, bool bold, bool italic, std::string& file, int& index) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return false;
    FcChar8* path = nullptr;
    bool ok = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch;
    if (ok) file = reinterpret_cast<const char*>(path);
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
    FcPatternDestroy(match);
    return ok;
}

}  // namespace

std::vector<uint32_t> DecodeUtf8(const std::string& text) {
    std::vector<uint32_t> out;
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        unsigned c = *p++;
        int extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0) {
            out.push_back(0xFFFD);
            continue;
        }
        uint32_t cp = extra ? c & (0x3F >> extra) : c;
        bool ok = true;
        for (int i = 0; i < extra; ++i) {
            if (p >= end || (*p & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = cp << 6 | (*p++ & 0x3F);
        }
        out.push_back(ok ? cp : 0xFFFD);
    }
    return out;
}

FontFace* FontFace::Get(const std::string& family, bool bold, bool italic) {
    static std::map<std::tuple<std::string, bool, bool>, std::unique_ptr<FontFace>> cache;
    auto key = std::make_tuple(family, bold, italic);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second.get();
    std::string file;
    int index = 0;
    FT_Face face = nullptr;
    if (!Library() || !ResolveFontFile(family, bold, italic, file, index) ||
        FT_New_Face(Library(), file.c_str(), index, &face) != 0)
        return cache.emplace(key, nullptr).first->second.get();
    return cache.emplace(key, std::unique_ptr<FontFace>(new FontFace(face, file))).first->second.get();
}

void FontFace::SetPixelHeight(int pixels) { FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixels > 0 ? pixels : 1)); }

int FontFace::Ascent() const { return static_cast<int>(face_->size->metrics.ascender >> 6); }

int FontFace::LineHeight() const {
    return static_cast<int>((face_->size->metrics.ascender - face_->size->metrics.descender) >> 6);
}

int FontFace::Advance(uint32_t codepoint) {
    if (FT_Load_Char(face_, codepoint, FT_LOAD_DEFAULT) != 0) return 0;
    return static_cast<int>((face_->glyph->advance.x + 32) >> 6);
}

int FontFace::TextWidth(const std::string& utf8) {
    int width = 0;
    for (uint32_t c : DecodeUtf8(utf8)) width += Advance(c);
    return width;
}

void FontFace::DrawText(Bitmap& bitmap, int x, int y, const std::string& utf8, uint32_t rgb) {
    int baseline = y + Ascent();
    for (uint32_t c : DecodeUtf8(utf8)) {
        if (FT_Load_Char(face_, c, FT_LOAD_RENDER) != 0) continue;
        DrawGlyph(bitmap, x, baseline, rgb);
        x += static_cast<int>((face_->glyph->advance.x + 32) >> 6);
    }
}

void FontFace::DrawGlyph(Bitmap& bitmap, int penX, int baseline, uint32_t rgb) {
    if (bitmap.bitsPerPixel != 32) return;
    const FT_Bitmap& glyph = face_->glyph->bitmap;
    if (glyph.pixel_mode != FT_PIXEL_MODE_GRAY) return;
    int left = penX + face_->glyph->bitmap_left, top = baseline - face_->glyph->bitmap_top;
    for (unsigned row = 0; row < glyph.rows; ++row) {
        int y = top + static_cast<int>(row);
        if (y < 0 || y >= bitmap.height) continue;
        uint32_t* pixels = bitmap.Pixels32(y);
        const unsigned char* coverage = glyph.buffer + static_cast<long>(row) * glyph.pitch;
        for (unsigned col = 0; col < glyph.width; ++col) {
            int x = left + static_cast<int>(col);
            unsigned a = coverage[col];
            if (x < 0 || x >= bitmap.width || a == 0) continue;
            uint32_t p = pixels[x], out = 0;
            for (int shift = 0; shift <= 16; shift += 8) {
                unsigned dst = (p >> shift) & 0xFF, src = (rgb >> shift) & 0xFF;
                out |= ((src * a + dst * (255 - a) + 127) / 255) << shift;
            }
            pixels[x] = out;
        }
    }
}
