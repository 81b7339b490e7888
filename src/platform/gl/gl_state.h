// A shadow of the GL state the device changes, so that setting a value the
// context already has costs no GL call. Changes() counts the calls made.
#pragma once

#include "platform/gl/gl_target.h"

#include <array>
#include <cstdint>

class GlState {
public:
    void Enable(GLenum cap, bool on);
    void BlendFunc(GLenum src, GLenum dst);
    void DepthFunc(GLenum func);
    void DepthMask(bool on);
    void ColorMask(uint32_t rgbaBits);  // bit 0 red .. bit 3 alpha
    void CullFace(GLenum face);
    void FillMode(D3DFILLMODE mode);
    void UseProgram(GLuint program);
    void BindArrayBuffer(GLuint buffer);
    void BindElementBuffer(GLuint buffer);
    void BindTexture(GLuint texture);
    void BindDrawFramebuffer(GLuint framebuffer);
    void Viewport(int width, int height);

    // Forget everything (after GL calls made behind the shadow's back); the
    // counts stay.
    void Invalidate() {
        const Counts kept = counts_;
        *this = GlState();
        counts_ = kept;
    }
    uint64_t Changes() const { return counts_.changes; }
    uint64_t ProgramSwitches() const { return counts_.programSwitches; }
    uint64_t TextureBinds() const { return counts_.textureBinds; }

private:
    static constexpr uint32_t kUnknown = 0xFFFFFFFFu;
    template <typename T>
    bool Differs(T& shadow, T value) {
        if (shadow == value) return false;
        shadow = value;
        ++counts_.changes;
        return true;
    }
    enum Cap { kBlend, kDepthTest, kCullFace, kCapCount };
    std::array<uint32_t, kCapCount> caps_{kUnknown, kUnknown, kUnknown};
    uint32_t blendSrc_ = kUnknown, blendDst_ = kUnknown, depthFunc_ = kUnknown, depthMask_ = kUnknown,
             colorMask_ = kUnknown, cullFace_ = kUnknown, fillMode_ = kUnknown, program_ = kUnknown,
             arrayBuffer_ = kUnknown, elementBuffer_ = kUnknown, texture_ = kUnknown, drawFramebuffer_ = kUnknown;
    uint64_t viewport_ = ~uint64_t{0};
    struct Counts {
        uint64_t changes = 0, programSwitches = 0, textureBinds = 0;
    } counts_;
};
