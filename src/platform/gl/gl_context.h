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
// `window`. Null with the reason in `error`. In a browser page: the page's
// one WebGL 2 context, shared by every caller.
SDL_GLContext CreateGlContext(SDL_Window* window, int major, int minor, std::string& error);
// Deletes a context from CreateGlContext (the page's one stays).
void ReleaseGlContext(SDL_GLContext context);

// Opens a context of any version on `window` just to read the driver's
// names, then deletes it. Leaves no context current.
GlDriverInfo QueryGlDriverInfo(SDL_Window* window);
