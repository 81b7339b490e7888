#include "launcher/launcher_host.h"

#include <SDL.h>

#include "framework/display.h"
#include "game/session_globals.h"
#include "launcher/documentation.h"
#include "launcher/play.h"
#include "platform/message_box.h"
#include "platform/native_events.h"
#include "platform/sdl_window.h"
#include "replay/play_tap.h"

namespace {

// Joins a game started from the launcher: the launcher goes out of sight
// once the game is set up, before its first frame.
class LauncherTap : public PlayTap {
public:
    LauncherTap(LauncherHost& host, GameRun kind) : host_(host), kind_(kind) {}

    float Frame(int64_t frame, float dt) override {
        if (frame == 1) {
            host_.ShowLauncher(false);
            if (kind_ == GameRun::Demo) MarkDemoWindow();
        }
        host_.GameFrame(frame);
        return dt;
    }

private:
    static void MarkDemoWindow() {
        if (SDL_Window* window = NativeWindow(theGameWindow)) {
            const std::string title = SDL_GetWindowTitle(window);
            SDL_SetWindowTitle(window, (title + " - Demo (press any key to return)").c_str());
        }
    }

    LauncherHost& host_;
    GameRun kind_;
};

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

}  // namespace

bool LauncherHost::Confirm(const std::string& text, const std::string& caption) { return AskYesNo(text, caption); }

bool LauncherHost::RunGame(TGame& game, GameRun kind) {
    LauncherTap tap(*this, kind);
    PlayOptions options;
    options.autopilot = kind == GameRun::Demo;
    options.tap = &tap;
    int listener = 0;
    if (kind == GameRun::Demo)
        listener = AddNativeEventListener([](const SDL_Event& event) {
            if (EndsDemo(event)) endRequested = 1;
        });
    PlaySummary summary;
    const bool ok = PlayGame(game, options, summary);
    if (listener) RemoveNativeEventListener(listener);
    return ok;
}

bool LauncherHost::OpenFile(const std::string& path) { return OpenWithDesktop(path); }
