// TJoystick on SDL joysticks and game controllers, with hot-plug.
#include <SDL.h>

#include <algorithm>

#include "framework/gameglobals.h"
#include "input/joystick.h"
#include "input/pad_bindings.h"

namespace {

constexpr int AXIS_RANGE = 1000;

// The bindings of the roles read as buttons, in PadRoleButton order.
constexpr int32_t TSettings::*BUTTON_ROLES[PAD_ROLE_BUTTONS] = {&TSettings::padFire, &TSettings::padAltFire,
                                                                &TSettings::padShield};

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
    } else {
        joystick = SDL_JoystickOpen(deviceIndex);
        if (!joystick) return false;
    }
    const int buttons = SDL_JoystickNumButtons(joystick);
    rawButtons = std::clamp(buttons, 0, int(PAD_BUTTON_END));
    buttonCount = PAD_ROLE_BUTTONS;
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
    rawButtons = 0;
    created = false;
}

PadLayout TJoystick::Layout() const { return native && !controller ? PadLayout::Raw : PadLayout::Controller; }

void TJoystick::DeviceAdded(int deviceIndex) {
    if (native || !SDL_WasInit(SDL_INIT_JOYSTICK)) return;
    ClearButtons();
    x = y = 0;
    found = Open(deviceIndex);
    if (found && onChange) onChange();
}

void TJoystick::DeviceRemoved(int removedId) {
    if (!native || removedId != instanceId) return;
    Lose();
    for (int i = 0; i < SDL_NumJoysticks() && !found; ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) != removedId) found = Open(i);
    if (onChange) onChange();
}

void TJoystick::Lose() {
    ReleaseDevice();
    ClearButtons();
    found = false;
    productName.clear();
    x = y = 0;
}

int TJoystick::Poll() {
    if (!native) return -1;
    SDL_JoystickUpdate();
    auto* joystick = static_cast<SDL_Joystick*>(native);
    if (!SDL_JoystickGetAttached(joystick)) return -1;
    auto* pad = static_cast<SDL_GameController*>(controller);
    auto down = [pad, joystick](int32_t binding) { return PadControlDown(pad, joystick, binding); };
    for (int role = 0; role < PAD_ROLE_BUTTONS; ++role) {
        released[role] = 0;
        if (down(settings.*BUTTON_ROLES[role])) {
            held[role] = 1;
        } else {
            released[role] = held[role];
            held[role] = 0;
        }
    }
    x = Deflection(down(settings.padLeft), down(settings.padRight));
    y = Deflection(down(settings.padThrust), false);
    return 0;
}
