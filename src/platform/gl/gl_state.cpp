#include "platform/gl/gl_state.h"

void GlState::Enable(GLenum cap, bool on) {
    const Cap index = cap == GL_BLEND ? kBlend : cap == GL_DEPTH_TEST ? kDepthTest : kCullFace;
    if (!Differs(caps_[index], uint32_t{on})) return;
    if (on)
        glEnable(cap);
    else
        glDisable(cap);
}

void GlState::BlendFunc(GLenum src, GLenum dst) {
    const bool a = Differs(blendSrc_, uint32_t{src});
    const bool b = Differs(blendDst_, uint32_t{dst});
    if (a || b) glBlendFunc(src, dst);
}

void GlState::DepthFunc(GLenum func) {
    if (Differs(depthFunc_, uint32_t{func})) glDepthFunc(func);
}

void GlState::DepthMask(bool on) {
    if (Differs(depthMask_, uint32_t{on})) glDepthMask(on ? GL_TRUE : GL_FALSE);
}

void GlState::ColorMask(uint32_t bits) {
    if (Differs(colorMask_, bits & 0xF)) glColorMask(bits & 1, (bits >> 1) & 1, (bits >> 2) & 1, (bits >> 3) & 1);
}

void GlState::CullFace(GLenum face) {
    if (Differs(cullFace_, uint32_t{face})) glCullFace(face);
}

void GlState::FillMode(D3DFILLMODE mode) {
    if (Differs(fillMode_, uint32_t{mode})) SetFillMode(mode);
}

void GlState::UseProgram(GLuint program) {
    if (!Differs(program_, uint32_t{program})) return;
    glUseProgram(program);
    ++counts_.programSwitches;
}

void GlState::BindArrayBuffer(GLuint buffer) {
    if (Differs(arrayBuffer_, uint32_t{buffer})) glBindBuffer(GL_ARRAY_BUFFER, buffer);
}

void GlState::BindElementBuffer(GLuint buffer) {
    if (Differs(elementBuffer_, uint32_t{buffer})) glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer);
}

void GlState::BindTexture(GLuint texture) {
    if (!Differs(texture_, uint32_t{texture})) return;
    glBindTexture(GL_TEXTURE_2D, texture);
    ++counts_.textureBinds;
}

void GlState::BindDrawFramebuffer(GLuint framebuffer) {
    if (Differs(drawFramebuffer_, uint32_t{framebuffer})) glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
}

void GlState::Viewport(int width, int height) {
    const uint64_t packed = (static_cast<uint64_t>(static_cast<uint32_t>(width)) << 32) | static_cast<uint32_t>(height);
    if (Differs(viewport_, packed)) glViewport(0, 0, width, height);
}
