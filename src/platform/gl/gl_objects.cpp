#include "platform/gl/gl_objects.h"

#include "platform/texel_bytes.h"


#include "platform/gl/gl_state.h"

GlObject::GlObject(Kind kind, GLuint name, const GlContextRef& owner) : kind_(kind), name_(name), owner_(owner) {
    if (owner) owner->live_.insert(this);
}

GlObject::~GlObject() {
    const GlContextRef owner = owner_.lock();
    if (!owner) return;
    owner->live_.erase(this);
    if (SDL_GL_GetCurrentContext() == owner->context) DeleteName(kind_, name_);
}

void GlObject::DeleteName(Kind kind, GLuint name) {
    switch (kind) {
        case Kind::Buffer: glDeleteBuffers(1, &name); break;
        case Kind::Texture: glDeleteTextures(1, &name); break;
        case Kind::Program: glDeleteProgram(name); break;
    }
}

void GlContextToken::DeleteObjects() {
    for (GlObject* object : live_) {
        GlObject::DeleteName(object->kind_, object->name_);
        object->owner_.reset();
    }
    live_.clear();
}

GlProgram::GlProgram(GLuint program, const GlContextRef& owner) : GlObject(Kind::Program, program, owner) {
    GLint count = 0;
    glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &count);
    for (GLint i = 0; i < count; ++i) {
        char name[256];
        GLsizei length = 0;
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(program, static_cast<GLuint>(i), sizeof name, &length, &size, &type, name);
        std::string key(name, static_cast<size_t>(length));
        if (auto bracket = key.find('['); bracket != std::string::npos) key.resize(bracket);
        uniforms_[key] = Uniform{glGetUniformLocation(program, name), type};
    }
}

const GlProgram::Uniform* GlProgram::Find(const std::string& name) const {
    auto it = uniforms_.find(name);
    return it == uniforms_.end() ? nullptr : &it->second;
}

namespace {

// The resource's object when this context made it, else a fresh one.
GlObject& OwnObject(const DeviceResource& resource, GlObject::Kind kind, const GlContextRef& context) {
    auto* object = dynamic_cast<GlObject*>(resource.gpu.get());
    if (!object || !object->OwnedBy(context)) {
        GLuint name = 0;
        if (kind == GlObject::Kind::Texture)
            glGenTextures(1, &name);
        else
            glGenBuffers(1, &name);
        resource.gpu = std::make_unique<GlObject>(kind, name, context);
        resource.gpuVersion = 0;
        object = static_cast<GlObject*>(resource.gpu.get());
    }
    return *object;
}

#ifdef __EMSCRIPTEN__
// ES has neither BGRA texels nor a swizzle: each level goes up as RGBA bytes.
void UploadTexture(const Texture& texture) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    const uint32_t levels = texture.GetLevelCount();
    for (uint32_t level = 0; level < levels; ++level)
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), GL_RGBA8, static_cast<GLsizei>(texture.Width(level)),
                     static_cast<GLsizei>(texture.Height(level)), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     RgbaTexels(texture, level).data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels ? levels - 1 : 0));
}
#else
void UploadTexture(const Texture& texture) {
    const bool packed16 = texture.Format() == D3DFMT_A4R4G4B4;
    // Texels are B, G, R, A in memory (little-endian ARGB words). An
    // X8R8G8B8 texture is stored without alpha, which then reads as one.
    const GLenum type = packed16 ? GL_UNSIGNED_SHORT_4_4_4_4_REV : GL_UNSIGNED_BYTE;
    const GLint stored = texture.Format() == D3DFMT_X8R8G8B8 ? GL_RGB8 : GL_RGBA8;
    glPixelStorei(GL_UNPACK_ALIGNMENT, packed16 ? 2 : 4);
    const uint32_t levels = texture.GetLevelCount();
    for (uint32_t level = 0; level < levels; ++level)
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), stored, static_cast<GLsizei>(texture.Width(level)),
                     static_cast<GLsizei>(texture.Height(level)), 0, GL_BGRA, type, texture.Bits(level));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels ? levels - 1 : 0));
}
#endif

}  // namespace

GLuint SyncTexture(const Texture& texture, const GlContextRef& context, GlState& state) {
    GlObject& object = OwnObject(texture, GlObject::Kind::Texture, context);
    state.BindTexture(object.Name());
    if (texture.gpuVersion != texture.Version()) {
        UploadTexture(texture);
        texture.gpuVersion = texture.Version();
    }
    return object.Name();
}

GLuint SyncVertexBuffer(const VertexBuffer& buffer, const GlContextRef& context, GlState& state) {
    GlObject& object = OwnObject(buffer, GlObject::Kind::Buffer, context);
    state.BindArrayBuffer(object.Name());
    if (buffer.gpuVersion != buffer.Version()) {
        glBufferData(GL_ARRAY_BUFFER, buffer.Size(), buffer.Data(), GL_STATIC_DRAW);
        buffer.gpuVersion = buffer.Version();
    }
    return object.Name();
}

GLuint SyncIndexBuffer(const IndexBuffer& buffer, const GlContextRef& context, GlState& state) {
    GlObject& object = OwnObject(buffer, GlObject::Kind::Buffer, context);
    state.BindElementBuffer(object.Name());
    if (buffer.gpuVersion != buffer.Version()) {
        const auto& indices = buffer.Indices();
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(uint32_t)),
                     indices.data(), GL_STATIC_DRAW);
        buffer.gpuVersion = buffer.Version();
    }
    return object.Name();
}
