#include "launcher/launcher_game.h"

#include <SDL.h>

#include "framework/display.h"
#include "game/session_globals.h"
#include "platform/native_events.h"
#include "platform/sdl_window.h"

namespace {

// Any key or button ends a demo, but for the screenshot key.
bool EndsDemo(const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN: return event.key.keysym.scancode != SDL_SCANCODE_F12;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_JOYBUTTONDOWN:
        case SDL_CONTROLLERBUTTONDOWN: return true;
        default: return false;
    }
}

void MarkDemoWindow() {
    if (SDL_Window* window = NativeWindow(theGameWindow)) {
        const std::string title = SDL_GetWindowTitle(window);
        SDL_SetWindowTitle(window, (title + " - Demo (press any key to return)").c_str());
    }
}

}  // namespace

LauncherGame::LauncherGame(LauncherHost& host, TGame& game, GameRun kind) : host_(host), kind_(kind) {
    options_.autopilot = kind == GameRun::Demo;
    options_.tap = this;
    if (kind == GameRun::Demo)
        demoListener_ = AddNativeEventListener([](const SDL_Event& event) {
            if (EndsDemo(event)) endRequested = 1;
        });
    run_ = std::make_unique<PlayRun>(game, options_, summary_);
}

LauncherGame::~LauncherGame() {
    run_.reset();
    if (demoListener_) RemoveNativeEventListener(demoListener_);
}

float LauncherGame::Frame(int64_t frame, float dt) {
    if (frame == 1) {
        host_.ShowLauncher(false);
        if (kind_ == GameRun::Demo) MarkDemoWindow();
    }
    host_.GameFrame(frame);
    return dt;
}
