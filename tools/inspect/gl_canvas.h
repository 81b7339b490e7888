// An OpenGL device drawing into an off-screen frame of any size, behind a
// small hidden window: what the render and sheet commands draw on.
#pragma once

#include <memory>
#include <string>

#include "platform/gl/gl_device.h"

class GlCanvas {
public:
    // Null with the reason when there is no display or no GL 3.3 device.
    static std::unique_ptr<GlCanvas> Open(int width, int height, std::string& error);
    ~GlCanvas();
    GlCanvas(const GlCanvas&) = delete;
    GlCanvas& operator=(const GlCanvas&) = delete;

    Device& device() { return *device_; }
    int Width() const { return device_->BackBufferWidth(); }
    int Height() const { return device_->BackBufferHeight(); }
    // Presents the frame drawn so far and reads it back.
    bool Capture(Image& out);

private:
    GlCanvas(GameWindow* window, std::unique_ptr<GlDevice> device) : window_(window), device_(std::move(device)) {}

    GameWindow* window_;
    std::unique_ptr<GlDevice> device_;
};
