// The canvas: text drawn into a 32-bit off-screen bitmap and copied into a
// texture (the high score board).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "gamelib/bitmap.h"
#include "platform/d3dtypes.h"

class Device;
class Texture;

// A GDI colour: red in the low byte, then green, then blue.
using COLORREF = uint32_t;
constexpr COLORREF RGB(uint32_t r, uint32_t g, uint32_t b) { return (r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16; }

constexpr int NUM_CANVAS_FONTS = 6;

class TCanvas {
public:
    TCanvas(int width, int height) : bitmap(width, height) {}

    // Sets every pixel to `colour`.
    void Clear(COLORREF colour);
    // UTF-8 text in the current font and colour, its cell's top-left at (x, y).
    void TextOut(int x, int y, const std::string& text);
    int TextWidth(const std::string& text);

    Bitmap bitmap;
    std::string fontName = "Times New Roman";
    int fontHeight = 22;  // character height in pixels
    COLORREF fontColor = 0;
};

// ARGB with `alpha` on top of the GDI colour's red, green and blue.
D3DCOLOR ColorRefToArgb(COLORREF colour, uint32_t alpha);

// One level of A8R8G8B8.
std::unique_ptr<Texture> CreateCanvasTexture(Device* device, int width, int height);
// The top-left w x h texels of level 0 set to `argb`.
void FillTexture(int w, int h, D3DCOLOR argb, Texture* texture);
// Copies the top-left w x h pixels into level 0 of `texture` with `alpha`,
// leaving texels under pixels equal to `keyColour` unchanged. False (texture
// untouched) without a bitmap, for sizes outside it or a bitmap that is not
// 32 bits per pixel.
bool CopyBitmapToTexture(const Bitmap* bitmap, COLORREF keyColour, uint32_t alpha, int w, int h,
                         Texture* texture);

// Selector 0..5 (FONT_CENTER_X may be added) picks a canvas font; any other
// keeps the current one. With FONT_CENTER_X the text is centred in [0, x).
void CanvasText(TCanvas& canvas, int selector, int x, int y, COLORREF colour, const char* text);
void CanvasTextF(TCanvas& canvas, int selector, int x, int y, COLORREF colour, const char* format, ...)
    __attribute__((format(printf, 6, 7)));
