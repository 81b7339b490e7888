// Textured quads at their own world transforms, drawn in the order they were
// added: one draw for each run of quads that share a texture and blending.
// Quads whose pictures sit in one texture (a frame atlas) thus share a draw.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/d3dx_math.h"
#include "platform/resources.h"

class Device;
struct TMesh;

// The part of a texture a quad shows, in texture coordinates.
struct TexRect {
    float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
};

class QuadBatch {
public:
    // `quad` is a record made by CreateQuad; its texture coordinates (0..1)
    // are mapped into `rect` of `texture`.
    void Add(const TMesh& quad, Texture* texture, const Matrix4& world, const TexRect& rect = {});
    // Draws what was added as RenderMesh draws a quad: emissive white,
    // blended when the record says so; the world transform is left at
    // identity. Empties the batch.
    void Draw(Device& device);
    bool Empty() const { return runs_.empty(); }

private:
    struct Run {
        Texture* texture;
        bool blend;
        uint32_t firstVertex, vertexCount;
    };
    std::vector<MeshVertex> vertices_;  // triangle list in world space
    std::vector<Run> runs_;
};
