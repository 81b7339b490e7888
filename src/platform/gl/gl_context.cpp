#include "platform/gl/gl_context.h"

#include "platform/gl/gl_target.h"

namespace {

std::string GlString(GLenum name) {
    const auto* text = reinterpret_cast<const char*>(glGetString(name));
    return text ? text : "";
}

}  // namespace

#ifdef __EMSCRIPTEN__
// The page's canvas has one WebGL 2 context (Emscripten's EGL keeps one at a
// time): every caller shares it, whatever version it asks for, and it lives
// as long as the page.
SDL_GLContext CreateGlContext(SDL_Window* window, int, int, std::string& error) {
    static SDL_GLContext page = nullptr;
    if (page) {
        SDL_GL_MakeCurrent(window, page);
        return page;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    page = SDL_GL_CreateContext(window);
    if (!page) error = std::string("this browser offers no WebGL 2: ") + SDL_GetError();
    return page;
}

void ReleaseGlContext(SDL_GLContext) {}

GlDriverInfo QueryGlDriverInfo(SDL_Window* window) {
    GlDriverInfo info;
    std::string error;
    if (!window || !CreateGlContext(window, 3, 0, error)) return info;
    info.renderer = GlString(GL_RENDERER);
    info.vendor = GlString(GL_VENDOR);
    info.version = GlString(GL_VERSION);
    info.obtained = true;
    SDL_GL_MakeCurrent(window, nullptr);
    return info;
}
#else
SDL_GLContext CreateGlContext(SDL_Window* window, int major, int minor, std::string& error) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, major);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, minor);
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context) {
        error = SDL_GetError();
        return nullptr;
    }
    if (epoxy_gl_version() < major * 10 + minor) {
        error = "OpenGL " + GlString(GL_VERSION) + " is older than " + std::to_string(major) + "." +
                std::to_string(minor);
        SDL_GL_DeleteContext(context);
        return nullptr;
    }
    return context;
}

void ReleaseGlContext(SDL_GLContext context) { SDL_GL_DeleteContext(context); }

GlDriverInfo QueryGlDriverInfo(SDL_Window* window) {
    GlDriverInfo info;
    if (!window) return info;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context) return info;
    info.renderer = GlString(GL_RENDERER);
    info.vendor = GlString(GL_VENDOR);
    info.version = GlString(GL_VERSION);
    info.obtained = true;
    SDL_GL_MakeCurrent(window, nullptr);
    SDL_GL_DeleteContext(context);
    return info;
}
#endif
