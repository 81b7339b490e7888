#include "replay/replay_input.h"

#include "framework/gameglobals.h"
#include "platform/keyboard.h"

namespace {

// The mouse's three buttons, the joystick's role buttons.
constexpr int kButtons = PAD_ROLE_BUTTONS;

struct KeyRole {
    int32_t TSettings::*binding;
    uint8_t bit;
};
const KeyRole kRoles[] = {
    {&TSettings::keyLeft, REPLAY_KEY_LEFT},   {&TSettings::keyRight, REPLAY_KEY_RIGHT},
    {&TSettings::keyThrust, REPLAY_KEY_THRUST}, {&TSettings::keyBrake, REPLAY_KEY_BRAKE},
    {&TSettings::keyFire, REPLAY_KEY_FIRE},   {&TSettings::keyAltFire, REPLAY_KEY_ALT_FIRE},
    {&TSettings::keyShield, REPLAY_KEY_SHIELD},
};

void ApplyState(TInputDevice& device, const ReplayDevice& state) {
    device.x = state.x;
    device.y = state.y;
    for (int b = 0; b < kButtons; ++b) device.held[b] = (state.buttons >> b) & 1;
}

}  // namespace

uint8_t CaptureReplayKeys() {
    uint8_t keys = 0;
    for (const KeyRole& role : kRoles)
        if (GetKeyState(settings.*role.binding) & 0x8000) keys |= role.bit;
    return keys;
}

void DriveReplayKeys(uint8_t keys) {
    ReleaseAllPhysicalKeys();
    ReleaseAllDrivenKeys();
    for (const KeyRole& role : kRoles)
        if (keys & role.bit) SetDrivenKey(settings.*role.binding, true);
}

ReplayDevice CaptureReplayDevice(const TInputDevice& device, int dx) {
    ReplayDevice state;
    state.x = device.x;
    state.y = device.y;
    state.dx = dx;
    for (int b = 0; b < kButtons && b < device.buttonCount; ++b)
        if (device.held[b]) state.buttons |= static_cast<uint8_t>(1 << b);
    return state;
}

int ReplayMouse::Setup() {
    created = true;
    buttonCount = kButtons;
    return 0;
}

int ReplayMouse::Poll() {
    ApplyState(*this, next);
    dx = next.dx;
    return 0;
}

int ReplayJoystick::Setup() {
    created = found = true;
    buttonCount = kButtons;
    return 0;
}

int ReplayJoystick::Poll() {
    ApplyState(*this, next);
    return 0;
}
