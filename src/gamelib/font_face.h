// Scalable font faces found by family name through fontconfig and drawn with
// FreeType: the screen fonts, the canvas and the text meshes share them.
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
    // The face fontconfig picks for the family and style, opened once and
    // kept for the program's life; null when no font file can be opened.
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
    const std::string& File() const { return file_; }

private:
    FontFace(FT_Face face, std::string file) : face_(face), file_(std::move(file)) {}
    void DrawGlyph(Bitmap& bitmap, int penX, int baseline, uint32_t rgb);
    FT_Face face_;
    std::string file_;
};
