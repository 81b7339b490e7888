// The device base, creation of the two devices and the selection at Play.
#include "input/joystick.h"

#include <SDL.h>

#include <algorithm>

#include "platform/native_events.h"

TJoystick* theJoystick = nullptr;
TDIMouse* theMouse = nullptr;

namespace {

constexpr uint32_t COOP_EXCLUSIVE = 1, COOP_NONEXCLUSIVE = 2, COOP_FOREGROUND = 4;

int g_listener = 0;
bool g_controllerSubsystem = false;

}  // namespace

void TInputDevice::SetExclusive(bool e) {
    exclusive = e;
    coopFlags = (coopFlags & ~3u) | (e ? COOP_EXCLUSIVE : COOP_NONEXCLUSIVE);
}

void TInputDevice::Init(GameWindow* w) {
    window = w;
    created = false;
    coopFlags = COOP_EXCLUSIVE | COOP_FOREGROUND;
    exclusive = true;
}

void TInputDevice::ReleaseDevice() { created = false; }

void TInputDevice::ClearButtons() {
    std::fill(std::begin(pressed), std::end(pressed), 0);
    std::fill(std::begin(held), std::end(held), 0);
    std::fill(std::begin(released), std::end(released), 0);
}

int CreateInputDevices() {
    DestroyInputDevices();
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return -1;
    g_controllerSubsystem = true;

    theJoystick = new TJoystick;
    theJoystick->Init(nullptr);
    theJoystick->Setup();

    theMouse = new TDIMouse;
    theMouse->Init(nullptr);
    theMouse->buttonCount = 3;
    theMouse->SetBounds(0, 0, 1000, 1000);
    theMouse->velocity = 1.0;
    theMouse->threshold1 = 8;
    theMouse->threshold2 = 16;
    theMouse->factor1 = theMouse->factor2 = theMouse->factor3 = theMouse->factor4 = 1.0;
    theMouse->accelEnabled = true;

    g_listener = AddNativeEventListener(HandleInputEvent);
    return 0;
}

void DestroyInputDevices() {
    if (g_listener) RemoveNativeEventListener(g_listener);
    g_listener = 0;
    delete theJoystick;
    theJoystick = nullptr;
    delete theMouse;
    theMouse = nullptr;
    if (g_controllerSubsystem) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    g_controllerSubsystem = false;
}

void SetWindow(TInputDevice* device, GameWindow* window) {
    if (device) device->window = window;
}

void HandleInputEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_MOUSEMOTION:
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (theMouse) theMouse->HandleEvent(event);
            break;
        case SDL_JOYDEVICEADDED:
            if (theJoystick) theJoystick->DeviceAdded(event.jdevice.which);
            break;
        case SDL_CONTROLLERDEVICEADDED:
            if (theJoystick) theJoystick->DeviceAdded(event.cdevice.which);
            break;
        case SDL_JOYDEVICEREMOVED:
            if (theJoystick) theJoystick->DeviceRemoved(event.jdevice.which);
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            if (theJoystick) theJoystick->DeviceRemoved(event.cdevice.which);
            break;
        default:
            break;
    }
}

InputDevice SelectInputDeviceForPlay(GameWindow* gameWindow, InputDevice requested, int mouseVelocity) {
    if (requested == INPUT_JOYSTICK) {
        if (!theJoystick || !theJoystick->found) return INPUT_KEYBOARD;
        SetWindow(theJoystick, gameWindow);
    } else if (requested == INPUT_MOUSE) {
        if (!theMouse) return INPUT_KEYBOARD;
        SetWindow(theMouse, gameWindow);
        theMouse->velocity = (mouseVelocity + 1) * 0.25;
        if (theMouse->Setup() != 0) return INPUT_KEYBOARD;
        SetWindow(theMouse, gameWindow);
    }
    return requested;
}

void ReleaseInputAfterPlay() {
    if (theMouse) theMouse->ReleaseDevice();
}
