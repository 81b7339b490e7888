// Display adapters and their modes, as the launcher lists them and the
// display setup reports them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3dtypes.h"

// One display mode: 16 bytes.
struct DisplayMode {
    uint32_t width = 0, height = 0, refreshRate = 0;
    D3DFORMAT format = D3DFMT_X8R8G8B8;
    bool operator==(const DisplayMode&) const = default;
};
static_assert(sizeof(DisplayMode) == 16);

// Names of the displays in order; empty when there is no video.
std::vector<std::string> AdapterNames();
// The 32-bit (X8R8G8B8) modes of a display in the platform's order.
std::vector<DisplayMode> EnumModes(int adapter);
// Height of the desktop on a display; 0 when unknown.
int ScreenHeight(int adapter);

// "%d: " with the mode count, then "%dx%d:%d:%d " per mode while the text
// stays below 1,024 characters with 16 to spare; a piece that does not fit
// is skipped and the next one tried.
std::string DescribeModes(const std::vector<DisplayMode>& modes);

// Height of the frame and caption a window manager adds to a window.
// Borders are only known once a window is mapped, so a typical value stands
// in for the platform's dialog-frame plus caption height.
constexpr int kFrameAndCaptionHeight = 26;
// Outer window height for a client `height`: frame and caption added unless
// the sum is not below the screen's height, in which case `height` alone.
int GameWindowHeight(int height, int frameAndCaption, int screenHeight);
