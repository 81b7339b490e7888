// Batched drawing: opaque mesh subsets gathered per mesh, material and
// texture, nearest first; quads in their order, a draw per texture run; the
// explosion frames put together in one atlas.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "effects/explode.h"
#include "framework/engine_utils.h"
#include "gamelib/mesh.h"
#include "gamelib/mesh_batch.h"
#include "gamelib/quad_batch.h"
#include "gamelib/texman.h"
#include "platform/d3dx_shapes.h"
#include "platform/device.h"

namespace {

// One draw as the device saw it: its state and its vertices.
struct SeenDraw {
    Texture* texture;
    D3DMATERIAL9 material;
    bool blend;
    Matrix4 world;
    std::vector<MeshVertex> vertices;  // in drawing order (indices resolved)
};

class SeeingDevice : public NullDevice {
public:
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, const VertexBuffer& vb, const IndexBuffer& ib,
                                 uint32_t start, uint32_t count) override {
        SeenDraw& d = Note();
        const auto* v = reinterpret_cast<const MeshVertex*>(vb.Data());
        for (uint32_t i = start; i < start + 3 * count; ++i) d.vertices.push_back(v[ib.Indices().at(i)]);
        return NullDevice::DrawIndexedPrimitive(type, vb, ib, start, count);
    }
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, uint32_t count, const void* data, uint32_t stride,
                            uint32_t fvf) override {
        EXPECT_EQ(type, D3DPT_TRIANGLELIST);
        EXPECT_EQ(stride, sizeof(MeshVertex));
        SeenDraw& d = Note();
        const auto* v = static_cast<const MeshVertex*>(data);
        d.vertices.assign(v, v + 3 * count);
        return NullDevice::DrawPrimitiveUP(type, count, data, stride, fvf);
    }
    std::vector<SeenDraw> draws;

private:
    SeenDraw& Note() {
        draws.push_back({State().texture, State().material, GetRenderState(D3DRS_ALPHABLENDENABLE) != 0,
                         State().world, {}});
        return draws.back();
    }
};

TMesh Ball(std::vector<D3DMATERIAL9> materials) {
    TMesh m;
    m.kind = MESH_KIND_MESH;
    m.mesh = D3DXCreateSphere(nullptr, 1.0f, 6, 6);
    m.numMaterials = static_cast<int32_t>(materials.size());
    for (size_t i = 0; i < materials.size(); ++i) m.materials[i] = materials[i];
    return m;
}

D3DMATERIAL9 Translucent(D3DCOLORVALUE c) {
    D3DMATERIAL9 m = MakeMaterial(c);
    m.Diffuse.a = 0.5f;
    return m;
}

bool SameMaterial(const D3DMATERIAL9& a, const D3DMATERIAL9& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(MeshBatch, OneDrawPerMeshMaterialAndTextureWithVerticesInWorldSpace) {
    SeeingDevice device;
    TMesh red = Ball({MakeMaterial(colours::Red)});
    TMesh blue = red;  // the same mesh in another colour
    blue.materials[0] = MakeMaterial(colours::Blue);
    MeshBatch batch;
    batch.Add(red, D3DXMatrixTranslation(5, 0, 100));
    batch.Add(blue, D3DXMatrixTranslation(0, 5, 100));
    batch.Add(red, D3DXMatrixScaling(2, 2, 2) * D3DXMatrixTranslation(-5, 0, 100));
    batch.Draw(device);

    ASSERT_EQ(device.draws.size(), 2u);
    const uint32_t corners = 3 * red.mesh->GetNumFaces();
    EXPECT_TRUE(SameMaterial(device.draws[0].material, red.materials[0]));
    EXPECT_EQ(device.draws[0].vertices.size(), 2 * corners);
    EXPECT_EQ(device.draws[1].vertices.size(), corners);
    EXPECT_EQ(device.draws[0].world, D3DXMatrixIdentity());
    // The first red ball around (5, 0), the second twice as large around (-5, 0).
    const auto& v = device.draws[0].vertices;
    for (uint32_t i = 0; i < corners; ++i) {
        EXPECT_NEAR(D3DXVec3Length(Vector3(v[i].x - 5, v[i].y, v[i].z - 100)), 1.0f, 1e-4f);
        EXPECT_NEAR(D3DXVec3Length(Vector3(v[i].nx, v[i].ny, v[i].nz)), 1.0f, 1e-4f);
        const MeshVertex& big = v[corners + i];
        EXPECT_NEAR(D3DXVec3Length(Vector3(big.x + 5, big.y, big.z - 100)), 2.0f, 1e-4f);
        // Normals take the inverse transpose: a uniform scale by 2 halves them.
        EXPECT_NEAR(D3DXVec3Length(Vector3(big.nx, big.ny, big.nz)), 0.5f, 1e-4f);
    }
    batch.Draw(device);  // drawing empties the batch
    EXPECT_EQ(device.draws.size(), 2u);
}

TEST(MeshBatch, NearestObjectsAndTheirDrawsComeFirst) {
    SeeingDevice device;
    TMesh red = Ball({MakeMaterial(colours::Red)});
    TMesh green = red;
    green.materials[0] = MakeMaterial(colours::Green);
    MeshBatch batch;
    batch.Add(red, D3DXMatrixTranslation(0, 0, 300));
    batch.Add(red, D3DXMatrixTranslation(0, 0, 100));
    batch.Add(green, D3DXMatrixTranslation(0, 0, 200));
    batch.Add(red, D3DXMatrixTranslation(0, 0, 50));
    batch.Draw(device);
    ASSERT_EQ(device.draws.size(), 2u);
    // Red holds the nearest ball (z 50), so red draws first, its balls nearest first.
    EXPECT_TRUE(SameMaterial(device.draws[0].material, red.materials[0]));
    const auto& v = device.draws[0].vertices;
    const size_t corners = v.size() / 3;
    EXPECT_NEAR(v[0].z, 50, 1.01f);
    EXPECT_NEAR(v[corners].z, 100, 1.01f);
    EXPECT_NEAR(v[2 * corners].z, 300, 1.01f);
    EXPECT_NEAR(device.draws[1].vertices[0].z, 200, 1.01f);
}

TEST(MeshBatch, TakesOnlyMeshesOpaqueThroughout) {
    SeeingDevice device;
    TMesh mixed = Ball({MakeMaterial(colours::Green), Translucent(colours::Red)});
    TMesh blended = Ball({MakeMaterial(colours::Red)});
    blended.flags = MESH_ALPHA_BLEND;
    TMesh quad = CreateQuad(nullptr, 0, 1, 1, false);
    MeshBatch batch;
    for (const TMesh* m : {&mixed, &blended, &quad}) {
        EXPECT_FALSE(Batchable(*m));
        batch.Add(*m, Matrix4());
    }
    EXPECT_TRUE(batch.Empty());

    mixed.materials[1].Diffuse.a = 1.0f;
    ASSERT_TRUE(Batchable(mixed));
    batch.Add(mixed, Matrix4());
    batch.Draw(device);
    ASSERT_EQ(device.draws.size(), 1u);  // the sphere's faces are all in subset 0
    EXPECT_TRUE(SameMaterial(device.draws[0].material, mixed.materials[0]));
}

TEST(MeshBatch, TexturesFollowTheSwitch) {
    SeeingDevice device;
    Texture picture(4, 4, 1, D3DFMT_A8R8G8B8);
    TTextureEntry entry{};
    entry.texture = &picture;
    TMesh ball = Ball({MakeMaterial(colours::White)});
    ball.textures[0] = &entry;
    MeshBatch batch;
    batch.Add(ball, Matrix4());
    texturesEnabled = 0;
    batch.Add(ball, Matrix4());
    texturesEnabled = 1;
    batch.Draw(device);
    ASSERT_EQ(device.draws.size(), 2u);
    EXPECT_EQ(device.draws[0].texture, &picture);
    EXPECT_EQ(device.draws[1].texture, nullptr);
}

TEST(QuadBatch, KeepsTheOrderAndDrawsEachTextureRunOnce) {
    SeeingDevice device;
    Texture a(4, 4, 1, D3DFMT_A8R8G8B8), b(4, 4, 1, D3DFMT_A8R8G8B8);
    TMesh quad = CreateQuad(nullptr, MESH_ALPHA_BLEND, 1, 1, false);
    QuadBatch batch;
    batch.Add(quad, &a, D3DXMatrixTranslation(1, 0, 0));
    batch.Add(quad, &a, D3DXMatrixTranslation(2, 0, 0));
    batch.Add(quad, &b, D3DXMatrixTranslation(3, 0, 0));
    batch.Add(quad, &a, D3DXMatrixTranslation(4, 0, 0));
    batch.Draw(device);
    ASSERT_EQ(device.draws.size(), 3u);  // a a | b | a: the order decides overlaps
    EXPECT_EQ(device.draws[0].texture, &a);
    EXPECT_EQ(device.draws[0].vertices.size(), 12u);
    EXPECT_EQ(device.draws[1].texture, &b);
    EXPECT_EQ(device.draws[2].texture, &a);
    EXPECT_NEAR(device.draws[2].vertices[0].x, 3.0f, 1e-6f);  // the left edge of the quad at 4
    for (const SeenDraw& d : device.draws) EXPECT_TRUE(d.blend);
    EXPECT_EQ(device.GetRenderState(D3DRS_ALPHABLENDENABLE), 0u);
    EXPECT_TRUE(batch.Empty());
}

TEST(QuadBatch, TheStripBecomesAListFacingTheSameWayWithTheRectsCoordinates) {
    SeeingDevice device;
    TMesh quad = CreateQuad(nullptr, 0, 1, 1, false);
    QuadBatch batch;
    batch.Add(quad, nullptr, Matrix4(), TexRect{0.25f, 0.5f, 0.5f, 0.75f});
    batch.Draw(device);
    ASSERT_EQ(device.draws.size(), 1u);
    EXPECT_FALSE(device.draws[0].blend);
    const auto& v = device.draws[0].vertices;
    ASSERT_EQ(v.size(), 6u);
    // Both triangles wind the same way in x-y (as the strip shows them).
    auto winding = [&](int t) {
        const MeshVertex &p = v[3 * t], &q = v[3 * t + 1], &r = v[3 * t + 2];
        return (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
    };
    EXPECT_GT(winding(0) * winding(1), 0.0f);
    for (const MeshVertex& c : v) {
        EXPECT_TRUE(c.u == 0.25f || c.u == 0.5f) << c.u;
        EXPECT_TRUE(c.v == 0.5f || c.v == 0.75f) << c.v;
    }
}

// A frame of `size` texels filled with `argb`, with its mip levels.
std::unique_ptr<Texture> Frame(uint32_t size, uint32_t argb) {
    auto t = std::make_unique<Texture>(size, size, 2, D3DFMT_A8R8G8B8);
    for (uint32_t level = 0; level < 2; ++level) {
        auto* p = reinterpret_cast<uint32_t*>(t->MutableBits(level));
        for (uint32_t i = 0; i < t->Width(level) * t->Height(level); ++i) p[i] = argb + level;
    }
    return t;
}

TEST(FrameAtlas, PutsEveryLevelOfEachFrameInItsCell) {
    std::vector<std::unique_ptr<Texture>> frames;
    std::vector<TTextureEntry> entries(6);
    TMesh sprite = CreateQuad(nullptr, MESH_ALPHA_BLEND, 1, 1, false);
    sprite.numTextures = 6;
    for (int f = 0; f < 6; ++f) {
        frames.push_back(Frame(8, 0xFF000000u + 0x100u * f));
        entries[f].texture = frames.back().get();
        sprite.textures[f] = &entries[f];
    }
    std::unique_ptr<Texture> atlas = MakeFrameAtlas(sprite);
    ASSERT_TRUE(atlas);
    EXPECT_EQ(atlas->Width(), 8u * FRAME_ATLAS_COLUMNS);
    EXPECT_EQ(atlas->Height(), 16u);  // two rows
    EXPECT_EQ(atlas->GetLevelCount(), 2u);
    for (int f = 0; f < 6; ++f) {
        const TexRect cell = FrameAtlasCell(f, 6);
        EXPECT_FLOAT_EQ(cell.u1 - cell.u0, 1.0f / FRAME_ATLAS_COLUMNS);
        EXPECT_FLOAT_EQ(cell.v1 - cell.v0, 0.5f);
        for (uint32_t level = 0; level < 2; ++level) {
            // The middle of the cell shows the frame's own level.
            const auto x = static_cast<uint32_t>((cell.u0 + cell.u1) / 2 * atlas->Width(level));
            const auto y = static_cast<uint32_t>((cell.v0 + cell.v1) / 2 * atlas->Height(level));
            EXPECT_EQ(atlas->TexelArgb(level, x, y), 0xFF000000u + 0x100u * f + level) << f << " " << level;
        }
    }
}

TEST(FrameAtlas, NoneWhenAFrameIsMissingOrDiffers) {
    std::vector<std::unique_ptr<Texture>> frames;
    std::vector<TTextureEntry> entries(2);
    TMesh sprite = CreateQuad(nullptr, MESH_ALPHA_BLEND, 1, 1, false);
    sprite.numTextures = 2;
    for (int f = 0; f < 2; ++f) {
        frames.push_back(Frame(8, 0xFF000000u));
        entries[f].texture = frames.back().get();
        sprite.textures[f] = &entries[f];
    }
    EXPECT_TRUE(MakeFrameAtlas(sprite));
    frames[1] = Frame(16, 0xFF000000u);
    entries[1].texture = frames[1].get();
    EXPECT_FALSE(MakeFrameAtlas(sprite));
    sprite.textures[1] = nullptr;
    EXPECT_FALSE(MakeFrameAtlas(sprite));
    sprite.numTextures = 0;
    EXPECT_FALSE(MakeFrameAtlas(sprite));
}

}  // namespace
