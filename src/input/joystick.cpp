// Placeholder device bodies until the SDL input layer lands: no joystick is
// found and the mouse cannot be opened, so play falls back to the keyboard.
#include "input/joystick.h"

#include <algorithm>

TJoystick* theJoystick = nullptr;
TDIMouse* theMouse = nullptr;

void TInputDevice::SetExclusive(bool e) {
    exclusive = e;
    coopFlags = (coopFlags & ~3u) | (e ? 1u : 2u);
}

void TInputDevice::Init(HWND w) {
    window = w;
    created = false;
    coopFlags = 5;
    exclusive = true;
}

void TInputDevice::ReleaseDevice() { created = false; }

int TJoystick::Setup() {
    found = false;
    return -1;
}
int TJoystick::Poll() { return -1; }
void TJoystick::ReleaseDevice() { created = false; }

int TDIMouse::Setup() { return -1; }
int TDIMouse::Poll() { return -1; }
void TDIMouse::ReleaseDevice() { created = false; }

void TDIMouse::SetPosition(int px, int py) {
    x = std::clamp(px, minX, maxX);
    y = std::clamp(py, minY, maxY);
}

void TDIMouse::SetBounds(int x0, int y0, int x1, int y1) {
    minX = x0, minY = y0, maxX = x1, maxY = y1;
}

double TDIMouse::Accelerate(double value) const { return value * velocity; }

int CreateInputDevices() { return -1; }
void SetWindow(TInputDevice* device, HWND window) {
    if (device) device->window = window;
}
