#include "gamelib/d3dcanvas.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "gamelib/font_face.h"
#include "gamelib/fontman.h"
#include "platform/resources.h"

namespace {

struct CanvasFont {
    const char* face;
    int height;
};
constexpr CanvasFont kCanvasFonts[NUM_CANVAS_FONTS] = {
    {"Times New Roman", 22}, {"Courier New", 43}, {"Courier New", 32},
    {"Courier New", 38},     {"Courier New", 48}, {"Courier New", 53},
};

FontFace* CurrentFace(const TCanvas& canvas) {
    FontFace* face = FontFace::Get(canvas.fontName, false, false);
    if (face) face->SetPixelHeight(canvas.fontHeight);
    return face;
}

// A bitmap pixel (0x00RRGGBB) for a GDI colour.
uint32_t PixelOf(COLORREF colour) { return ColorRefToArgb(colour, 0); }

}  // namespace

void TCanvas::Clear(COLORREF colour) {
    for (int y = 0; y < bitmap.height; ++y) {
        uint32_t* row = bitmap.Pixels32(y);
        for (int x = 0; x < bitmap.width; ++x) row[x] = PixelOf(colour);
    }
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    if (FontFace* face = CurrentFace(*this)) face->DrawText(bitmap, x, y, text, PixelOf(fontColor));
}

int TCanvas::TextWidth(const std::string& text) {
    FontFace* face = CurrentFace(*this);
    return face ? face->TextWidth(text) : 0;
}

D3DCOLOR ColorRefToArgb(COLORREF colour, uint32_t alpha) {
    return (alpha & 0xFF) << 24 | (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}

std::unique_ptr<Texture> CreateCanvasTexture(Device*, int width, int height) {
    return std::make_unique<Texture>(width, height, 1, D3DFMT_A8R8G8B8);
}

void FillTexture(int w, int h, D3DCOLOR argb, Texture* texture) {
    D3DLOCKED_RECT locked;
    if (!texture || texture->BytesPerTexel() != 4 || FAILED(texture->LockRect(0, &locked))) return;
    int rows = std::min<int>(h, int(texture->Height(0))), cols = std::min<int>(w, int(texture->Width(0)));
    for (int y = 0; y < rows; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.pBits) + size_t(y) * locked.Pitch);
        for (int x = 0; x < cols; ++x) row[x] = argb;
    }
    texture->UnlockRect(0);
}

bool CopyBitmapToTexture(const Bitmap* bitmap, COLORREF keyColour, uint32_t alpha, int w, int h,
                         Texture* texture) {
    if (!bitmap || !texture || w <= 0 || h <= 0 || w > bitmap->width || h > bitmap->height) return false;
    if (bitmap->bitsPerPixel != 32 || texture->BytesPerTexel() != 4) return false;
    w = std::min<int>(w, int(texture->Width(0)));
    h = std::min<int>(h, int(texture->Height(0)));
    uint32_t key = ColorRefToArgb(keyColour, 0);
    D3DLOCKED_RECT locked;
    if (FAILED(texture->LockRect(0, &locked))) return false;
    for (int y = 0; y < h; ++y) {
        const uint32_t* pixels = bitmap->Pixels32(y);
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.pBits) + size_t(y) * locked.Pitch);
        for (int x = 0; x < w; ++x)
            if (pixels[x] != key) row[x] = (pixels[x] & 0xFFFFFF) | (alpha & 0xFF) << 24;
    }
    return SUCCEEDED(texture->UnlockRect(0));
}

void CanvasText(TCanvas& canvas, int selector, int x, int y, COLORREF colour, const char* text) {
    if (!text) return;
    canvas.fontColor = colour;
    int index = selector & ~FONT_CENTER_X;
    if (index >= 0 && index < NUM_CANVAS_FONTS) {
        canvas.fontName = kCanvasFonts[index].face;
        canvas.fontHeight = kCanvasFonts[index].height;
    }
    if (selector & FONT_CENTER_X) x = (x - canvas.TextWidth(text)) / 2;
    canvas.TextOut(x, y, text);
}

void CanvasTextF(TCanvas& canvas, int selector, int x, int y, COLORREF colour, const char* format, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    CanvasText(canvas, selector, x, y, colour, buffer);
}
