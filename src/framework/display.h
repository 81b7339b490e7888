// The game window and its 3D device: created from the player's display
// settings when a game starts, back to an 800 x 600 window when it ends,
// released after it. A headless device type gives a game window without
// a native window and a device that draws nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/device.h"
#include "platform/game_window.h"

enum D3DDEVTYPE : uint32_t { D3DDEVTYPE_HAL = 1, D3DDEVTYPE_NULLREF = 4 };

// What the device was asked for.
struct PresentParams {
    int backBufferWidth = 800, backBufferHeight = 600;
    D3DFORMAT backBufferFormat = D3DFMT_A8R8G8B8;
    bool windowed = true;
    D3DFORMAT depthStencilFormat = D3DFMT_D24S8;
    uint32_t presentationInterval = D3DPRESENT_INTERVAL_ONE;
};

extern GameWindow* theGameWindow;
extern Device* theDevice;  // owned by the display; released by ShutdownD3D
extern PresentParams savedPresentParams;
// How the running game's display was opened.
struct OpenDisplay {
    bool windowed = true;  // full screen hides the pointer
    // Opened on the headless device type (until ShutdownD3D): it has nothing
    // to show, so its frames are stepped, never drawn.
    bool headless = false;
};
extern OpenDisplay openDisplay;

// Opens the game window and its device. The window is placed at the
// display's origin; its client height follows GameWindowHeight. Full screen
// covers the desktop at its own mode, so the desktop never changes mode.
// A device is tried with a 24-bit depth, 8-bit stencil buffer, then once
// with a 16-bit depth buffer. Failures are reported (the device failure
// through the error reporter, with the window hidden, which is then closed)
// and return false. `multiSample` < 0 asks for
// none; no multisampling is offered, so other values are treated alike.
bool InitD3D(GameEventHandler handler, const std::string& programName, const std::string& programVersion,
             const std::string& className, const std::string& windowTitle, int width, int height, bool windowed,
             uint32_t presentInterval, int multiSample, int adapter, D3DDEVTYPE deviceType, Device** outDevice);
// Back to an 800 x 600 window (the end of a game); the result is ignored.
void ResetToWindowed(Device* device);
// Releases the device, and the game window's native window if it is still
// open (a game whose setup failed never destroys it).
void ShutdownD3D(Device* device);

// Makes a device for a window; null with the reason when it cannot.
using DeviceCreator =
    std::function<std::unique_ptr<Device>(GameWindow* window, const PresentParams& params, std::string& error)>;
// Replaces how InitD3D makes devices; an empty creator restores the default
// (the OpenGL device, or the null device for D3DDEVTYPE_NULLREF).
void SetDeviceCreator(DeviceCreator creator);
// The OpenGL device, asking for at least the given GL version.
DeviceCreator GlDeviceCreator(int glMajor = 3, int glMinor = 3);

// Shows the device failure report; by default a message box captioned
// "An error has occurred" (standard error in batch mode).
void SetErrorReporter(std::function<void(const std::string& text)> reporter);
