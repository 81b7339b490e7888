// Reading the flight controls (mouse, keyboard or joystick plus the fire,
// alternate-fire and shield keys) and steering with them.
#include "framework/gameglobals.h"
#include "game/ship.h"
#include "input/joystick.h"
#include "platform/keyboard.h"

namespace {

constexpr int kJoystickDeflection = 100;
constexpr double kTurnRate = 6.0;
constexpr double kMouseTurn = 0.01;

int32_t KeyDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) ? 1 : 0; }

int32_t ButtonHeld(const TInputDevice& device, int button) {
    return button < device.buttonCount && device.held[button] ? 1 : 0;
}

}  // namespace

void TShip::ReadControls() {
    int32_t previous = controls.fire;
    controls = ShipControls();
    controls.previousFire = previous;
    switch (settings.inputDevice) {
        case INPUT_MOUSE:
            if (!theMouse) break;
            controls.fire = ButtonHeld(*theMouse, 0);
            controls.shield = ButtonHeld(*theMouse, 2);
            if (controlFlags & SHIP_FREE_FLIGHT)
                controls.thrust = ButtonHeld(*theMouse, 1) | KeyDown(settings.keyThrust);
            else
                controls.altFire = ButtonHeld(*theMouse, 1);
            break;
        case INPUT_KEYBOARD:
            controls.left = KeyDown(settings.keyLeft);
            controls.right = KeyDown(settings.keyRight);
            controls.thrust = KeyDown(settings.keyThrust);
            controls.brake = KeyDown(settings.keyBrake);
            break;
        case INPUT_JOYSTICK:
            if (!theJoystick) break;
            theJoystick->Poll();
            controls.left = theJoystick->x < -kJoystickDeflection;
            controls.right = theJoystick->x > kJoystickDeflection;
            controls.thrust = theJoystick->y < -kJoystickDeflection;
            controls.fire = ButtonHeld(*theJoystick, PAD_ROLE_FIRE);
            controls.altFire = ButtonHeld(*theJoystick, PAD_ROLE_ALT_FIRE);
            controls.shield = ButtonHeld(*theJoystick, PAD_ROLE_SHIELD);
            break;
        default: break;
    }
    controls.fire |= KeyDown(settings.keyFire);
    controls.altFire |= KeyDown(settings.keyAltFire);
    controls.shield |= KeyDown(settings.keyShield);
}

void TShip::Steer(double dt) {
    bool mouse = settings.inputDevice == INPUT_MOUSE;
    if (mouse && !theMouse) return;
    if (controlFlags & SHIP_FREE_FLIGHT) {
        thrust = controls.thrust ? 1.0 : 0.0;
        if (mouse)
            heading -= theMouse->dx * kMouseTurn;
        else if (controls.left)
            heading += dt * kTurnRate;
        else if (controls.right)
            heading -= dt * kTurnRate;
        Matrix4 turn = D3DXMatrixRotationAxis(axis, static_cast<float>(heading));
        thrustDir = nose = D3DXVec3Normalize(D3DXVec3TransformNormal(Vector3(0, 1, 0), turn));
    }
    if (controlFlags & SHIP_SLIDER) {
        if (mouse) {
            int range = theMouse->maxX - theMouse->minX;
            position.x = range ? static_cast<float>(static_cast<double>(theMouse->x) / range * 40.0 - 20.0) : -20.0f;
        } else if (controls.left) {
            thrustDir = Vector3(-1, 0, 0);
            thrust = 1.0;
        } else if (controls.right) {
            thrustDir = Vector3(1, 0, 0);
            thrust = 1.0;
        } else {
            thrust = 0.0;
        }
        nose = Vector3(0, 1, 0);
    }
}
