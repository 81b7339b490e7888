// The input the ship reads, as a replay keeps it: the bound keys by role and
// the mouse or joystick state after a frame's poll; and stand-in devices
// that hand recorded state to the ship at each poll.
#pragma once

#include "input/joystick.h"
#include "replay/replay.h"

// The bound keys (settings' bindings) that are down now.
uint8_t CaptureReplayKeys();
// Holds exactly these keys down through the driven key state; physical keys
// are let go so that a person at the keyboard does not join in.
void DriveReplayKeys(uint8_t keys);

// Position, buttons 0 to 3 and (for the mouse) the movement of the last poll.
ReplayDevice CaptureReplayDevice(const TInputDevice& device, int dx = 0);

class ReplayMouse : public TDIMouse {
public:
    ~ReplayMouse() override { ReleaseDevice(); }
    int Setup() override;
    int Poll() override;
    void ReleaseDevice() override { created = false; }
    ReplayDevice next;  // what the next poll gives
};

class ReplayJoystick : public TJoystick {
public:
    ~ReplayJoystick() override { ReleaseDevice(); }
    int Setup() override;
    int Poll() override;
    void ReleaseDevice() override { created = false; }
    ReplayDevice next;
};
