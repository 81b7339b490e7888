// The whole launcher under an X server with nothing but a game controller
// (SDL's virtual one): A on the launcher plays, the game is flown with the
// stick and the buttons, and Back pauses it, abandons it and leaves it.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "framework/gameglobals.h"
#include "game/gamepacks.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "launcher/ui/launcher_app.h"

namespace fs = std::filesystem;

namespace {

class LauncherPadTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/rockpile-pad-XXXXXX";
        root_ = ::mkdtemp(pattern);
        ::setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
        const fs::path store = fs::path(root_) / "Kestrelworks";
        fs::create_directories(store);
        std::ofstream(store / "kwrockpile.ini") << "[kwrockpile]\ninputdevice=2\n";
        std::ofstream(store / "kwdriftrock_classic.ini") << "[kwdriftrock_classic]\nhidequickstart=1\n";
    }
    void TearDown() override { fs::remove_all(root_); }

    std::string root_;
};

// The launcher's window titled `title`, or null.
SDL_Window* WindowTitled(const char* title) {
    for (Uint32 id = 1; id < 64; ++id)
        if (SDL_Window* window = SDL_GetWindowFromID(id))
            if (SDL_GetWindowTitle(window) == std::string(title) && (SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN))
                return window;
    return nullptr;
}

// A controller with every button and axis, pressed through its bindings.
struct VirtualPad {
    SDL_GameController* controller = nullptr;
    SDL_Joystick* joystick = nullptr;
    bool Attach() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "Couch Pad";
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        if (index < 0) return false;
        controller = SDL_GameControllerOpen(index);
        joystick = SDL_GameControllerGetJoystick(controller);
        return controller != nullptr;
    }
    void Button(SDL_GameControllerButton button, bool down) {
        const SDL_GameControllerButtonBind bind = SDL_GameControllerGetBindForButton(controller, button);
        SDL_JoystickSetVirtualButton(joystick, bind.value.button, down ? SDL_PRESSED : SDL_RELEASED);
    }
    void Axis(SDL_GameControllerAxis axis, Sint16 value) {
        const SDL_GameControllerButtonBind bind = SDL_GameControllerGetBindForAxis(controller, axis);
        SDL_JoystickSetVirtualAxis(joystick, bind.value.axis, value);
    }
};

TEST_F(LauncherPadTest, APlaysAndTheGameIsFlownWithTheControllerAlone) {
    TRockpileGamePack pack;
    LauncherOptions options;
    options.library = ROCKPILE_LIBRARY_FILE;
    options.demoAfterSeconds = 0;
    VirtualPad pad;
    enum Step {
        ATTACH, FOCUS, PRESS_A, RELEASE_A, WAIT_GAME, FLY, LET_GO, FOCUS_GAME, PAUSE, WAIT_PAUSED, ABANDON,
        WAIT_OVER, NAME, WAIT_TABLE, LEAVE, WAIT_LAUNCHER, DONE
    } step = ATTACH;
    int frames = 0, flown = 0;
    Vector3 start;
    double startHeading = 0;
    bool moved = false, turned = false, held = false, named = false;
    // Taps a button: down in one frame, up in the next; true once let go.
    auto tap = [&](SDL_GameControllerButton button) {
        held = !held;
        pad.Button(button, held);
        return !held;
    };
    // Each step waits for what it needs; the whole run has a minute.
    const Uint32 deadline = SDL_GetTicks() + 60000;
    options.afterFrame = [&] {
        ++frames;
        if (SDL_TICKS_PASSED(SDL_GetTicks(), deadline)) return false;
        SDL_Window* shown = WindowTitled("Driftrock Classic");  // the launcher, or the game over it
        switch (step) {
            case ATTACH:
                if (!shown) return true;
                if (!pad.Attach()) return false;
                step = FOCUS;
                return true;
            case FOCUS:
                // The pad steers the window that has the keyboard.
                SDL_RaiseWindow(shown);
                SDL_SetWindowInputFocus(shown);
                if (SDL_GetKeyboardFocus() == shown) step = PRESS_A;
                return true;
            case PRESS_A:
                pad.Button(SDL_CONTROLLER_BUTTON_A, true);
                step = RELEASE_A;
                return true;
            case RELEASE_A:
                pad.Button(SDL_CONTROLLER_BUTTON_A, false);
                step = WAIT_GAME;
                return true;
            case WAIT_GAME:
                if (!theShip || gameState == GAME_STATE_NONE) return true;
                start = theShip->position;
                startHeading = theShip->heading;
                step = FLY;
                return true;
            case FLY:
                // Thrust and turn left with the stick, fire with A.
                pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, SDL_JOYSTICK_AXIS_MIN);
                pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, SDL_JOYSTICK_AXIS_MIN);
                pad.Button(SDL_CONTROLLER_BUTTON_A, true);
                if (theShip) {
                    moved = moved || D3DXVec3Length(theShip->position - start) > 1.0f;
                    turned = turned || theShip->heading != startHeading;
                }
                if (++flown >= 120) step = LET_GO;
                return true;
            case LET_GO:
                pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
                pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
                pad.Button(SDL_CONTROLLER_BUTTON_A, false);
                step = FOCUS_GAME;
                return true;
            case FOCUS_GAME:
                // Start and Back go to the game window once it has the
                // keyboard; Start resumes a pause its focus change made.
                if (SDL_GetKeyboardFocus() != shown) {
                    SDL_RaiseWindow(shown);
                    SDL_SetWindowInputFocus(shown);
                } else if (paused || held) {
                    tap(SDL_CONTROLLER_BUTTON_START);
                } else {
                    step = PAUSE;
                }
                return true;
            // Back pauses, abandons the paused game and leaves the score
            // table; Start accepts a name the score may ask for.
            case PAUSE:
                if (tap(SDL_CONTROLLER_BUTTON_BACK)) step = WAIT_PAUSED;
                return true;
            case WAIT_PAUSED:
                if (paused) step = ABANDON;
                return true;
            case ABANDON:
                if (tap(SDL_CONTROLLER_BUTTON_BACK)) step = WAIT_OVER;
                return true;
            case WAIT_OVER:
                if (gameState == GAME_STATE_ENTER_NAME) step = NAME;
                if (gameState == GAME_STATE_HIGH_SCORES) step = LEAVE;
                return true;
            case NAME:
                named = true;
                if (tap(SDL_CONTROLLER_BUTTON_START)) step = WAIT_TABLE;
                return true;
            case WAIT_TABLE:
                if (gameState == GAME_STATE_HIGH_SCORES) step = LEAVE;
                return true;
            case LEAVE:
                if (tap(SDL_CONTROLLER_BUTTON_BACK)) step = WAIT_LAUNCHER;
                return true;
            case WAIT_LAUNCHER:
                if (!theShip && shown) step = DONE;
                return step != DONE;
            case DONE: return false;
        }
        return false;
    };
    EXPECT_EQ(RunLauncher(pack, options), 0);
    EXPECT_EQ(step, DONE) << "stopped at step " << step << " after " << frames << " frames";
    EXPECT_EQ(settings.inputDevice, INPUT_JOYSTICK);
    EXPECT_TRUE(moved) << "the stick's thrust did not move the ship";
    EXPECT_TRUE(turned) << "the stick did not turn the ship";
    if (named) std::printf("the score made the table: Start accepted the name\n");
}

}  // namespace
