#include "launcher/launcher_game.h"

#include <SDL.h>

#include <cstdlib>

#include "framework/display.h"
#include "game/session_globals.h"
#include "platform/native_events.h"
#include "platform/sdl_window.h"

namespace {

// The pointer moved this far, in pixels, since the demo began.
constexpr int kDemoPointerThreshold = 4;

struct Point {
    int x = 0, y = 0;
};

Point PointerOnScreen() {
    Point p;
    SDL_GetGlobalMouseState(&p.x, &p.y);
    return p;
}

// Any key, button, stick or pointer motion ends a demo, but for the
// screenshot key. The pointer counts once it has really moved: a window
// appearing under a still pointer reports motion too.
bool EndsDemo(const SDL_Event& event, Point pointerAtStart) {
    switch (event.type) {
        case SDL_KEYDOWN: return event.key.keysym.scancode != SDL_SCANCODE_F12;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEWHEEL: return true;
        case SDL_MOUSEMOTION: {
            const Point now = PointerOnScreen();
            return std::abs(now.x - pointerAtStart.x) + std::abs(now.y - pointerAtStart.y) >= kDemoPointerThreshold;
        }
        default: return IsControllerInput(event);
    }
}

void MarkDemoWindow() {
    if (SDL_Window* window = NativeWindow(theGameWindow)) {
        const std::string title = SDL_GetWindowTitle(window);
        SDL_SetWindowTitle(window, (title + " - Demo (press any key to return)").c_str());
    }
}

}  // namespace

bool IsControllerInput(const SDL_Event& event) {
    // A stick pushed this far (of 32767) is the player's hand, not drift.
    constexpr int kStickThreshold = 16000;
    switch (event.type) {
        case SDL_JOYBUTTONDOWN:
        case SDL_CONTROLLERBUTTONDOWN: return true;
        case SDL_JOYHATMOTION: return event.jhat.value != SDL_HAT_CENTERED;
        case SDL_JOYAXISMOTION: return std::abs(event.jaxis.value) >= kStickThreshold;
        case SDL_CONTROLLERAXISMOTION: return std::abs(event.caxis.value) >= kStickThreshold;
        default: return false;
    }
}

LauncherGame::LauncherGame(LauncherHost& host, TGame& game, GameRun kind) : host_(host), kind_(kind) {
    options_.autopilot = kind == GameRun::Demo;
    options_.tap = this;
    if (kind == GameRun::Demo)
        demoListener_ = AddNativeEventListener([start = PointerOnScreen()](const SDL_Event& event) {
            if (EndsDemo(event, start)) endRequested = 1;
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
