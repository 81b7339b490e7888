// The picture a frame starts from, kept between frames. When frames start
// alike (the same colour clear, then the same draw that neither tests nor
// writes depth: a game's background), the pixels that draw made are kept
// once two frames in a row started so, and copied back in the frames after
// instead of drawn again. To a software rasteriser a screenful of filtered
// texels costs several times such a copy; a background that moves every
// frame costs nothing extra.
#pragma once

#include "platform/gl/gl_target.h"

#include <string>

class GlBackBuffer;
class GlState;

class GlBackdrop {
public:
    // The owner calls Destroy while its context is current.
    void Destroy();

    // A clear of the colour buffer: the next draw may be the backdrop.
    void Cleared(uint32_t colour) {
        candidate_ = true;
        clearColour_ = colour;
    }
    // Whether the draw about to happen is the first since such a clear;
    // asking ends the chance.
    bool TakeCandidate() {
        const bool candidate = candidate_;
        candidate_ = false;
        return candidate;
    }
    // After a candidate: copies the kept pixels into `target` when `draw`
    // (everything the draw's pixels depend on) is the draw they were kept
    // for, after the same clear; false when the draw must be made.
    bool Restore(const std::string& draw, const GlBackBuffer& target, GlState& state);
    // After a candidate was drawn: keeps the pixels `target` holds now when
    // the last frame started with the same clear and draw.
    void Drawn(const std::string& draw, const GlBackBuffer& target, GlState& state);

private:
    // `draw` with the clear before it.
    std::string KeyOf(const std::string& draw) const;

    bool candidate_ = false;
    uint32_t clearColour_ = 0;
    std::string seen_;  // the last frame's start
    std::string key_;   // of the kept pixels; empty: none kept
    int width_ = 0, height_ = 0;
    GLuint framebuffer_ = 0, colour_ = 0;
};
