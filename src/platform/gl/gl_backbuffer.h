// The device's frame buffer: colour and depth-stencil of the requested size.
// A frame is drawn into it; presenting copies it to the window, scaled to fit
// with black bars beside it. Until the next frame's first clear or draw it
// still holds the frame shown, which screenshots read.
//
// Where nobody reads frames back, a frame whose window has the buffer's size
// and a depth buffer like it is drawn straight into the window instead: to
// a software rasteriser the copy costs as much as a screenful of texels.
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
    // Where the current frame is drawn: this buffer's framebuffer, or the
    // window's (0).
    GLuint DrawTarget() const { return direct_ ? 0 : framebuffer_; }
    // Whether the buffer holds the frame last shown, untouched since.
    bool HoldsShownFrame() const { return shown_; }

    // Whether every shown frame must stay readable (the default).
    void KeepShownFrames(bool keep) { keepShown_ = keep; }
    // The next frame stays readable once shown.
    void KeepNextShownFrame() { keepNext_ = true; }
    // A clear or draw: the first of a frame picks its target, from the
    // window's size now.
    void Drawing(int windowWidth, int windowHeight);

    // Shows the frame: a frame drawn here is copied to the window's
    // framebuffer, scaled to fit in its own shape with black bars beside it.
    void Present(int windowWidth, int windowHeight, GlState& state);
    // The frame shown, as RGBA rows top to bottom, opaque; only while
    // HoldsShownFrame().
    void ReadFront(Image& out) const;

private:
    int width_ = 0, height_ = 0;
    GLuint framebuffer_ = 0;
    GLuint colour_ = 0;
    GLuint depth_ = 0;
    bool shown_ = false;
    bool windowMatches_ = false;  // the window's framebuffer has our depth format
    bool keepShown_ = true, keepNext_ = false;
    bool frameOpen_ = false;  // a clear or draw since the last Present
    bool direct_ = false;     // the current (or last) frame goes to the window
};
