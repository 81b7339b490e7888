#include "gamelib/mesh.h"

#include <algorithm>

#include "gamelib/texel_footprint.h"
#include "gamelib/texman.h"
#include "platform/d3dx_shapes.h"
#include "platform/device.h"

int32_t texturesEnabled = 1;

namespace {

Texture* TextureOf(const TTextureEntry* entry) { return entry ? entry->texture : nullptr; }

// The quad shows its texture no smaller than its texels everywhere, so the
// sampler never reads past level 0 when minification and magnification
// filter alike: drawing it without mip levels gives the same pixels, at less
// cost to a software rasteriser.
bool QuadMagnified(const Device& device, const TMesh& quad, const Texture& texture) {
    if (device.GetSamplerState(0, D3DSAMP_MINFILTER) != device.GetSamplerState(0, D3DSAMP_MAGFILTER)) return false;
    if (quad.vertexBuffer->Size() < 3 * sizeof(MeshVertex)) return false;
    const auto* v = reinterpret_cast<const MeshVertex*>(quad.vertexBuffer->Data());
    const MeshVertex corners[3] = {v[0], v[1], v[2]};
    const Matrix4 worldViewProj = device.GetTransform(D3DTS_WORLD) * device.GetTransform(D3DTS_VIEW) *
                                  device.GetTransform(D3DTS_PROJECTION);
    const std::optional<float> texels = TexelsPerPixel(corners, worldViewProj, device.BackBufferWidth(),
                                                       device.BackBufferHeight(), texture.Width(), texture.Height());
    return texels && *texels <= 1.0f;
}

MeshVertex* QuadVertices(TMesh& quad) {
    if (!quad.vertexBuffer) return nullptr;
    void* data = nullptr;
    if (FAILED(quad.vertexBuffer->Lock(0, 0, &data))) return nullptr;
    return static_cast<MeshVertex*>(data);
}

}  // namespace

TMesh CreateQuad(Device*, uint32_t flags, double halfWidth, double halfHeight, bool doubleSided) {
    TMesh quad;
    quad.primitiveCount = doubleSided ? 4 : 2;
    uint32_t vertexCount = doubleSided ? 6 : 4;
    quad.vertexBuffer = std::make_shared<VertexBuffer>(vertexCount * sizeof(MeshVertex), FVF_MESH);
    quad.kind = MESH_KIND_QUAD;
    quad.flags = flags;
    quad.quadTexture = -1;
    quad.sizeFactor = 1.0;
    float w = static_cast<float>(halfWidth), h = static_cast<float>(halfHeight);
    const MeshVertex corners[6] = {
        {-w, h, 0, 0, 0, -1, 0, 0}, {w, h, 0, 0, 0, -1, 1, 0}, {-w, -h, 0, 0, 0, -1, 0, 1},
        {w, -h, 0, 0, 0, -1, 1, 1}, {-w, h, 0, 0, 0, -1, 0, 0}, {w, h, 0, 0, 0, -1, 1, 0},
    };
    MeshVertex* v = QuadVertices(quad);
    std::copy(corners, corners + vertexCount, v);
    quad.vertexBuffer->Unlock();
    return quad;
}

void DrawSubsets(Device* device, const TMesh& m, int pass) {
    if (!m.mesh) return;
    for (int i = 0; i < m.numMaterials; ++i) {
        bool translucent = m.materials[i].Diffuse.a < 1.0f;
        if ((pass == 0 && !translucent) || (pass == 1 && translucent)) continue;
        device->SetMaterial(m.materials[i]);
        device->SetTexture(0, texturesEnabled ? TextureOf(m.textures[i]) : nullptr);
        m.mesh->DrawSubset(*device, static_cast<uint32_t>(i));
    }
}

void RenderMesh(Device* device, const TMesh& m) {
    bool blend = (m.flags & MESH_ALPHA_BLEND) != 0;
    if (blend) {
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    }
    if (m.kind & MESH_KIND_MESH) {
        DrawSubsets(device, m, 1);
        DrawSubsets(device, m, 0);
    }
    if ((m.kind & MESH_KIND_QUAD) && m.vertexBuffer) {
        D3DMATERIAL9 emissive{};
        emissive.Emissive = {1, 1, 1, 1};
        device->SetMaterial(emissive);
        Texture* texture = nullptr;
        if (texturesEnabled && m.quadTexture >= 0 && m.quadTexture < MAX_MAT_PER_MESH)
            texture = TextureOf(m.textures[m.quadTexture]);
        device->SetTexture(0, texture);
        const uint32_t mipFilter = device->GetSamplerState(0, D3DSAMP_MIPFILTER);
        const bool levelZeroOnly = texture && mipFilter != D3DTEXF_NONE && QuadMagnified(*device, m, *texture);
        if (levelZeroOnly) device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_NONE);
        device->DrawPrimitive(D3DPT_TRIANGLESTRIP, *m.vertexBuffer, 0, static_cast<uint32_t>(m.primitiveCount));
        if (levelZeroOnly) device->SetSamplerState(0, D3DSAMP_MIPFILTER, mipFilter);
    }
    if (blend) device->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
}

D3DMATERIAL9 PresetMaterial(int preset) {
    D3DCOLORVALUE c;
    switch (preset) {
        case 0: c = {1, 0, 0, 1}; break;
        case 1: c = {0, 1, 0, 1}; break;
        case 3: c = {0, 1, 1, 1}; break;
        case 4: c = {1, 1, 0, 1}; break;
        case 5: c = {1, 0, 1, 1}; break;
        default: c = {0, 0, 1, 1}; break;
    }
    D3DMATERIAL9 m{};
    m.Diffuse = m.Ambient = m.Specular = c;
    m.Emissive = {0, 0, 0, 1};
    m.Power = 2.0f;
    return m;
}

void SetPresetMaterial(TMesh& mesh, int preset) {
    D3DMATERIAL9 m = PresetMaterial(preset);
    for (int i = 0; i < mesh.numMaterials && i < MAX_MAT_PER_MESH; ++i) mesh.materials[i] = m;
}

void ScaleMeshTexCoords(TMesh& mesh, float factor) {
    if (!mesh.mesh) return;
    MeshVertex* v = mesh.mesh->LockVertexBuffer();
    for (uint32_t i = 0; i < mesh.mesh->GetNumVertices(); ++i) v[i].u *= factor, v[i].v *= factor;
    mesh.mesh->UnlockVertexBuffer();
}

void OffsetQuadTexCoords(TMesh& quad, float du, float dv) {
    MeshVertex* v = QuadVertices(quad);
    if (!v) return;
    for (int i = 0; i < 4; ++i) v[i].u += du, v[i].v += dv;
    quad.vertexBuffer->Unlock();
}

void ScaleQuadTexCoords(TMesh& quad, float su, float sv) {
    MeshVertex* v = QuadVertices(quad);
    if (!v) return;
    for (int i = 0; i < 4; ++i) v[i].u *= su, v[i].v *= sv;
    quad.vertexBuffer->Unlock();
}

Sphere GetMeshSphere(TMesh& mesh) {
    if (!mesh.sphereValid && mesh.mesh) {
        const auto& v = mesh.mesh->Vertices();
        if (D3DXComputeBoundingSphere(v.data(), static_cast<uint32_t>(v.size()), mesh.sphere.centre,
                                      mesh.sphere.radius))
            mesh.sphereValid = 1;
    }
    return mesh.sphere;
}

void GetMeshBox(TMesh& mesh, Vector3& minimum, Vector3& maximum) {
    if (!mesh.boxValid && mesh.mesh) {
        const auto& v = mesh.mesh->Vertices();
        if (D3DXComputeBoundingBox(v.data(), static_cast<uint32_t>(v.size()), mesh.boxMin, mesh.boxMax))
            mesh.boxValid = 1;
    }
    minimum = mesh.boxMin;
    maximum = mesh.boxMax;
}

float ClosestVertexXY(const TMesh& mesh, const Vector3& point, const Matrix4& matrix, Vector3* outVertex) {
    float best = 10000.0f;
    if (!mesh.mesh) return best;
    for (const MeshVertex& vertex : mesh.mesh->Vertices()) {
        Vector3 w = D3DXVec3TransformCoord({vertex.x, vertex.y, vertex.z}, matrix);
        float dx = w.x - point.x, dy = w.y - point.y;
        float d2 = dx * dx + dy * dy;
        if (d2 < best) {
            best = d2;
            if (outVertex) *outVertex = w;
        }
    }
    return best;
}

void CenterMesh(TMesh& mesh) {
    if (!mesh.mesh) return;
    MeshVertex* v = mesh.mesh->LockVertexBuffer();
    uint32_t n = mesh.mesh->GetNumVertices();
    Vector3 centre;
    float radius = 0;
    if (D3DXComputeBoundingSphere(v, n, centre, radius))
        for (uint32_t i = 0; i < n; ++i) v[i].x -= centre.x, v[i].y -= centre.y, v[i].z -= centre.z;
    mesh.mesh->UnlockVertexBuffer();
    mesh.sphereValid = 0;
    mesh.boxValid = 0;
}
