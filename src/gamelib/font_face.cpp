#include "gamelib/font_face.h"

#ifndef __EMSCRIPTEN__
#include <fontconfig/fontconfig.h>
#endif
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <tuple>

#include "gamelib/libman.h"
#include "platform/message_box.h"

namespace {

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library l = nullptr;
        return FT_Init_FreeType(&l) == 0 ? l : nullptr;
    }();
    return library;
}

// Families the games and tools name, drawn with the carried family of the
// same metrics.
constexpr std::pair<const char*, const char*> kMetricTwins[] = {
    {"Times New Roman", "Liberation Serif"}, {"Courier New", "Liberation Mono"}, {"Arial", "Liberation Sans"}};

struct FaceFile {
    std::vector<uint8_t> bytes;
    int index = 0;
    std::string source;
};

std::optional<FaceFile> FromLibrary(const std::string& family, bool bold, bool italic) {
    std::string carried = family;
    for (const auto& [asked, twin] : kMetricTwins)
        if (family == asked) carried = twin;
    const std::string name = LibraryFaceName(carried, bold, italic);
    TLibEntry* entry = LibGetFile(name.c_str());
    if (!entry) return std::nullopt;
    FaceFile face{std::vector<uint8_t>(entry->data, entry->data + entry->length), 0, name};
    LibReleaseFile(entry);
    return face;
}

#ifdef __EMSCRIPTEN__
// A browser has no fontconfig: every face comes from the game library.
constexpr const char* kSystemFonts = "";

std::optional<FaceFile> FromSystem(const std::string&, bool, bool) { return std::nullopt; }
#else
constexpr const char* kSystemFonts = " or known to fontconfig";

std::optional<FaceFile> FromFile(const std::string& path, int index) {
    FaceFile face{{}, index, path};
    std::ifstream in(path, std::ios::binary);
    if (in) face.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (face.bytes.empty()) return std::nullopt;
    return face;
}

std::optional<FaceFile> FromSystem(const std::string& family, bool bold, bool italic) {
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
    if (!match) return std::nullopt;
    FcChar8* path = nullptr;
    int index = 0;
    const bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch;
    const std::string file = found ? reinterpret_cast<const char*>(path) : "";
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
    FcPatternDestroy(match);
    if (!found) return std::nullopt;
    return FromFile(file, index);
}
#endif

void ReportMissing(const std::string& family, bool bold, bool italic) {
    static std::set<std::tuple<std::string, bool, bool>> reported;
    if (!reported.insert({family, bold, italic}).second) return;
    const std::string text = "No font face \"" + family + (bold ? " bold" : "") + (italic ? " italic" : "") +
                             "\" is in the game library" + kSystemFonts +
                             ": text drawn in it (such as the head-up display's numbers) will be missing.";
    if (reported.size() == 1)
        MessageBox(text, "Fonts");
    else
        std::fprintf(stderr, "rockpile: %s\n", text.c_str());
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

std::string LibraryFaceName(const std::string& family, bool bold, bool italic) {
    std::string name = "fonts\\";
    for (char c : family)
        if (c != ' ') name += c;
    return name + "-" + (bold ? (italic ? "BoldItalic" : "Bold") : (italic ? "Italic" : "Regular")) + ".ttf";
}

FontFace* FontFace::Get(const std::string& family, bool bold, bool italic) {
    // Only found faces are kept: a face missing before the library is open
    // may be found in it later.
    static std::map<std::tuple<std::string, bool, bool>, std::unique_ptr<FontFace>> cache;
    const auto key = std::make_tuple(family, bold, italic);
    if (auto it = cache.find(key); it != cache.end()) return it->second.get();
    std::optional<FaceFile> file = FromLibrary(family, bold, italic);
    if (!file) file = FromSystem(family, bold, italic);
    FT_Face face = nullptr;
    if (!Library() || !file ||
        FT_New_Memory_Face(Library(), file->bytes.data(), static_cast<FT_Long>(file->bytes.size()), file->index,
                           &face) != 0) {
        ReportMissing(family, bold, italic);
        return nullptr;
    }
    auto made = std::unique_ptr<FontFace>(new FontFace(face, std::move(file->bytes), std::move(file->source)));
    return cache.emplace(key, std::move(made)).first->second.get();
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
