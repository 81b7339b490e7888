#include "platform/gl/gl_backbuffer.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gl/gl_state.h"

namespace {

// The bits of the window framebuffer's depth buffer; 0 without one.
GLint WindowDepthBits() {
    GLint type = GL_NONE, bits = 0;
    glGetFramebufferAttachmentParameteriv(GL_DRAW_FRAMEBUFFER, GL_DEPTH, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE, &type);
    if (type == GL_NONE) return 0;
    glGetFramebufferAttachmentParameteriv(GL_DRAW_FRAMEBUFFER, GL_DEPTH, GL_FRAMEBUFFER_ATTACHMENT_DEPTH_SIZE, &bits);
    return bits;
}

}  // namespace

bool GlBackBuffer::Create(int width, int height, bool depth24Stencil8, std::string& error) {
    Destroy();
    width_ = width;
    height_ = height;
    glGenRenderbuffers(1, &depth_);
    glBindRenderbuffer(GL_RENDERBUFFER, depth_);
    glRenderbufferStorage(GL_RENDERBUFFER, depth24Stencil8 ? GL_DEPTH24_STENCIL8 : GL_DEPTH_COMPONENT16, width, height);
    glGenRenderbuffers(1, &colour_);
    glBindRenderbuffer(GL_RENDERBUFFER, colour_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glGenFramebuffers(1, &framebuffer_);
    GLint previous = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &previous);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    // The same depth precision decides the same pixels.
    windowMatches_ = WindowDepthBits() == (depth24Stencil8 ? 24 : 16);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer_);
    glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, depth24Stencil8 ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT,
                              GL_RENDERBUFFER, depth_);
    const bool complete = glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(previous));
    if (!complete || glGetError() != GL_NO_ERROR) {
        error = std::string("no complete framebuffer with RGBA8 colour and ") +
                (depth24Stencil8 ? "24-bit depth, 8-bit stencil" : "16-bit depth");
        Destroy();
        return false;
    }
    return true;
}

void GlBackBuffer::Destroy() {
    if (framebuffer_) glDeleteFramebuffers(1, &framebuffer_);
    if (colour_) glDeleteRenderbuffers(1, &colour_);
    if (depth_) glDeleteRenderbuffers(1, &depth_);
    framebuffer_ = colour_ = depth_ = 0;
    shown_ = windowMatches_ = frameOpen_ = direct_ = false;
}

void GlBackBuffer::Drawing(int windowWidth, int windowHeight) {
    shown_ = false;
    if (frameOpen_) return;
    frameOpen_ = true;
    direct_ = !keepShown_ && !keepNext_ && windowMatches_ && windowWidth == width_ && windowHeight == height_;
    keepNext_ = false;
}

void GlBackBuffer::Present(int windowWidth, int windowHeight, GlState& state) {
    frameOpen_ = false;
    if (direct_) return;  // the window holds the frame; nothing keeps it
    const double scale = std::min(double(windowWidth) / width_, double(windowHeight) / height_);
    const int w = static_cast<int>(width_ * scale), h = static_cast<int>(height_ * scale);
    const int x = (windowWidth - w) / 2, y = (windowHeight - h) / 2;
    state.BindDrawFramebuffer(0);
    state.ColorMask(0xF);
    if (w != windowWidth || h != windowHeight) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    const bool sameSize = w == width_ && h == height_;
    glBlitFramebuffer(0, 0, width_, height_, x, y, x + w, y + h, GL_COLOR_BUFFER_BIT, sameSize ? GL_NEAREST : GL_LINEAR);
    shown_ = true;
}

void GlBackBuffer::ReadFront(Image& out) const {
    out.width = width_;
    out.height = height_;
    out.rgba.assign(static_cast<size_t>(width_) * height_ * 4, 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    std::vector<uint8_t> rows(out.rgba.size());
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
    const size_t pitch = static_cast<size_t>(width_) * 4;
    for (int row = 0; row < height_; ++row)
        std::memcpy(&out.rgba[row * pitch], &rows[(height_ - 1 - row) * pitch], pitch);
    for (size_t i = 3; i < out.rgba.size(); i += 4) out.rgba[i] = 255;
}
