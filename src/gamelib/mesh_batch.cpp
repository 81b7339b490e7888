#include "gamelib/mesh_batch.h"

#include <algorithm>
#include <cstring>

#include "gamelib/mesh.h"
#include "gamelib/texman.h"
#include "gamelib/world_vertex.h"
#include "platform/device.h"

namespace {

const D3DXATTRIBUTERANGE* SubsetRange(const D3DXMesh& mesh, uint32_t subset) {
    for (const D3DXATTRIBUTERANGE& r : mesh.AttributeTable())
        if (r.AttribId == subset && r.FaceCount) return &r;
    return nullptr;
}

}  // namespace

bool Batchable(const TMesh& mesh) {
    if (!(mesh.kind & MESH_KIND_MESH) || (mesh.kind & MESH_KIND_QUAD) || (mesh.flags & MESH_ALPHA_BLEND) || !mesh.mesh)
        return false;
    for (int i = 0; i < mesh.numMaterials; ++i)
        if (mesh.materials[i].Diffuse.a < 1.0f) return false;
    return true;
}

void MeshBatch::Add(const TMesh& mesh, const Matrix4& world) {
    if (!Batchable(mesh)) return;
    for (int i = 0; i < mesh.numMaterials; ++i) {
        Texture* texture = texturesEnabled && mesh.textures[i] ? mesh.textures[i]->texture : nullptr;
        items_.push_back({mesh.mesh.get(), static_cast<uint32_t>(i), &mesh.materials[i], texture, world, world.m[3][2]});
    }
}

bool MeshBatch::SameDraw(const Item& a, const Item& b) {
    return a.mesh == b.mesh && a.subset == b.subset && a.texture == b.texture &&
           std::memcmp(a.material, b.material, sizeof(D3DMATERIAL9)) == 0;
}

void MeshBatch::Fill(const std::vector<const Item*>& order) {
    size_t vertexCount = 0, indexCount = 0;
    for (const Item* item : order) {
        const D3DXATTRIBUTERANGE* r = SubsetRange(*item->mesh, item->subset);
        if (!r) continue;
        vertexCount += r->VertexCount;
        indexCount += size_t{r->FaceCount} * 3;
    }
    const size_t bytes = std::max<size_t>(vertexCount, 1) * sizeof(MeshVertex);
    if (!vertices_ || vertices_->Size() < bytes)
        vertices_ = std::make_unique<VertexBuffer>(static_cast<uint32_t>(bytes * 2), FVF_MESH);
    if (!indices_) indices_ = std::make_unique<IndexBuffer>(std::vector<uint32_t>{});

    void* data = nullptr;
    vertices_->Lock(0, 0, &data);
    auto* out = static_cast<MeshVertex*>(data);
    std::vector<uint32_t>& indices = indices_->MutableIndices();
    indices.clear();
    indices.reserve(indexCount);
    runs_.clear();
    uint32_t base = 0;
    for (const Item* item : order) {
        const D3DXATTRIBUTERANGE* r = SubsetRange(*item->mesh, item->subset);
        if (!r) continue;
        if (runs_.empty() || !SameDraw(*runs_.back().first, *item))
            runs_.push_back({item, static_cast<uint32_t>(indices.size()), 0});
        const Matrix4& w = item->world;
        const Matrix4 n = NormalMatrix(w);
        const MeshVertex* in = item->mesh->Vertices().data() + r->VertexStart;
        for (uint32_t v = 0; v < r->VertexCount; ++v) out[base + v] = InWorld(in[v], w, n);
        const std::vector<uint32_t>& source = item->mesh->Indices();
        const uint32_t first = r->FaceStart * 3, end = first + r->FaceCount * 3;
        for (uint32_t i = first; i < end; ++i) indices.push_back(source[i] - r->VertexStart + base);
        runs_.back().faces += r->FaceCount;
        base += r->VertexCount;
    }
    vertices_->Unlock();
    indices_->Touch();
}

void MeshBatch::Draw(Device& device) {
    if (items_.empty()) return;
    // Nearest first; then every item joins the draw of the nearest item it
    // shares one with, so the draws too go nearest first.
    std::vector<const Item*> byDepth;
    byDepth.reserve(items_.size());
    for (const Item& item : items_) byDepth.push_back(&item);
    std::stable_sort(byDepth.begin(), byDepth.end(),
                     [](const Item* a, const Item* b) { return a->depth < b->depth; });
    std::vector<std::vector<const Item*>> draws;
    for (const Item* item : byDepth) {
        auto it = std::find_if(draws.begin(), draws.end(),
                               [item](const std::vector<const Item*>& d) { return SameDraw(*d.front(), *item); });
        if (it == draws.end())
            draws.push_back({item});
        else
            it->push_back(item);
    }
    std::vector<const Item*> order;
    order.reserve(items_.size());
    for (const auto& d : draws) order.insert(order.end(), d.begin(), d.end());
    Fill(order);

    device.SetTransform(D3DTS_WORLD, D3DXMatrixIdentity());
    for (const Run& run : runs_) {
        device.SetMaterial(*run.first->material);
        device.SetTexture(0, run.first->texture);
        device.DrawIndexedPrimitive(D3DPT_TRIANGLELIST, *vertices_, *indices_, run.startIndex, run.faces);
    }
    items_.clear();
}
