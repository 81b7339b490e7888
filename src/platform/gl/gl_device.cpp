#include "platform/gl/gl_device.h"

#include <cstdio>
#include <cstring>

#include "platform/gl/gl_context.h"
#include "platform/sdl_window.h"

namespace {

GLenum BlendFactor(uint32_t blend) {
    switch (blend) {
        case D3DBLEND_ZERO: return GL_ZERO;
        case D3DBLEND_SRCCOLOR: return GL_SRC_COLOR;
        case D3DBLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
        case D3DBLEND_SRCALPHA: return GL_SRC_ALPHA;
        case D3DBLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
        case D3DBLEND_DESTALPHA: return GL_DST_ALPHA;
        case D3DBLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
        case D3DBLEND_DESTCOLOR: return GL_DST_COLOR;
        case D3DBLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
        default: return GL_ONE;
    }
}

GLenum CompareFunc(uint32_t func) {
    switch (func) {
        case D3DCMP_NEVER: return GL_NEVER;
        case D3DCMP_LESS: return GL_LESS;
        case D3DCMP_EQUAL: return GL_EQUAL;
        case D3DCMP_LESSEQUAL: return GL_LEQUAL;
        case D3DCMP_GREATER: return GL_GREATER;
        case D3DCMP_NOTEQUAL: return GL_NOTEQUAL;
        case D3DCMP_GREATEREQUAL: return GL_GEQUAL;
        default: return GL_ALWAYS;
    }
}

GLenum PrimitiveMode(D3DPRIMITIVETYPE type) {
    switch (type) {
        case D3DPT_POINTLIST: return GL_POINTS;
        case D3DPT_LINELIST: return GL_LINES;
        case D3DPT_LINESTRIP: return GL_LINE_STRIP;
        case D3DPT_TRIANGLESTRIP: return GL_TRIANGLE_STRIP;
        case D3DPT_TRIANGLEFAN: return GL_TRIANGLE_FAN;
        default: return GL_TRIANGLES;
    }
}

GLsizei VertexCount(D3DPRIMITIVETYPE type, uint32_t primitives) {
    switch (type) {
        case D3DPT_POINTLIST: return static_cast<GLsizei>(primitives);
        case D3DPT_LINELIST: return static_cast<GLsizei>(primitives * 2);
        case D3DPT_LINESTRIP: return static_cast<GLsizei>(primitives + 1);
        case D3DPT_TRIANGLESTRIP:
        case D3DPT_TRIANGLEFAN: return static_cast<GLsizei>(primitives + 2);
        default: return static_cast<GLsizei>(primitives * 3);
    }
}

void CopyColour(float (&out)[4], const D3DCOLORVALUE& c) {
    out[0] = c.r;
    out[1] = c.g;
    out[2] = c.b;
    out[3] = c.a;
}

void CopyMatrix(float (&out)[16], const Matrix4& m) { std::memcpy(out, m.m, sizeof out); }

bool HasColour(const D3DCOLORVALUE& c) { return c.r > 0 || c.g > 0 || c.b > 0; }
bool HasColour(const float (&c)[4]) { return c[0] > 0 || c[1] > 0 || c[2] > 0; }

GLenum FilterOf(uint32_t filter) { return filter == D3DTEXF_LINEAR ? GL_LINEAR : GL_NEAREST; }

GLenum MinFilterOf(uint32_t minFilter, uint32_t mipFilter) {
    const bool linear = minFilter == D3DTEXF_LINEAR;
    if (mipFilter == D3DTEXF_POINT) return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    if (mipFilter == D3DTEXF_LINEAR) return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
    return linear ? GL_LINEAR : GL_NEAREST;
}

GLenum AddressOf(uint32_t address) { return address == D3DTADDRESS_CLAMP ? GL_CLAMP_TO_EDGE : GL_REPEAT; }

GlProgram* ProgramOf(const VertexShader* shader, const GlContextRef& context) {
    auto* program = shader ? dynamic_cast<GlProgram*>(shader->gpu.get()) : nullptr;
    return program && program->OwnedBy(context) ? program : nullptr;
}

}  // namespace

std::unique_ptr<GlDevice> GlDevice::Create(GameWindow* window, const GlDeviceParams& params, std::string& error) {
    SDL_Window* native = NativeWindow(window);
    if (!native) {
        error = "the window has no native surface";
        return nullptr;
    }
    SDL_GLContext context = CreateGlContext(native, params.glMajor, params.glMinor, error);
    if (!context) return nullptr;
    std::unique_ptr<GlDevice> device(new GlDevice(window, params, context));
    if (!device->Init(error)) return nullptr;
    return device;
}

GlDevice::GlDevice(GameWindow* window, const GlDeviceParams& params, SDL_GLContext context)
    : window_(window), params_(params), context_(context), token_(std::make_shared<GlContextToken>(context)) {
    window_->beforeNativeClose = [this] { ReleaseContext(); };
}

bool GlDevice::Init(std::string& error) {
    std::string log;
    // The variant every game draws its text with shows that the driver takes
    // the emulation at all.
    if (!FixedProgram(kFixedTextured | kFixedScreen, &log)) {
        error = "fixed-function program: " + log;
        return false;
    }
    if (!backBuffer_.Create(params_.width, params_.height, params_.depth24Stencil8, error)) return false;
    SDL_GL_SetSwapInterval(params_.swapInterval);  // -1 (unsupported) is harmless

    glGenVertexArrays(1, &vao_);
    glBindVertexArray(vao_);
    glGenBuffers(1, &streamBuffer_);
    glGenBuffers(1, &blockBuffer_);
    glBindBuffer(GL_UNIFORM_BUFFER, blockBuffer_);
    glBufferData(GL_UNIFORM_BUFFER, sizeof(FixedFunctionBlock), nullptr, GL_DYNAMIC_DRAW);
    glBindBufferBase(GL_UNIFORM_BUFFER, kFixedFunctionBinding, blockBuffer_);
    glGenSamplers(1, &sampler_);
    glBindSampler(0, sampler_);
    glActiveTexture(GL_TEXTURE0);
    // Direct3D's front faces are clockwise on screen.
    glFrontFace(GL_CW);
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    maxTextureSize_ = static_cast<uint32_t>(maxSize);
    renderer_ = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    state_gl_.BindDrawFramebuffer(backBuffer_.DrawTarget());
    state_gl_.Viewport(backBuffer_.Width(), backBuffer_.Height());
    return true;
}

GlDevice::~GlDevice() {
    window_->beforeNativeClose = nullptr;
    ReleaseContext();
}

void GlDevice::ReleaseContext() {
    if (!context_) return;
    // A closing window is already marked destroyed but still exists here.
    SDL_Window* native = NativeWindow(window_);
    if (CurrentOn(native)) {
        token_->DeleteObjects();
        backBuffer_.Destroy();
        backdrop_.Destroy();
        const GLuint buffers[] = {streamBuffer_, blockBuffer_};
        glDeleteBuffers(2, buffers);
        glDeleteSamplers(1, &sampler_);
        glDeleteVertexArrays(1, &vao_);
        for (GLuint program : fixedPrograms_)
            if (program) glDeleteProgram(program);
        SDL_GL_MakeCurrent(native, nullptr);
    }
    token_.reset();  // objects resources still hold no longer delete their names
    ReleaseGlContext(context_);
    context_ = nullptr;
}

bool GlDevice::Ready() { return !window_->destroyed && CurrentOn(NativeWindow(window_)); }

bool GlDevice::CurrentOn(SDL_Window* native) {
    if (!native || !context_) return false;
    return SDL_GL_GetCurrentContext() == context_ || SDL_GL_MakeCurrent(native, context_) == 0;
}

HRESULT GlDevice::Clear(uint32_t flags, D3DCOLOR color, float z) {
    if (!Ready()) return D3DERR_DEVICELOST;
    Drawing();
    GLbitfield mask = 0;
    if (flags & D3DCLEAR_TARGET) {
        state_gl_.ColorMask(0xF);
        glClearColor(((color >> 16) & 0xFF) / 255.0f, ((color >> 8) & 0xFF) / 255.0f, (color & 0xFF) / 255.0f,
                     (color >> 24) / 255.0f);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & D3DCLEAR_ZBUFFER) {
        state_gl_.DepthMask(true);
        ClearDepth(z);
        mask |= GL_DEPTH_BUFFER_BIT;
        // Nothing reads the stencil, so it is cleared with the depth it
        // shares its words with: a whole-word clear, where a depth-only one
        // makes a software rasteriser keep the stencil bits pixel by pixel.
        if (params_.depth24Stencil8) mask |= GL_STENCIL_BUFFER_BIT;
    }
    if (mask) glClear(mask);
    if (flags & D3DCLEAR_TARGET) backdrop_.Cleared(color);
    return D3D_OK;
}

void GlDevice::Drawing() {
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(NativeWindow(window_), &width, &height);
    backBuffer_.Drawing(width, height);
    state_gl_.BindDrawFramebuffer(backBuffer_.DrawTarget());
}

HRESULT GlDevice::BeginScene() {
    if (!Ready()) return D3DERR_DEVICELOST;
    state_gl_.BindDrawFramebuffer(backBuffer_.DrawTarget());
    return D3D_OK;
}

HRESULT GlDevice::Present() {
    if (!Ready()) return D3DERR_DEVICELOST;
    SDL_Window* native = NativeWindow(window_);
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(native, &width, &height);
    backdrop_.TakeCandidate();
    backBuffer_.Present(width, height, state_gl_);
    SDL_GL_SwapWindow(native);
    state_gl_.BindDrawFramebuffer(backBuffer_.DrawTarget());
    ++stats_.frames;
    return D3D_OK;
}

HRESULT GlDevice::ResetToWindowed(int width, int height) {
    if (!Ready()) return D3DERR_DEVICELOST;
    SDL_Window* native = NativeWindow(window_);
    SDL_SetWindowFullscreen(native, 0);
    SDL_SetWindowSize(native, width, height);
    params_.windowed = true;
    params_.width = width;
    params_.height = height;
    std::string error;
    if (!backBuffer_.Create(width, height, params_.depth24Stencil8, error)) return E_FAIL;
    state_gl_.BindDrawFramebuffer(backBuffer_.DrawTarget());
    state_gl_.Viewport(width, height);
    blockValid_ = false;
    return D3D_OK;
}

bool GlDevice::ReadFrontBuffer(Image& out) {
    if (!Ready() || !backBuffer_.HoldsShownFrame()) return false;
    backBuffer_.ReadFront(out);
    return true;
}

std::shared_ptr<VertexShader> GlDevice::CreateVertexShader(const std::string& source, std::string& messages) {
    messages.clear();
    if (!Ready()) {
        messages = "the device is lost";
        return nullptr;
    }
    GLuint program = CreateVertexShaderProgram(source, messages);
    if (!program) return nullptr;
    auto shader = std::make_shared<VertexShader>(source);
    shader->gpu = std::make_unique<GlProgram>(program, token_);
    shader->gpuVersion = shader->Version();
    return shader;
}

HRESULT GlDevice::SetVertexShaderConstantF(const char* name, const float* data, uint32_t count) {
    if (!Ready() || !name || !data || !count) return D3DERR_INVALIDCALL;
    if (!PrepareShaderProgram()) return D3DERR_INVALIDCALL;
    GlProgram* program = ProgramOf(state_.vertexShader, token_);
    const GlProgram::Uniform* uniform = program->Find(name);
    if (!uniform) return D3DERR_INVALIDCALL;
    const auto n = static_cast<GLsizei>(count);
    switch (uniform->type) {
        case GL_FLOAT_MAT4: glUniformMatrix4fv(uniform->location, n / 4, GL_FALSE, data); break;
        case GL_FLOAT_VEC4: glUniform4fv(uniform->location, n, data); break;
        case GL_FLOAT_VEC3: glUniform3fv(uniform->location, 1, data); break;
        case GL_FLOAT_VEC2: glUniform2fv(uniform->location, 1, data); break;
        case GL_FLOAT: glUniform1fv(uniform->location, 1, data); break;
        default: return D3DERR_INVALIDCALL;
    }
    ++ownChanges_;
    ++stats_.uniformUploads;
    return D3D_OK;
}

// Compiles the current vertex shader in this context when it came from
// elsewhere, and makes it the program in use.
bool GlDevice::PrepareShaderProgram() {
    VertexShader* shader = state_.vertexShader;
    if (!shader) return false;
    GlProgram* program = ProgramOf(shader, token_);
    if (!program) {
        std::string log;
        GLuint name = CreateVertexShaderProgram(shader->Source(), log);
        if (!name) return false;
        shader->gpu = std::make_unique<GlProgram>(name, token_);
        program = static_cast<GlProgram*>(shader->gpu.get());
    }
    state_gl_.UseProgram(program->Name());
    return true;
}

void GlDevice::ApplyRenderStates() {
    const auto& rs = state_.renderStates;
    state_gl_.Enable(GL_DEPTH_TEST, rs[D3DRS_ZENABLE] != 0);
    state_gl_.DepthMask(rs[D3DRS_ZWRITEENABLE] != 0);
    state_gl_.DepthFunc(CompareFunc(rs[D3DRS_ZFUNC]));
    const bool blend = rs[D3DRS_ALPHABLENDENABLE] != 0;
    state_gl_.Enable(GL_BLEND, blend);
    if (blend) state_gl_.BlendFunc(BlendFactor(rs[D3DRS_SRCBLEND]), BlendFactor(rs[D3DRS_DESTBLEND]));
    const uint32_t cull = rs[D3DRS_CULLMODE];
    state_gl_.Enable(GL_CULL_FACE, cull == D3DCULL_CW || cull == D3DCULL_CCW);
    if (cull == D3DCULL_CCW) state_gl_.CullFace(GL_BACK);
    if (cull == D3DCULL_CW) state_gl_.CullFace(GL_FRONT);
    state_gl_.FillMode(static_cast<D3DFILLMODE>(rs[D3DRS_FILLMODE]));
    state_gl_.ColorMask(rs[D3DRS_COLORWRITEENABLE]);
}

void GlDevice::ApplySampler() {
    const auto& ss = state_.samplerStates;
    const std::array<uint32_t, 5> wanted{ss[D3DSAMP_MINFILTER], ss[D3DSAMP_MAGFILTER], ss[D3DSAMP_MIPFILTER],
                                         ss[D3DSAMP_ADDRESSU], ss[D3DSAMP_ADDRESSV]};
    if (samplerValid_ && wanted == samplerShadow_) return;
    samplerShadow_ = wanted;
    samplerValid_ = true;
    glSamplerParameteri(sampler_, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(MinFilterOf(wanted[0], wanted[2])));
    glSamplerParameteri(sampler_, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(FilterOf(wanted[1])));
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_S, static_cast<GLint>(AddressOf(wanted[3])));
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_T, static_cast<GLint>(AddressOf(wanted[4])));
    ownChanges_ += 4;
}

void GlDevice::PrepareFixedFunction(bool pretransformed) {
    FixedFunctionBlock b{};
    const auto& rs = state_.renderStates;
    const Matrix4 worldView = state_.world * state_.view;
    CopyMatrix(b.worldViewProj, worldView * state_.projection);
    CopyMatrix(b.worldView, worldView);
    Matrix4 inverse;
    D3DXMatrixInverse(worldView, inverse);
    CopyMatrix(b.normalMatrix, D3DXMatrixTranspose(inverse));
    for (int i = 0; i < kMaxLights; ++i) {
        const D3DLIGHT9& light = state_.lights[i];
        if (!state_.lightEnabled[i] || light.Type != D3DLIGHT_DIRECTIONAL) continue;
        const Vector3 dir{light.Direction.x, light.Direction.y, light.Direction.z};
        const Vector3 toLight = -D3DXVec3Normalize(D3DXVec3TransformNormal(dir, state_.view));
        b.lightDir[0] = toLight.x;
        b.lightDir[1] = toLight.y;
        b.lightDir[2] = toLight.z;
        b.lightDir[3] = 1;
        CopyColour(b.lightDiffuse, light.Diffuse);
        CopyColour(b.lightAmbient, light.Ambient);
        CopyColour(b.lightSpecular, light.Specular);
        break;  // one directional light
    }
    const D3DMATERIAL9& m = state_.material;
    CopyColour(b.matDiffuse, m.Diffuse);
    CopyColour(b.matAmbient, m.Ambient);
    CopyColour(b.matSpecular, m.Specular);
    CopyColour(b.matEmissive, m.Emissive);
    b.matPower = m.Power;
    const uint32_t ambient = rs[D3DRS_AMBIENT];
    b.globalAmbient[0] = ((ambient >> 16) & 0xFF) / 255.0f;
    b.globalAmbient[1] = ((ambient >> 8) & 0xFF) / 255.0f;
    b.globalAmbient[2] = (ambient & 0xFF) / 255.0f;
    b.globalAmbient[3] = (ambient >> 24) / 255.0f;
    const float width = static_cast<float>(backBuffer_.Width()), height = static_cast<float>(backBuffer_.Height());
    b.viewport[0] = width;
    b.viewport[1] = height;
    b.viewport[2] = 1.0f / width;
    b.viewport[3] = -1.0f / height;
    b.lighting = rs[D3DRS_LIGHTING] != 0;
    // Specular light adds nothing where the material or the light has none.
    b.specular = rs[D3DRS_SPECULARENABLE] != 0 && HasColour(m.Specular) && HasColour(b.lightSpecular);
    b.normalize = rs[D3DRS_NORMALIZENORMALS] != 0;
    b.pretransformed = pretransformed;
    if (rs[D3DRS_ALPHATESTENABLE]) {
        b.alphaFunc = static_cast<int32_t>(rs[D3DRS_ALPHAFUNC]);
        b.alphaRef = static_cast<float>(rs[D3DRS_ALPHAREF] & 0xFF);
    }
    b.textured = state_.texture != nullptr;

    const uint32_t variant =
        FixedVariantOf(b.lighting, b.specular, b.textured, b.alphaFunc != 0, b.pretransformed);
    if (GLuint program = FixedProgram(variant)) state_gl_.UseProgram(program);
    if (b.textured) {
        SyncTexture(*state_.texture, token_, state_gl_);
        ApplySampler();
    }
    if (!blockValid_ || std::memcmp(&b, &block_, sizeof b) != 0) {
        block_ = b;
        blockValid_ = true;
        // Fresh storage each time: rewriting a block an earlier draw still
        // reads would wait for that draw.
        glBindBuffer(GL_UNIFORM_BUFFER, blockBuffer_);
        glBufferData(GL_UNIFORM_BUFFER, sizeof b, &b, GL_STREAM_DRAW);
        ++ownChanges_;
        ++stats_.uniformUploads;
    }
}

GLuint GlDevice::FixedProgram(uint32_t variant, std::string* log) {
    GLuint& program = fixedPrograms_[variant];
    const uint32_t bit = 1u << variant;
    if (program || (failedVariants_ & bit)) return program;
    std::string messages;
    program = CreateFixedFunctionProgram(variant, messages);
    if (program) return program;
    failedVariants_ |= bit;
    if (log) *log = messages;
    std::fprintf(stderr, "rockpile: fixed-function variant %u: %s\n", variant, messages.c_str());
    return 0;
}

void GlDevice::BindLayout(GLuint vertexBuffer, const Layout& layout) {
    if (layoutValid_ && layoutBuffer_ == vertexBuffer && layoutShadow_ == layout) return;
    layoutValid_ = true;
    layoutBuffer_ = vertexBuffer;
    layoutShadow_ = layout;
    ++ownChanges_;
    const auto stride = static_cast<GLsizei>(layout.stride);
    auto attribute = [&](GLuint location, GLint size, GLenum type, bool normalized, uintptr_t offset) {
        glEnableVertexAttribArray(location);
        glVertexAttribPointer(location, size, type, normalized ? GL_TRUE : GL_FALSE, stride,
                              reinterpret_cast<const void*>(offset));
    };
    bool used[4] = {false, false, false, false};
    if (layout.declaration) {
        for (const VertexElement& e : layout.declaration->Elements()) {
            const GLuint location = e.usage == DeclUsage::Position ? 0 : kAttrShaderNormal0 + e.usageIndex;
            if (location >= 4) continue;
            attribute(location, 3, GL_FLOAT, false, e.offset);
            used[location] = true;
        }
    } else {
        uintptr_t offset = 0;
        const bool rhw = layout.fvf & D3DFVF_XYZRHW;
        attribute(kAttrPosition, rhw ? 4 : 3, GL_FLOAT, false, 0);
        used[kAttrPosition] = true;
        offset += rhw ? 16 : 12;
        if (layout.fvf & D3DFVF_NORMAL) {
            attribute(kAttrNormal, 3, GL_FLOAT, false, offset);
            used[kAttrNormal] = true;
            offset += 12;
        }
        if (layout.fvf & D3DFVF_DIFFUSE) {
            attribute(kAttrColor, kVertexColorSize, GL_UNSIGNED_BYTE, true, offset);
            used[kAttrColor] = true;
            offset += 4;
        }
        if (layout.fvf & D3DFVF_TEX1) {
            attribute(kAttrTexCoord, 2, GL_FLOAT, false, offset);
            used[kAttrTexCoord] = true;
        }
    }
    // Missing inputs read constants: no normal, white, texture origin.
    for (GLuint location = 0; location < 4; ++location) {
        if (used[location]) continue;
        glDisableVertexAttribArray(location);
        if (location == kAttrColor && !layout.declaration)
            glVertexAttrib4f(location, 1, 1, 1, 1);
        else
            glVertexAttrib4f(location, 0, 0, 0, 1);
    }
}

bool GlDevice::PrepareDraw(GLuint vertexBuffer, const Layout& layout) {
    Drawing();
    ApplyRenderStates();
    if (layout.declaration) {
        if (!PrepareShaderProgram()) return false;
        GlProgram* program = ProgramOf(state_.vertexShader, token_);
        if (const GlProgram::Uniform* offset = program->Find(kPixelOffsetUniform)) {
            glUniform2f(offset->location, 1.0f / backBuffer_.Width(), -1.0f / backBuffer_.Height());
            ++stats_.uniformUploads;
        }
    } else {
        PrepareFixedFunction((layout.fvf & D3DFVF_XYZRHW) != 0);
    }
    state_gl_.BindArrayBuffer(vertexBuffer);
    BindLayout(vertexBuffer, layout);
    return true;
}

void GlDevice::CountDraw(uint32_t primitiveCount) {
    ++stats_.drawCalls;
    stats_.primitives += primitiveCount;
    stats_.programSwitches = state_gl_.ProgramSwitches();
    stats_.textureBinds = state_gl_.TextureBinds();
}

HRESULT GlDevice::DrawPrimitive(D3DPRIMITIVETYPE type, const VertexBuffer& vertices, uint32_t startVertex,
                                uint32_t primitiveCount) {
    if (!Ready()) return D3DERR_DEVICELOST;
    const GLuint buffer = SyncVertexBuffer(vertices, token_, state_gl_);
    const bool shader = state_.vertexShader && state_.vertexDeclaration;
    const Layout layout{shader ? 0 : vertices.FVF(), shader ? state_.vertexDeclaration : nullptr,
                        shader ? state_.vertexDeclaration->Stride() : vertices.Stride()};
    if (!PrepareDraw(buffer, layout)) return D3DERR_INVALIDCALL;
    const std::string backdrop =
        backdrop_.TakeCandidate() ? BackdropDraw(type, vertices, startVertex, primitiveCount) : std::string();
    if (!backdrop.empty() && backdrop_.Restore(backdrop, backBuffer_, state_gl_)) {
        ++stats_.backdropsCopied;
        return D3D_OK;
    }
    glDrawArrays(PrimitiveMode(type), static_cast<GLint>(startVertex), VertexCount(type, primitiveCount));
    CountDraw(primitiveCount);
    if (!backdrop.empty()) backdrop_.Drawn(backdrop, backBuffer_, state_gl_);
    return D3D_OK;
}

std::string GlDevice::BackdropDraw(D3DPRIMITIVETYPE type, const VertexBuffer& vertices, uint32_t startVertex,
                                   uint32_t primitiveCount) const {
    const auto& rs = state_.renderStates;
    if (state_.vertexShader || rs[D3DRS_ZENABLE] || rs[D3DRS_ZWRITEENABLE]) return {};
    std::string key;
    auto put = [&key](const auto& value) { key.append(reinterpret_cast<const char*>(&value), sizeof value); };
    // Versions are never reused, so a resource and its version name its
    // contents for the program's life.
    put(static_cast<const void*>(&vertices));
    put(vertices.Version());
    put(static_cast<const void*>(state_.texture));
    put(state_.texture ? state_.texture->Version() : 0);
    for (uint32_t value : {static_cast<uint32_t>(type), startVertex, primitiveCount, vertices.FVF(), vertices.Stride()})
        put(value);
    put(backBuffer_.Width());
    put(backBuffer_.Height());
    put(block_);
    put(samplerShadow_);
    put(rs);
    return key;
}

HRESULT GlDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, const VertexBuffer& vertices,
                                       const IndexBuffer& indices, uint32_t startIndex, uint32_t primitiveCount) {
    if (!Ready()) return D3DERR_DEVICELOST;
    const GLuint buffer = SyncVertexBuffer(vertices, token_, state_gl_);
    const bool shader = state_.vertexShader && state_.vertexDeclaration;
    const Layout layout{shader ? 0 : vertices.FVF(), shader ? state_.vertexDeclaration : nullptr,
                        shader ? state_.vertexDeclaration->Stride() : vertices.Stride()};
    if (!PrepareDraw(buffer, layout)) return D3DERR_INVALIDCALL;
    backdrop_.TakeCandidate();
    SyncIndexBuffer(indices, token_, state_gl_);
    glDrawElements(PrimitiveMode(type), VertexCount(type, primitiveCount), GL_UNSIGNED_INT,
                   reinterpret_cast<const void*>(uintptr_t{startIndex} * sizeof(uint32_t)));
    CountDraw(primitiveCount);
    return D3D_OK;
}

HRESULT GlDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, uint32_t primitiveCount, const void* vertices,
                                  uint32_t stride, uint32_t fvf) {
    if (!Ready()) return D3DERR_DEVICELOST;
    if (!vertices || !stride) return D3DERR_INVALIDCALL;
    state_gl_.BindArrayBuffer(streamBuffer_);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(VertexCount(type, primitiveCount)) * stride, vertices,
                 GL_STREAM_DRAW);
    if (!PrepareDraw(streamBuffer_, Layout{fvf, nullptr, stride})) return D3DERR_INVALIDCALL;
    backdrop_.TakeCandidate();
    glDrawArrays(PrimitiveMode(type), 0, VertexCount(type, primitiveCount));
    CountDraw(primitiveCount);
    return D3D_OK;
}
