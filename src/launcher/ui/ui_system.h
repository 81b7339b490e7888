// What the launcher's windows share: one OpenGL context made current on
// each window in turn, and one font atlas with the regular, bold, italic
// and bold italic faces in two sizes.
#pragma once

#include <SDL_video.h>

#include <string>

#include "launcher/html_label.h"

struct ImFont;
struct ImFontAtlas;

enum class UiFontSize { Normal, Small };

class UiSystem {
public:
    static constexpr float kFontSizes[2] = {15.0f, 13.0f};

    UiSystem();
    ~UiSystem();
    UiSystem(const UiSystem&) = delete;
    UiSystem& operator=(const UiSystem&) = delete;

    // Sets the surface attributes every launcher window is created with.
    static void PrepareWindowAttributes();
    // The shared context, created on `window` the first time; null with
    // the reason in `error` when OpenGL is not available.
    SDL_GLContext Context(SDL_Window* window, std::string& error);
    // Deletes the shared context on the desktop, where what it holds in the
    // driver is worth having back while a game plays; the next Context()
    // makes a new one. What was made in it must be let go first. A browser
    // page's one context serves the games too and stays.
    void ReleaseContext();

    // The font atlas, built the first time: the faces come from the game
    // library when it is open by then (fontconfig only for faces it lacks).
    ImFontAtlas* Atlas();
    // Frees the atlas's RGBA pixels once a window's renderer has uploaded them.
    void DropAtlasColourPixels();
    // The face for a mix of STYLE_BOLD and STYLE_ITALIC (once Atlas() built it).
    ImFont* Font(uint32_t style, UiFontSize size = UiFontSize::Normal) const;
    static float PixelSize(UiFontSize size) { return kFontSizes[static_cast<int>(size)]; }

private:
    SDL_GLContext context_ = nullptr;
    ImFontAtlas* atlas_ = nullptr;
    bool atlasBuilt_ = false;
    ImFont* fonts_[2][4] = {};
};
