#include "platform/sdl_window.h"

#include <SDL.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/sdl_events.h"

namespace {

std::vector<GameWindow*> g_windows;  // game windows with a live native window

}  // namespace

void SetColourOnlySurfaceAttributes() {
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}

#ifdef __EMSCRIPTEN__
SDL_Window* OpenNativeWindow(const std::string& title, int x, int y, int width, int height, uint32_t flags) {
    static SDL_Window* page = nullptr;
    if (!page) {
        page = SDL_CreateWindow(title.c_str(), x, y, width, height,
                                flags & ~uint32_t(SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_HIDDEN));
        return page;
    }
    SDL_SetWindowTitle(page, title.c_str());
    SDL_SetWindowSize(page, width, height);
    return page;
}

void ReleaseNativeWindow(SDL_Window*) {}
#else
SDL_Window* OpenNativeWindow(const std::string& title, int x, int y, int width, int height, uint32_t flags) {
    return SDL_CreateWindow(title.c_str(), x, y, width, height, flags);
}

void ReleaseNativeWindow(SDL_Window* window) { SDL_DestroyWindow(window); }
#endif

bool InitSdlVideo(std::string* error) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
    if (error) *error = SDL_GetError();
    return false;
}

GameWindow* CreateSdlWindow(GameEventHandler handler, const SdlWindowOptions& options) {
    if (!InitSdlVideo()) return nullptr;
    SetColourOnlySurfaceAttributes();
    uint32_t flags = SDL_WINDOW_OPENGL | (options.hidden ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN);
    if (options.fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    auto open = [&] { return OpenNativeWindow(options.title, options.x, options.y, options.width, options.height, flags); };
    SDL_Window* native = nullptr;
#ifndef __EMSCRIPTEN__
    if (options.depthStencil) {
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
        SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
        native = open();
        if (!native) SetColourOnlySurfaceAttributes();
    }
#endif
    if (!native) native = open();
    if (!native) return nullptr;
    GameWindow* window = CreateHeadlessWindow(std::move(handler));
    window->native = native;
    g_windows.push_back(window);
    SetEventPump(PumpSdlEvents);
    SetNativeDestroyHook(CloseNativeWindow);
    return window;
}

SDL_Window* NativeWindow(GameWindow* window) { return window ? static_cast<SDL_Window*>(window->native) : nullptr; }

GameWindow* WindowFromSdlId(uint32_t windowId) {
    SDL_Window* native = SDL_GetWindowFromID(windowId);
    if (!native) return nullptr;
    for (GameWindow* w : g_windows)
        if (w->native == native) return w;
    return nullptr;
}

void CloseNativeWindow(GameWindow* window) {
    if (!window) return;
    window->destroyed = true;
    SDL_Window* native = NativeWindow(window);
    if (!native) return;
    if (auto release = std::move(window->beforeNativeClose)) {
        window->beforeNativeClose = nullptr;
        release();
    }
    // A context left current on a destroyed surface would be drawn through.
    if (SDL_GL_GetCurrentWindow() == native) SDL_GL_MakeCurrent(native, nullptr);
    ReleaseNativeWindow(native);
    window->native = nullptr;
    g_windows.erase(std::remove(g_windows.begin(), g_windows.end(), window), g_windows.end());
}
