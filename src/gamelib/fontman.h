// The game's three screen fonts, drawn in a virtual 800 x 600 screen.
#pragma once

#include <cstdint>

#include "platform/d3dtypes.h"

class Device;
class CD3DFont;

// Selector bit: centre the text horizontally on the screen.
constexpr int FONT_CENTER_X = 0x100;
constexpr int NUM_SCREEN_FONTS = 3;

// Creates the fonts scaled from the virtual size to the screen size; each
// one's glyphs are drawn when ScreenFont first gives it out.
void SetupFonts(Device* device, int virtualWidth, int virtualHeight, int screenWidth, int screenHeight);
void ReleaseFonts();
// Font 0, 1 or 2 (with FONT_CENTER_X or not); null for any other selector or
// before SetupFonts.
CD3DFont* ScreenFont(int selector);

void DrawScreenText(int selector, double x, double y, D3DCOLOR colour, const char* text);

// The screen text of one font drawn while this lives goes out in one draw
// when it ends.
class ScreenTextBatch {
public:
    explicit ScreenTextBatch(int selector);
    ~ScreenTextBatch();
    ScreenTextBatch(const ScreenTextBatch&) = delete;
    ScreenTextBatch& operator=(const ScreenTextBatch&) = delete;

private:
    CD3DFont* font_;
};
void DrawScreenTextF(int selector, double x, double y, D3DCOLOR colour, const char* format, ...)
    __attribute__((format(printf, 5, 6)));
