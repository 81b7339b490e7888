#include "gamelib/fontman.h"

#include <cstdarg>
#include <cstdio>
#include <memory>

#include "gamelib/d3dfont.h"

namespace {

struct ScreenFontFace {
    const char* face;
    int points;  // at an 800-pixel-wide screen
};
constexpr ScreenFontFace kFonts[NUM_SCREEN_FONTS] = {{"Times New Roman", 16}, {"Courier New", 32}, {"Courier New", 24}};

std::unique_ptr<CD3DFont> fonts[NUM_SCREEN_FONTS];
bool drawable[NUM_SCREEN_FONTS] = {};  // glyphs drawn and draw state made
Device* fontDevice = nullptr;
double horizontalFactor = 1.0, verticalFactor = 1.0;
int screenWidthPixels = 800;

}  // namespace

void SetupFonts(Device* device, int virtualWidth, int virtualHeight, int screenWidth, int screenHeight) {
    ReleaseFonts();
    fontDevice = device;
    horizontalFactor = double(screenWidth) / virtualWidth;
    verticalFactor = double(screenHeight) / virtualHeight;
    screenWidthPixels = screenWidth;
    for (int i = 0; i < NUM_SCREEN_FONTS; ++i) {
        fonts[i] = std::make_unique<CD3DFont>(kFonts[i].face, static_cast<int>(kFonts[i].points * horizontalFactor));
        fonts[i]->logPixelsY = 96;
    }
}

void ReleaseFonts() {
    for (int i = 0; i < NUM_SCREEN_FONTS; ++i) {
        if (!fonts[i]) continue;
        fonts[i]->ReleaseDrawResources();
        fonts[i]->ReleaseAtlas();
        fonts[i].reset();
        drawable[i] = false;
    }
}

// A font's glyphs are drawn when it is first asked for: a game that shows no
// text (headless play) never spends its start-up on them.
CD3DFont* ScreenFont(int selector) {
    int index = selector & ~FONT_CENTER_X;
    if (index < 0 || index >= NUM_SCREEN_FONTS || !fonts[index]) return nullptr;
    if (!drawable[index]) {
        drawable[index] = true;
        fonts[index]->CreateAtlas(fontDevice);
        fonts[index]->CreateDrawResources();
    }
    return fonts[index].get();
}

void DrawScreenText(int selector, double x, double y, D3DCOLOR colour, const char* text) {
    CD3DFont* font = ScreenFont(selector);
    if (!font) return;
    int px = static_cast<int>(x * horizontalFactor), py = static_cast<int>(y * verticalFactor);
    if (selector & FONT_CENTER_X) px = (screenWidthPixels - font->MeasureText(text).cx) / 2;
    font->RenderText(float(px), float(py), colour, text, 0);
}

ScreenTextBatch::ScreenTextBatch(int selector) : font_(ScreenFont(selector)) {
    if (font_) font_->BeginBatch();
}

ScreenTextBatch::~ScreenTextBatch() {
    if (font_) font_->EndBatch();
}

void DrawScreenTextF(int selector, double x, double y, D3DCOLOR colour, const char* format, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    DrawScreenText(selector, x, y, colour, buffer);
}
