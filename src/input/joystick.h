// Joystick and mouse devices: positions and per-button held, pressed and
// released flags, refreshed once per poll.
//
// Use from the program:
//   at start:       CreateInputDevices() (after SDL is up);
//   at Play:        SelectInputDeviceForPlay(gameWindow, chosen, velocity),
//                   which may fall back to the keyboard;
//   each frame:     the ship polls theMouse or theJoystick;
//   at game end:    ReleaseInputAfterPlay();
//   at exit:        DestroyInputDevices().
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/settings_list.h"
#include "input/pad_bindings.h"
#include "platform/game_window.h"

union SDL_Event;

class TInputDevice {
public:
    TInputDevice() = default;
    virtual ~TInputDevice() = default;
    TInputDevice(const TInputDevice&) = delete;
    TInputDevice& operator=(const TInputDevice&) = delete;
    virtual void SetExclusive(bool exclusive);
    virtual void Init(GameWindow* window);
    virtual void ReleaseDevice();
    virtual int Setup() { return -1; }
    virtual int Poll() { return -1; }
    virtual void SetPosition(int x, int y) {
        this->x = x;
        this->y = y;
    }

    GameWindow* window = nullptr;
    int readMode = 0;  // 0 buffered events, 1 key state, 2 joystick state
    uint32_t coopFlags = 0;
    int buttonCount = 0;
    int pressed[256] = {};
    int held[256] = {};
    int released[256] = {};
    int x = 0, y = 0;
    bool created = false;
    bool exclusive = false;

protected:
    void ClearButtons();
};

// The joystick's buttons as the ship reads them, one per role.
// No game has a use for the brake, so a pad has no brake role (the
// keyboard's brake key is kept as a stored setting).
enum PadRoleButton { PAD_ROLE_FIRE, PAD_ROLE_ALT_FIRE, PAD_ROLE_SHIELD, PAD_ROLE_BUTTONS };

// The first attached joystick or game controller, read by role through the
// settings' pad bindings: the fire, alternate fire and shield
// controls as the PadRoleButton buttons, left and right as x at -1,000 and
// 1,000, thrust as y at -1,000.
class TJoystick : public TInputDevice {
public:
    ~TJoystick() override;
    // Opens the first attached pad; -1 when there is none.
    int Setup() override;
    int Poll() override;
    void ReleaseDevice() override;
    // Hot-plug: a pad was attached at `deviceIndex`, or the pad with
    // `instanceId` was detached.
    void DeviceAdded(int deviceIndex);
    void DeviceRemoved(int instanceId);
    // How the open pad names its controls; a controller's when none is open.
    PadLayout Layout() const;
    // Told after hot-plug opened a pad or lost the open one.
    std::function<void()> onChange;

    bool found = false;
    int rawButtons = 0;          // the open pad's own button count
    std::string productName;
    void* native = nullptr;      // the SDL joystick
    void* controller = nullptr;  // its SDL game controller, when it has a mapping
    int instanceId = -1;

private:
    bool Open(int deviceIndex);
    void Lose();
};

// One buffered mouse record: an axis movement or a button change.
struct MouseEvent {
    int offset = 0;  // MOUSE_X, MOUSE_Y or MOUSE_BUTTON0 + button
    int data = 0;    // axis movement, or 0x80 for a button going down
};
constexpr int MOUSE_X = 0, MOUSE_Y = 4, MOUSE_BUTTON0 = 12;

// The system mouse as relative movement and three buttons (left, right,
// middle), taken from the native events while the device is open.
class TDIMouse : public TInputDevice {
public:
    static constexpr int BUFFER_SIZE = 16;

    ~TDIMouse() override;
    // Opens the mouse and captures it in relative mode; -1 without a video
    // system to take events from.
    int Setup() override;
    int Poll() override;
    void ReleaseDevice() override;
    void SetPosition(int x, int y) override;
    void SetBounds(int minX, int minY, int maxX, int maxY);
    double Accelerate(double value) const;
    // Buffers the mouse movement and button changes of a native event while
    // the device is open. Movements between button changes add up per axis;
    // when the buffer is full, further records are lost.
    void HandleEvent(const SDL_Event& event);
    // Moves up to `count` buffered records into `buffer`; `count` becomes how
    // many. -1 when the device is not open.
    int ReadDevice(MouseEvent* buffer, int& count);

    int minX = 0, minY = 0, maxX = 1000, maxY = 1000;
    double velocity = 1.0;
    int dx = 0, dy = 0;
    bool accelEnabled = true;
    int threshold1 = 8, threshold2 = 16;
    double factor1 = 1.0, factor2 = 1.0, factor3 = 1.0, factor4 = 1.0;

private:
    void Buffer(int offset, int data);
    void ApplyMovement(int value, int& delta, int& position, int low, int high) const;

    std::vector<MouseEvent> events_;
};

extern TJoystick* theJoystick;
extern TDIMouse* theMouse;

// Makes theJoystick (opening the first pad) and theMouse, and starts taking
// native events for them. 0, or -1 with no devices when SDL's game
// controller support cannot start.
int CreateInputDevices();
void DestroyInputDevices();
void SetWindow(TInputDevice* device, GameWindow* window);
// Hands the native events of mice and pad arrivals and departures to the
// devices (registered as a native event listener by CreateInputDevices).
void HandleInputEvent(const SDL_Event& event);

// The device a game plays with when the player chose `requested`: the
// joystick needs a pad found, the mouse a successful Setup (at velocity
// (mouseVelocity + 1) × 0.25); otherwise the keyboard.
InputDevice SelectInputDeviceForPlay(GameWindow* gameWindow, InputDevice requested, int mouseVelocity);
// Releases the mouse (and its capture) when a game ends.
void ReleaseInputAfterPlay();
