#include "launcher/ui/ui_system.h"

#include <imgui.h>

#include "gamelib/font_face.h"
#include "platform/gl/gl_context.h"
#include "platform/sdl_window.h"

UiSystem::UiSystem() : atlas_(IM_NEW(ImFontAtlas)) {}

ImFontAtlas* UiSystem::Atlas() {
    if (atlasBuilt_) return atlas_;
    atlasBuilt_ = true;
    for (int size = 0; size < 2; ++size) {
        for (uint32_t style = 0; style < 4; ++style) {
            const FontFace* face = FontFace::Get("Liberation Sans", style & STYLE_BOLD, style & STYLE_ITALIC);
            ImFontConfig config;
            config.OversampleH = 2;
            ImFont*& font = fonts_[size][style];
            config.FontDataOwnedByAtlas = false;  // the atlas copies the face's bytes until it is built
            if (face)
                font = atlas_->AddFontFromMemoryTTF(const_cast<uint8_t*>(face->Bytes().data()),
                                                    static_cast<int>(face->Bytes().size()), kFontSizes[size], &config);
            if (!font) font = style ? fonts_[size][0] : atlas_->AddFontDefault();
        }
    }
    atlas_->Build();
    // The glyphs are baked: the atlas's copies of the faces go.
    atlas_->ClearInputData();
    return atlas_;
}

void UiSystem::DropAtlasColourPixels() {
    // A window's renderer uploads the atlas as RGBA; the next one to start
    // converts it again from the one-channel pixels the atlas keeps.
    IM_FREE(atlas_->TexPixelsRGBA32);
    atlas_->TexPixelsRGBA32 = nullptr;
}

UiSystem::~UiSystem() {
    if (context_) ReleaseGlContext(context_);
    IM_DELETE(atlas_);
}

void UiSystem::PrepareWindowAttributes() {
    // Any OpenGL 3.0 context serves the interface, so the launcher still
    // comes up, and can report it, where the games' 3.3 core device fails.
#ifdef __EMSCRIPTEN__
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);  // WebGL 2
#else
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, 0);
#endif
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_FLAGS, 0);
    SetColourOnlySurfaceAttributes();
}

SDL_GLContext UiSystem::Context(SDL_Window* window, std::string& error) {
    if (context_) return context_;
    PrepareWindowAttributes();
    // A browser page's one context serves the games as well.
    context_ = kBrowserPage ? CreateGlContext(window, 3, 0, error) : SDL_GL_CreateContext(window);
    if (!context_) {
        if (!kBrowserPage) error = SDL_GetError();
        return nullptr;
    }
    // The launcher draws when something changes; never wait for the display.
    SDL_GL_SetSwapInterval(0);
    return context_;
}

void UiSystem::ReleaseContext() {
    if (kBrowserPage || !context_) return;
    SDL_GL_MakeCurrent(nullptr, nullptr);
    ReleaseGlContext(context_);
    context_ = nullptr;
}

ImFont* UiSystem::Font(uint32_t style, UiFontSize size) const {
    return fonts_[static_cast<int>(size)][style & (STYLE_BOLD | STYLE_ITALIC)];
}
