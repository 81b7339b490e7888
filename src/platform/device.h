// The 3D device: the Direct3D-style operations the engine draws with.
//
// The base class records all state (transforms, render and sampler states,
// material, lights, texture, shader); implementations read it when they draw.
// NullDevice draws nothing; the OpenGL device draws for real. Callers pass
// matrices in the D3DX convention; any conversion happens inside a device.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/d3dtypes.h"
#include "platform/d3dx_math.h"
#include "platform/resources.h"

constexpr int kMaxLights = 8;
constexpr int kMaxRenderStates = 256;
constexpr int kMaxSamplerStates = 16;

// Snapshot of everything a state block captures.
struct DeviceState {
    Matrix4 world, view, projection;
    std::array<uint32_t, kMaxRenderStates> renderStates{};
    std::array<uint32_t, kMaxSamplerStates> samplerStates{};
    D3DMATERIAL9 material;
    std::array<D3DLIGHT9, kMaxLights> lights{};
    std::array<bool, kMaxLights> lightEnabled{};
    Texture* texture = nullptr;
    VertexShader* vertexShader = nullptr;
    VertexDeclaration* vertexDeclaration = nullptr;
};

// An RGBA8 picture read back from a device, rows top to bottom.
struct Image {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
};

struct DeviceStats {
    uint64_t frames = 0;
    uint64_t drawCalls = 0;
    uint64_t primitives = 0;
    // What the draws cost the driver (counted by the GL device).
    uint64_t programSwitches = 0;
    uint64_t uniformUploads = 0;
    uint64_t textureBinds = 0;
    uint64_t backdropsCopied = 0;  // draws of a frame's backdrop replaced by a copy of the last one
};

class Device {
public:
    Device();
    virtual ~Device() = default;
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // Frame.
    virtual HRESULT Clear(uint32_t flags, D3DCOLOR color, float z) = 0;
    virtual HRESULT BeginScene() = 0;
    virtual HRESULT EndScene() = 0;
    // Shows the back buffer; D3DERR_DEVICELOST when the device is gone.
    virtual HRESULT Present() = 0;
    // Back to a window of the given size (the end of a game).
    virtual HRESULT ResetToWindowed(int width, int height) = 0;

    // State.
    void SetTransform(D3DTRANSFORMSTATETYPE type, const Matrix4& m);
    const Matrix4& GetTransform(D3DTRANSFORMSTATETYPE type) const;
    void SetRenderState(D3DRENDERSTATETYPE state, uint32_t value);
    uint32_t GetRenderState(D3DRENDERSTATETYPE state) const;
    void SetSamplerState(uint32_t sampler, D3DSAMPLERSTATETYPE type, uint32_t value);
    uint32_t GetSamplerState(uint32_t sampler, D3DSAMPLERSTATETYPE type) const;
    void SetMaterial(const D3DMATERIAL9& material);
    const D3DMATERIAL9& GetMaterial() const { return state_.material; }
    void SetLight(uint32_t index, const D3DLIGHT9& light);
    void LightEnable(uint32_t index, bool enable);
    void SetTexture(uint32_t stage, Texture* texture);
    Texture* GetTexture(uint32_t stage) const;
    void SetVertexShader(VertexShader* shader);
    void SetVertexDeclaration(VertexDeclaration* declaration);
    // Named uniform of the current vertex shader (float4 rows).
    virtual HRESULT SetVertexShaderConstantF(const char* name, const float* data, uint32_t vector4Count) = 0;

    // State blocks: capture the current state, apply a captured one.
    DeviceState CaptureState() const { return state_; }
    void ApplyState(const DeviceState& block) { state_ = block; }
    const DeviceState& State() const { return state_; }

    // Drawing with the current state.
    virtual HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, const VertexBuffer& vertices, uint32_t startVertex,
                                  uint32_t primitiveCount) = 0;
    virtual HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, const VertexBuffer& vertices,
                                         const IndexBuffer& indices, uint32_t startIndex,
                                         uint32_t primitiveCount) = 0;
    // Draws from caller memory (screen text); `stride` bytes per vertex of `fvf`.
    virtual HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, uint32_t primitiveCount, const void* vertices,
                                    uint32_t stride, uint32_t fvf) = 0;

    // Compiles vertex-shader source; null with the compiler's messages on failure.
    virtual std::shared_ptr<VertexShader> CreateVertexShader(const std::string& source, std::string& messages) = 0;

    // Capabilities and surfaces.
    virtual uint32_t MaxTextureWidth() const = 0;
    virtual int BackBufferWidth() const = 0;
    virtual int BackBufferHeight() const = 0;
    // Render-target alpha blending is available (screen fonts test this).
    virtual bool SupportsAlphaBlending() const { return true; }
    // The last presented frame, between its Present and the next frame's
    // first clear or draw; false where the device keeps no pixels or the
    // frame was not kept readable (below).
    virtual bool ReadFrontBuffer(Image& out) = 0;
    // Whether every presented frame must stay readable (the default). Where
    // none need be, a device may draw straight into the window and save a
    // copy of each frame.
    virtual void KeepShownFrames(bool) {}
    // The next frame stays readable once presented, whatever the above.
    virtual void KeepNextShownFrame() {}

    const DeviceStats& Stats() const { return stats_; }

protected:
    DeviceState state_;
    DeviceStats stats_;
};

// A device that draws nothing: all game logic runs on it headless.
class NullDevice : public Device {
public:
    NullDevice(int width = 800, int height = 600) : width_(width), height_(height) {}
    HRESULT Clear(uint32_t, D3DCOLOR, float) override { return D3D_OK; }
    HRESULT BeginScene() override { return D3D_OK; }
    HRESULT EndScene() override { return D3D_OK; }
    HRESULT Present() override;
    HRESULT ResetToWindowed(int width, int height) override;
    HRESULT SetVertexShaderConstantF(const char*, const float*, uint32_t) override { return D3D_OK; }
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE, const VertexBuffer&, uint32_t, uint32_t primitiveCount) override;
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE, const VertexBuffer&, const IndexBuffer&, uint32_t,
                                 uint32_t primitiveCount) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE, uint32_t primitiveCount, const void*, uint32_t, uint32_t) override;
    // Accepts any non-empty source: shaders are only checked by a real device.
    std::shared_ptr<VertexShader> CreateVertexShader(const std::string& source, std::string& messages) override;
    uint32_t MaxTextureWidth() const override { return 4096; }
    int BackBufferWidth() const override { return width_; }
    int BackBufferHeight() const override { return height_; }
    bool ReadFrontBuffer(Image&) override { return false; }

private:
    int width_, height_;
};
