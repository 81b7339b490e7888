#include "platform/device.h"

Device::Device() {
    auto& rs = state_.renderStates;
    rs[D3DRS_ZENABLE] = 1;
    rs[D3DRS_FILLMODE] = D3DFILL_SOLID;
    rs[D3DRS_ZWRITEENABLE] = 1;
    rs[D3DRS_SRCBLEND] = D3DBLEND_ONE;
    rs[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
    rs[D3DRS_CULLMODE] = D3DCULL_CCW;
    rs[D3DRS_ZFUNC] = D3DCMP_LESSEQUAL;
    rs[D3DRS_ALPHAFUNC] = D3DCMP_ALWAYS;
    rs[D3DRS_CLIPPING] = 1;
    rs[D3DRS_LIGHTING] = 1;
    rs[D3DRS_COLORWRITEENABLE] = 0xF;
    state_.samplerStates[D3DSAMP_ADDRESSU] = D3DTADDRESS_WRAP;
    state_.samplerStates[D3DSAMP_ADDRESSV] = D3DTADDRESS_WRAP;
    state_.samplerStates[D3DSAMP_MAGFILTER] = D3DTEXF_POINT;
    state_.samplerStates[D3DSAMP_MINFILTER] = D3DTEXF_POINT;
    state_.samplerStates[D3DSAMP_MIPFILTER] = D3DTEXF_NONE;
}

void Device::SetTransform(D3DTRANSFORMSTATETYPE type, const Matrix4& m) {
    switch (type) {
        case D3DTS_WORLD: state_.world = m; break;
        case D3DTS_VIEW: state_.view = m; break;
        case D3DTS_PROJECTION: state_.projection = m; break;
    }
}

const Matrix4& Device::GetTransform(D3DTRANSFORMSTATETYPE type) const {
    switch (type) {
        case D3DTS_VIEW: return state_.view;
        case D3DTS_PROJECTION: return state_.projection;
        default: return state_.world;
    }
}

void Device::SetRenderState(D3DRENDERSTATETYPE state, uint32_t value) {
    if (state < kMaxRenderStates) state_.renderStates[state] = value;
}

uint32_t Device::GetRenderState(D3DRENDERSTATETYPE state) const {
    return state < kMaxRenderStates ? state_.renderStates[state] : 0;
}

// Only sampler 0 is used by the engine; its states are kept.
void Device::SetSamplerState(uint32_t sampler, D3DSAMPLERSTATETYPE type, uint32_t value) {
    if (sampler == 0 && type < kMaxSamplerStates) state_.samplerStates[type] = value;
}

uint32_t Device::GetSamplerState(uint32_t sampler, D3DSAMPLERSTATETYPE type) const {
    return (sampler == 0 && type < kMaxSamplerStates) ? state_.samplerStates[type] : 0;
}

void Device::SetMaterial(const D3DMATERIAL9& material) { state_.material = material; }

void Device::SetLight(uint32_t index, const D3DLIGHT9& light) {
    if (index < kMaxLights) state_.lights[index] = light;
}

void Device::LightEnable(uint32_t index, bool enable) {
    if (index < kMaxLights) state_.lightEnabled[index] = enable;
}

void Device::SetTexture(uint32_t stage, Texture* texture) {
    if (stage == 0) state_.texture = texture;
}

Texture* Device::GetTexture(uint32_t stage) const { return stage == 0 ? state_.texture : nullptr; }

void Device::SetVertexShader(VertexShader* shader) { state_.vertexShader = shader; }
void Device::SetVertexDeclaration(VertexDeclaration* declaration) { state_.vertexDeclaration = declaration; }

// ---- NullDevice -----------------------------------------------------------

HRESULT NullDevice::Present() {
    ++stats_.frames;
    return D3D_OK;
}

HRESULT NullDevice::ResetToWindowed(int width, int height) {
    width_ = width;
    height_ = height;
    return D3D_OK;
}

HRESULT NullDevice::DrawPrimitive(D3DPRIMITIVETYPE, const VertexBuffer&, uint32_t, uint32_t primitiveCount) {
    ++stats_.drawCalls;
    stats_.primitives += primitiveCount;
    return D3D_OK;
}

HRESULT NullDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE, const VertexBuffer&, const IndexBuffer&, uint32_t,
                                         uint32_t primitiveCount) {
    ++stats_.drawCalls;
    stats_.primitives += primitiveCount;
    return D3D_OK;
}

HRESULT NullDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE, uint32_t primitiveCount, const void*, uint32_t, uint32_t) {
    ++stats_.drawCalls;
    stats_.primitives += primitiveCount;
    return D3D_OK;
}

std::shared_ptr<VertexShader> NullDevice::CreateVertexShader(const std::string& source, std::string& messages) {
    messages.clear();
    if (source.empty()) {
        messages = "empty shader source";
        return nullptr;
    }
    return std::make_shared<VertexShader>(source);
}
