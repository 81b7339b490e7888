// Scalable font faces found by family name, in the game library first and
// through fontconfig (not in a browser) for the names it lacks, drawn with
// FreeType: the screen fonts, the canvas, the text
// meshes and the launcher share them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gamelib/bitmap.h"

typedef struct FT_FaceRec_* FT_Face;

// Unicode code points of UTF-8 text; malformed bytes become U+FFFD.
std::vector<uint32_t> DecodeUtf8(const std::string& text);

class FontFace {
public:
    // The face for the family and style, opened once and kept for the
    // program's life: the game library's when it carries one (families it
    // carries a metric twin of included), else the one fontconfig picks.
    // Null when neither has one; the first such family is reported to the
    // player, each one on standard error.
    static FontFace* Get(const std::string& family, bool bold, bool italic);

    // Em height in pixels for the metrics and drawing below.
    void SetPixelHeight(int pixels);
    int Ascent() const;
    // Ascent plus descent: the height of a line and of every character cell.
    int LineHeight() const;
    // Advance in pixels (0 for a character the face lacks and no fallback).
    int Advance(uint32_t codepoint);
    int TextWidth(const std::string& utf8);
    // Draws antialiased text in `rgb` with its cell's top-left corner at
    // (x, y), blending by coverage; clipped to the bitmap.
    void DrawText(Bitmap& bitmap, int x, int y, const std::string& utf8, uint32_t rgb);

    FT_Face Face() const { return face_; }
    // The font file's bytes, alive as long as the face.
    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    // The library entry or the file the face came from.
    const std::string& Source() const { return source_; }

private:
    FontFace(FT_Face face, std::vector<uint8_t> bytes, std::string source)
        : face_(face), bytes_(std::move(bytes)), source_(std::move(source)) {}
    void DrawGlyph(Bitmap& bitmap, int penX, int baseline, uint32_t rgb);
    FT_Face face_;
    std::vector<uint8_t> bytes_;
    std::string source_;
};

// The game library's entry for a carried face:
// "fonts\<family without spaces>-<Regular|Bold|Italic|BoldItalic>.ttf".
std::string LibraryFaceName(const std::string& family, bool bold, bool italic);
