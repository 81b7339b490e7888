// The device's own copies of resources: GL buffers, textures and programs
// kept in a resource's `gpu` slot. An object belongs to one context; once
// that context is gone (or not current) its destructor leaves the name alone,
// and a device that finds another context's object makes its own.
#pragma once

#include <SDL_video.h>
#include "platform/gl/gl_target.h"

#include <map>
#include <memory>
#include <string>

#include "platform/resources.h"

class GlState;

// Lives exactly as long as its context.
struct GlContextToken {
    SDL_GLContext context = nullptr;
};
using GlContextRef = std::shared_ptr<GlContextToken>;

class GlObject : public GpuResource {
public:
    enum class Kind { Buffer, Texture, Program };
    GlObject(Kind kind, GLuint name, const GlContextRef& owner) : kind_(kind), name_(name), owner_(owner) {}
    ~GlObject() override;
    GlObject(const GlObject&) = delete;
    GlObject& operator=(const GlObject&) = delete;

    GLuint Name() const { return name_; }
    bool OwnedBy(const GlContextRef& context) const { return owner_.lock() == context; }

private:
    Kind kind_;
    GLuint name_;
    std::weak_ptr<GlContextToken> owner_;
};

// A linked program with its active uniforms by name.
class GlProgram : public GlObject {
public:
    struct Uniform {
        GLint location;
        GLenum type;
    };
    GlProgram(GLuint program, const GlContextRef& owner);
    const Uniform* Find(const std::string& name) const;

private:
    std::map<std::string, Uniform> uniforms_;
};

// The GL texture of `texture`, uploaded again when its version moved on;
// left bound to unit 0.
GLuint SyncTexture(const Texture& texture, const GlContextRef& context, GlState& state);
// The GL buffers of vertex and index data, likewise; left bound.
GLuint SyncVertexBuffer(const VertexBuffer& buffer, const GlContextRef& context, GlState& state);
GLuint SyncIndexBuffer(const IndexBuffer& buffer, const GlContextRef& context, GlState& state);
