// The OpenGL 3.3 core device: draws the recorded Direct3D-style state with
// the fixed-function emulation program, or with a vertex shader created from
// source. Matrices arrive in the D3DX convention and Direct3D's depth range
// and pixel centres are converted here.
#pragma once

#include <SDL_video.h>
#include "platform/gl/gl_target.h"

#include <array>
#include <memory>
#include <string>

#include "platform/device.h"
#include "platform/gl/gl_backbuffer.h"
#include "platform/gl/gl_backdrop.h"
#include "platform/gl/gl_objects.h"
#include "platform/gl/gl_programs.h"
#include "platform/gl/gl_state.h"
#include "platform/game_window.h"

struct GlDeviceParams {
    int width = 800, height = 600;  // back buffer
    bool windowed = true;
    bool depth24Stencil8 = true;    // else a 16-bit depth buffer
    int swapInterval = 1;           // 0 immediate, 1 wait for the vertical blank
    int glMajor = 3, glMinor = 3;
};

class GlDevice : public Device {
public:
    // A device on the SDL window of `window`; null with the reason in `error`.
    static std::unique_ptr<GlDevice> Create(GameWindow* window, const GlDeviceParams& params, std::string& error);
    ~GlDevice() override;

    HRESULT Clear(uint32_t flags, D3DCOLOR color, float z) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override { return D3D_OK; }
    HRESULT Present() override;
    HRESULT ResetToWindowed(int width, int height) override;
    HRESULT SetVertexShaderConstantF(const char* name, const float* data, uint32_t vector4Count) override;
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, const VertexBuffer& vertices, uint32_t startVertex,
                          uint32_t primitiveCount) override;
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, const VertexBuffer& vertices, const IndexBuffer& indices,
                                 uint32_t startIndex, uint32_t primitiveCount) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, uint32_t primitiveCount, const void* vertices, uint32_t stride,
                            uint32_t fvf) override;
    std::shared_ptr<VertexShader> CreateVertexShader(const std::string& source, std::string& messages) override;
    uint32_t MaxTextureWidth() const override { return maxTextureSize_; }
    int BackBufferWidth() const override { return backBuffer_.Width(); }
    int BackBufferHeight() const override { return backBuffer_.Height(); }
    bool ReadFrontBuffer(Image& out) override;
    void KeepShownFrames(bool keep) override { backBuffer_.KeepShownFrames(keep); }
    void KeepNextShownFrame() override { backBuffer_.KeepNextShownFrame(); }

    // GL calls made to change state, buffers bound and uniforms uploaded.
    uint64_t StateChanges() const { return state_gl_.Changes() + ownChanges_; }
    const std::string& Renderer() const { return renderer_; }

private:
    GlDevice(GameWindow* window, const GlDeviceParams& params, SDL_GLContext context);
    bool Init(std::string& error);
    // The window still exists and our context is current on it.
    bool Ready();
    // Our context is current on `native` (made so if need be); false
    // without a window or once the context is released.
    bool CurrentOn(SDL_Window* native);
    // Deletes our objects and the context while the window still exists (a
    // driver keeps a context's memory when its window goes first); the
    // device is lost from then on.
    void ReleaseContext();
    // Before a clear or draw: the frame's target is picked and bound.
    void Drawing();

    // The vertex layout of a draw: a fixed-function format or, with a
    // vertex shader, the current declaration.
    struct Layout {
        uint32_t fvf = 0;
        const VertexDeclaration* declaration = nullptr;
        uint32_t stride = 0;
        bool operator==(const Layout&) const = default;
    };
    // Everything but the geometry: program, uniforms, render and sampler
    // states, vertex layout. False when the draw cannot happen.
    bool PrepareDraw(GLuint vertexBuffer, const Layout& layout);
    bool PrepareShaderProgram();
    void PrepareFixedFunction(bool pretransformed);
    // The program of a fixed-function variant, compiled on first use; 0
    // (said once on standard error) when it does not compile.
    GLuint FixedProgram(uint32_t variant, std::string* log = nullptr);
    void ApplyRenderStates();
    void ApplySampler();
    void BindLayout(GLuint vertexBuffer, const Layout& layout);
    void CountDraw(uint32_t primitiveCount);
    // What the pixels of a fixed-function draw of `vertices` depend on, when
    // it can be a frame's backdrop: it neither tests nor writes depth. Empty
    // otherwise.
    std::string BackdropDraw(D3DPRIMITIVETYPE type, const VertexBuffer& vertices, uint32_t startVertex,
                             uint32_t primitiveCount) const;

    GameWindow* window_;
    GlDeviceParams params_;
    SDL_GLContext context_;
    GlContextRef token_;
    GlState state_gl_;
    GlBackBuffer backBuffer_;
    GlBackdrop backdrop_;
    GLuint vao_ = 0, streamBuffer_ = 0, blockBuffer_ = 0, sampler_ = 0;
    // Made on first use; 0 until then.
    std::array<GLuint, kFixedVariantCount> fixedPrograms_{};
    uint32_t failedVariants_ = 0;  // one bit per variant that did not compile
    FixedFunctionBlock block_{};
    bool blockValid_ = false;
    std::array<uint32_t, 5> samplerShadow_{};
    bool samplerValid_ = false;
    GLuint layoutBuffer_ = 0;
    Layout layoutShadow_{};
    bool layoutValid_ = false;
    uint32_t maxTextureSize_ = 0;
    std::string renderer_;
    uint64_t ownChanges_ = 0;
};
