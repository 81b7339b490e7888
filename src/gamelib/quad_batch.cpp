#include "gamelib/quad_batch.h"

#include "gamelib/mesh.h"
#include "gamelib/world_vertex.h"
#include "platform/device.h"

namespace {

MeshVertex Placed(const MeshVertex& s, const Matrix4& w, const Matrix4& n, const TexRect& rect) {
    MeshVertex d = InWorld(s, w, n);
    d.u = rect.u0 + s.u * (rect.u1 - rect.u0);
    d.v = rect.v0 + s.v * (rect.v1 - rect.v0);
    return d;
}

}  // namespace

void QuadBatch::Add(const TMesh& quad, Texture* texture, const Matrix4& world, const TexRect& rect) {
    if (!quad.vertexBuffer || quad.primitiveCount <= 0) return;
    const auto* corners = reinterpret_cast<const MeshVertex*>(quad.vertexBuffer->Data());
    const uint32_t available = quad.vertexBuffer->VertexCount();
    const Matrix4 normals = NormalMatrix(world);
    const bool blend = (quad.flags & MESH_ALPHA_BLEND) != 0;
    if (runs_.empty() || runs_.back().texture != texture || runs_.back().blend != blend)
        runs_.push_back({texture, blend, static_cast<uint32_t>(vertices_.size()), 0});
    // The record's strip as a list; odd triangles swap their first two
    // corners, as a strip keeps every triangle's facing.
    for (uint32_t i = 0; i < static_cast<uint32_t>(quad.primitiveCount) && i + 2 < available; ++i) {
        const uint32_t a = i % 2 ? i + 1 : i, b = i % 2 ? i : i + 1;
        for (uint32_t corner : {a, b, i + 2}) vertices_.push_back(Placed(corners[corner], world, normals, rect));
        runs_.back().vertexCount += 3;
    }
}

void QuadBatch::Draw(Device& device) {
    if (runs_.empty()) return;
    D3DMATERIAL9 emissive{};
    emissive.Emissive = {1, 1, 1, 1};
    device.SetMaterial(emissive);
    device.SetTransform(D3DTS_WORLD, D3DXMatrixIdentity());
    for (const Run& run : runs_) {
        if (!run.vertexCount) continue;
        if (run.blend) {
            device.SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
            device.SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
            device.SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        }
        device.SetTexture(0, texturesEnabled ? run.texture : nullptr);
        device.DrawPrimitiveUP(D3DPT_TRIANGLELIST, run.vertexCount / 3, vertices_.data() + run.firstVertex,
                               sizeof(MeshVertex), FVF_MESH);
        if (run.blend) device.SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
    }
    vertices_.clear();
    runs_.clear();
}
