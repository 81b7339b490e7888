#include "framework/display_modes.h"

#include <SDL.h>

#include <cstdio>

#include "platform/sdl_window.h"

std::vector<std::string> AdapterNames() {
    std::vector<std::string> names;
    if (!InitSdlVideo()) return names;
    const int count = SDL_GetNumVideoDisplays();
    for (int i = 0; i < count; ++i) {
        const char* name = SDL_GetDisplayName(i);
        names.emplace_back(name ? name : "");
    }
    return names;
}

std::vector<DisplayMode> EnumModes(int adapter) {
    std::vector<DisplayMode> modes;
    if (!InitSdlVideo()) return modes;
    const int count = SDL_GetNumDisplayModes(adapter);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(adapter, i, &mode) != 0 || SDL_BITSPERPIXEL(mode.format) != 24 ||
            SDL_BYTESPERPIXEL(mode.format) != 4)
            continue;
        modes.push_back({static_cast<uint32_t>(mode.w), static_cast<uint32_t>(mode.h),
                         static_cast<uint32_t>(mode.refresh_rate), D3DFMT_X8R8G8B8});
    }
    return modes;
}

int ScreenHeight(int adapter) {
    SDL_DisplayMode mode;
    if (!InitSdlVideo() || SDL_GetDesktopDisplayMode(adapter, &mode) != 0) return 0;
    return mode.h;
}

std::string DescribeModes(const std::vector<DisplayMode>& modes) {
    constexpr size_t kLimit = 1024, kSpare = 16;
    std::string text = std::to_string(modes.size()) + ": ";
    for (const DisplayMode& m : modes) {
        char piece[64];
        const int length = std::snprintf(piece, sizeof piece, "%ux%u:%u:%u ", m.width, m.height, m.refreshRate,
                                         static_cast<unsigned>(m.format));
        if (text.size() + static_cast<size_t>(length) + kSpare < kLimit) text += piece;
    }
    return text;
}

int GameWindowHeight(int height, int frameAndCaption, int screenHeight) {
    const int outer = height + frameAndCaption;
    return outer < screenHeight ? outer : height;
}
