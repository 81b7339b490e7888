// OpenGL contexts on SDL windows.
#pragma once

#include <SDL_video.h>

#include <string>

// What the driver says about itself.
struct GlDriverInfo {
    std::string renderer, vendor, version;
    bool obtained = false;
};

// A core-profile context of at least `major`.`minor`, made current on
// `window`. Null with the reason in `error`.
SDL_GLContext CreateGlContext(SDL_Window* window, int major, int minor, std::string& error);

// Opens a context of any version on `window` just to read the driver's
// names, then deletes it. Leaves no context current.
GlDriverInfo QueryGlDriverInfo(SDL_Window* window);
