// The device's back and front buffers: two colour framebuffers of the
// requested size sharing one depth-stencil buffer. A frame is drawn into the
// back one; presenting copies it to the window (stretched, or letterboxed in
// full screen) and makes it the front one, which screenshots read.
#pragma once

#include "platform/gl/gl_target.h"

#include <string>

#include "platform/device.h"

class GlState;

class GlBackBuffer {
public:
    GlBackBuffer() = default;
    // The owner calls Destroy while its context is current; once the context
    // is gone, so are the objects, and no GL call may be made.
    ~GlBackBuffer() = default;
    GlBackBuffer(const GlBackBuffer&) = delete;
    GlBackBuffer& operator=(const GlBackBuffer&) = delete;

    // False, with the reason, when the formats make no complete framebuffer.
    bool Create(int width, int height, bool depth24Stencil8, std::string& error);
    void Destroy();

    int Width() const { return width_; }
    int Height() const { return height_; }
    GLuint DrawTarget() const { return framebuffers_[back_]; }
    bool HasPresented() const { return presented_; }

    // Copies the back buffer to the window's framebuffer, scaled to fit in
    // its own shape with black bars beside it, and swaps roles.
    void Present(int windowWidth, int windowHeight, GlState& state);
    // The front buffer as RGBA rows top to bottom, opaque.
    void ReadFront(Image& out) const;

private:
    int width_ = 0, height_ = 0;
    GLuint framebuffers_[2] = {0, 0};
    GLuint colour_[2] = {0, 0};
    GLuint depth_ = 0;
    int back_ = 0;
    bool presented_ = false;
};
