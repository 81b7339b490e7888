// TJoystick on SDL joysticks and game controllers, with hot-plug.
#include <SDL.h>

#include <algorithm>

#include "input/joystick.h"

namespace {

constexpr int AXIS_RANGE = 1000;
constexpr int DEFAULT_BUTTONS = 4;
constexpr int MAX_BUTTONS = 256;
constexpr SDL_GameControllerButton PAD_BUTTONS[] = {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B,
                                                    SDL_CONTROLLER_BUTTON_X, SDL_CONTROLLER_BUTTON_Y};

// SDL's -32,768 … 32,767 onto -1,000 … 1,000, both ends exact.
int ScaleAxis(int value) { return value < 0 ? value * AXIS_RANGE / 32768 : value * AXIS_RANGE / 32767; }

// Full deflection along one axis from a pair of direction switches, else 0.
int Deflection(bool negative, bool positive) { return negative ? -AXIS_RANGE : positive ? AXIS_RANGE : 0; }

}  // namespace

TJoystick::~TJoystick() { ReleaseDevice(); }

int TJoystick::Setup() {
    ClearButtons();
    found = false;
    x = y = 0;
    ReleaseDevice();
    productName.clear();
    if (!SDL_WasInit(SDL_INIT_JOYSTICK)) return -1;
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (Open(i)) {
            found = true;
            return 0;
        }
    return -1;
}

bool TJoystick::Open(int deviceIndex) {
    SDL_Joystick* joystick = nullptr;
    const char* name = nullptr;
    if (SDL_IsGameController(deviceIndex)) {
        auto* pad = SDL_GameControllerOpen(deviceIndex);
        if (!pad) return false;
        controller = pad;
        joystick = SDL_GameControllerGetJoystick(pad);
        name = SDL_GameControllerName(pad);
        buttonCount = DEFAULT_BUTTONS;
    } else {
        joystick = SDL_JoystickOpen(deviceIndex);
        if (!joystick) return false;
        const int buttons = SDL_JoystickNumButtons(joystick);
        buttonCount = buttons < 0 ? DEFAULT_BUTTONS : std::min(buttons, MAX_BUTTONS);
    }
    native = joystick;
    if (!name) name = SDL_JoystickName(joystick);
    productName = name ? name : "";
    instanceId = SDL_JoystickInstanceID(joystick);
    readMode = 2;
    created = true;
    return true;
}

void TJoystick::ReleaseDevice() {
    if (controller)
        SDL_GameControllerClose(static_cast<SDL_GameController*>(controller));
    else if (native)
        SDL_JoystickClose(static_cast<SDL_Joystick*>(native));
    controller = nullptr;
    native = nullptr;
    instanceId = -1;
    created = false;
}

void TJoystick::DeviceAdded(int deviceIndex) {
    if (native || !SDL_WasInit(SDL_INIT_JOYSTICK)) return;
    ClearButtons();
    x = y = 0;
    found = Open(deviceIndex);
}

void TJoystick::DeviceRemoved(int removedId) {
    if (!native || removedId != instanceId) return;
    Lose();
    for (int i = 0; i < SDL_NumJoysticks() && !found; ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) != removedId) found = Open(i);
}

void TJoystick::Lose() {
    ReleaseDevice();
    ClearButtons();
    found = false;
    productName.clear();
    x = y = 0;
}

int TJoystick::ReadAxis(int axis) const {
    auto* joystick = static_cast<SDL_Joystick*>(native);
    return axis < SDL_JoystickNumAxes(joystick) ? ScaleAxis(SDL_JoystickGetAxis(joystick, axis)) : 0;
}

int TJoystick::Poll() {
    if (!native) return -1;
    SDL_JoystickUpdate();
    auto* joystick = static_cast<SDL_Joystick*>(native);
    if (!SDL_JoystickGetAttached(joystick)) return -1;
    auto* pad = static_cast<SDL_GameController*>(controller);
    for (int i = 0; i < buttonCount; ++i) {
        const bool down = pad ? SDL_GameControllerGetButton(pad, PAD_BUTTONS[i]) != 0
                              : SDL_JoystickGetButton(joystick, i) != 0;
        released[i] = 0;
        if (down) {
            held[i] = 1;
        } else {
            released[i] = held[i];
            held[i] = 0;
        }
    }
    if (pad) {
        const int dpadX = Deflection(SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT),
                                     SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT));
        const int dpadY = Deflection(SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_UP),
                                     SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN));
        x = dpadX ? dpadX : ScaleAxis(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX));
        y = dpadY ? dpadY : ScaleAxis(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY));
    } else {
        const int hat = SDL_JoystickNumHats(joystick) > 0 ? SDL_JoystickGetHat(joystick, 0) : SDL_HAT_CENTERED;
        const int hatX = Deflection(hat & SDL_HAT_LEFT, hat & SDL_HAT_RIGHT);
        const int hatY = Deflection(hat & SDL_HAT_UP, hat & SDL_HAT_DOWN);
        x = hatX ? hatX : ReadAxis(0);
        y = hatY ? hatY : ReadAxis(1);
    }
    return 0;
}
