// Joystick and mouse devices: positions and per-button held, pressed and
// released flags, refreshed once per poll.
#pragma once

#include <cstdint>
#include <string>

#include "platform/messages.h"

class TInputDevice {
public:
    TInputDevice() = default;
    virtual ~TInputDevice() = default;
    virtual void SetExclusive(bool exclusive);
    virtual void Init(HWND window);
    virtual void ReleaseDevice();
    virtual int Setup() { return -1; }
    virtual int Poll() { return -1; }
    virtual void SetPosition(int x, int y) {
        this->x = x;
        this->y = y;
    }

    HWND window = nullptr;
    int readMode = 0;  // 0 buffered events, 1 key state, 2 joystick state
    uint32_t coopFlags = 0;
    int buttonCount = 0;
    int pressed[256] = {};
    int held[256] = {};
    int released[256] = {};
    int x = 0, y = 0;
    bool created = false;
    bool exclusive = false;
};

class TJoystick : public TInputDevice {
public:
    int Setup() override;
    int Poll() override;
    void ReleaseDevice() override;

    bool found = false;
    std::string productName;
    void* native = nullptr;  // the SDL joystick or game controller
};

class TDIMouse : public TInputDevice {
public:
    int Setup() override;
    int Poll() override;
    void ReleaseDevice() override;
    void SetPosition(int x, int y) override;
    void SetBounds(int minX, int minY, int maxX, int maxY);
    double Accelerate(double value) const;

    int minX = 0, minY = 0, maxX = 1000, maxY = 1000;
    double velocity = 1.0;
    int dx = 0, dy = 0;
    bool accelEnabled = true;
    int threshold1 = 8, threshold2 = 16;
    double factor1 = 1.0, factor2 = 1.0, factor3 = 1.0, factor4 = 1.0;
};

extern TJoystick* theJoystick;
extern TDIMouse* theMouse;

int CreateInputDevices();
void SetWindow(TInputDevice* device, HWND window);
