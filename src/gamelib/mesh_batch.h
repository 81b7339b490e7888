// Opaque meshes gathered and drawn together: one draw per mesh subset,
// material and texture, with the vertices moved to world space here. The
// nearest objects go first, so that depth testing rejects the pixels they
// hide before those are shaded. Only depth may decide between the meshes of
// one batch: the caller draws it before anything that blends over them.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/d3dtypes.h"
#include "platform/d3dx_math.h"
#include "platform/resources.h"

class Device;
struct TMesh;

// An unblended indexed mesh whose materials are all opaque: its picture does
// not depend on what was drawn before it (quads and blended meshes keep their
// turn).
bool Batchable(const TMesh& mesh);

class MeshBatch {
public:
    // Queues `mesh` at `world`; nothing when it is not batchable.
    void Add(const TMesh& mesh, const Matrix4& world);
    // Draws everything queued with the device's current states, nearest
    // first; the world transform is left at identity. Empties the batch.
    void Draw(Device& device);
    bool Empty() const { return items_.empty(); }
    void Clear() { items_.clear(); }

private:
    struct Item {
        const D3DXMesh* mesh;
        uint32_t subset;
        const D3DMATERIAL9* material;
        Texture* texture;
        Matrix4 world;
        float depth;  // view-space z of the world origin: smaller is nearer
    };
    // Items of one draw share mesh, subset, material and texture.
    static bool SameDraw(const Item& a, const Item& b);
    void Fill(const std::vector<const Item*>& order);

    std::vector<Item> items_;
    std::unique_ptr<VertexBuffer> vertices_;
    std::unique_ptr<IndexBuffer> indices_;
    // Where each draw's indices start and how many faces it has.
    struct Run {
        const Item* first;
        uint32_t startIndex, faces;
    };
    std::vector<Run> runs_;
};
