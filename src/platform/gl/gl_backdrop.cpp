#include "platform/gl/gl_backdrop.h"

#include "platform/gl/gl_backbuffer.h"
#include "platform/gl/gl_state.h"

namespace {

// Into the bound draw framebuffer.
void CopyFrom(GLuint from, int width, int height) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, from);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
}

}  // namespace

void GlBackdrop::Destroy() {
    if (framebuffer_) glDeleteFramebuffers(1, &framebuffer_);
    if (colour_) glDeleteRenderbuffers(1, &colour_);
    framebuffer_ = colour_ = 0;
    key_.clear();
    seen_.clear();
}

std::string GlBackdrop::KeyOf(const std::string& draw) const {
    return std::string(reinterpret_cast<const char*>(&clearColour_), sizeof clearColour_) + draw;
}

bool GlBackdrop::Restore(const std::string& draw, const GlBackBuffer& target, GlState& state) {
    if (key_.empty() || width_ != target.Width() || height_ != target.Height() || key_ != KeyOf(draw)) return false;
    state.BindDrawFramebuffer(target.DrawTarget());
    state.ColorMask(0xF);
    CopyFrom(framebuffer_, width_, height_);
    return true;
}

void GlBackdrop::Drawn(const std::string& draw, const GlBackBuffer& target, GlState& state) {
    std::string key = KeyOf(draw);
    if (key != seen_) {
        seen_ = std::move(key);
        return;
    }
    if (!framebuffer_ || width_ != target.Width() || height_ != target.Height()) {
        Destroy();
        width_ = target.Width();
        height_ = target.Height();
        glGenRenderbuffers(1, &colour_);
        glBindRenderbuffer(GL_RENDERBUFFER, colour_);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width_, height_);
        glGenFramebuffers(1, &framebuffer_);
        state.BindDrawFramebuffer(framebuffer_);
        glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
        if (glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
            state.BindDrawFramebuffer(target.DrawTarget());
            Destroy();
            return;
        }
    }
    state.BindDrawFramebuffer(framebuffer_);
    state.ColorMask(0xF);
    CopyFrom(target.DrawTarget(), width_, height_);
    state.BindDrawFramebuffer(target.DrawTarget());
    key_ = std::move(key);
}
