// The game window as an SDL window with an OpenGL surface. Game windows
// backed by SDL windows get their events from the SDL event pump
// (sdl_events.h).
#pragma once

#include <cstdint>
#include <string>

#include "platform/game_window.h"
#include "platform/target.h"

struct SDL_Window;

// Starts SDL's video subsystem once. False, with SDL's reason in `error`,
// when there is no display to draw on.
bool InitSdlVideo(std::string* error = nullptr);

struct SdlWindowOptions {
    std::string title;
    int x = 0, y = 0;
    int width = 800, height = 600;  // client area
    bool fullscreen = false;        // borderless, at the desktop's own mode
    bool hidden = false;
    // The window's own framebuffer gets 24-bit depth and 8-bit stencil, so a
    // device can draw into it directly (desktop only; without such a surface
    // the window is made colour-only).
    bool depthStencil = false;
};

// Native windows. On the desktop each one is a window of its own. A browser
// page has one, its canvas: every caller shares it, at the size the latest
// one asked for, never full screen (the page scales the canvas to the
// browser's window), and it is never destroyed.
SDL_Window* OpenNativeWindow(const std::string& title, int x, int y, int width, int height, uint32_t flags);
// The page's canvas while no game has it: the launcher's screen.
inline constexpr int kPageWidth = 1024, kPageHeight = 768;
void ReleaseNativeWindow(SDL_Window* window);

// Asks for a double-buffered 8-bit RGB window surface without depth or
// stencil, for windows whose drawing needs no more.
void SetColourOnlySurfaceAttributes();
// Creates the native window for `handler` (null on failure; SDL_GetError
// says why). Installs the SDL event pump and the native destroy hook.
GameWindow* CreateSdlWindow(GameEventHandler handler, const SdlWindowOptions& options);
SDL_Window* NativeWindow(GameWindow* window);
// The game window of an SDL window by its SDL id; null for windows made
// elsewhere.
GameWindow* WindowFromSdlId(uint32_t windowId);
// Releases the native window without sending any event; the window is marked
// destroyed. What DestroyGameWindow does after the Destroyed event.
void CloseNativeWindow(GameWindow* window);
