// The device's own copies of resources: GL buffers, textures and programs
// kept in a resource's `gpu` slot. An object belongs to one context's token;
// once the token is gone its destructor leaves the name alone, and a device
// that finds another context's object makes its own.
#pragma once

#include <SDL_video.h>
#include "platform/gl/gl_target.h"

#include <map>
#include <memory>
#include <string>
#include <unordered_set>

#include "platform/resources.h"

class GlState;

class GlObject;

// One device's use of a context: it lives as long as the device holds the
// context, and keeps the names of the objects made in it, so that the device
// can delete them all when it lets go. In a browser page the one context
// outlives every game, and a name left behind there would stay for the
// page's life.
class GlContextToken {
public:
    explicit GlContextToken(SDL_GLContext context) : context(context) {}

    // Deletes the names of every object made in this context that a
    // resource still holds; those objects then hold none. The context must
    // be current. (An object dropped while another context is current
    // leaves its name to go with its context.)
    void DeleteObjects();

    const SDL_GLContext context;

private:
    friend class GlObject;
    std::unordered_set<GlObject*> live_;
};
using GlContextRef = std::shared_ptr<GlContextToken>;

class GlObject : public GpuResource {
public:
    enum class Kind { Buffer, Texture, Program };
    GlObject(Kind kind, GLuint name, const GlContextRef& owner);
    ~GlObject() override;
    GlObject(const GlObject&) = delete;
    GlObject& operator=(const GlObject&) = delete;

    GLuint Name() const { return name_; }
    bool OwnedBy(const GlContextRef& context) const { return owner_.lock() == context; }

private:
    friend class GlContextToken;
    static void DeleteName(Kind kind, GLuint name);

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
