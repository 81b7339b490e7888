#include <gtest/gtest.h>

#include "platform/d3dx_shapes.h"
#include "platform/device.h"

#include <algorithm>
#include <array>
#include <set>

namespace {

TEST(Texture, LocksGiveTheLevelAndUnlockMarksItForUpload) {
    Texture t(64, 32, 0, D3DFMT_A8R8G8B8);
    EXPECT_EQ(t.GetLevelCount(), 7u);  // 64x32 down to 1x1
    D3DSURFACE_DESC desc;
    ASSERT_EQ(t.GetLevelDesc(2, &desc), D3D_OK);
    EXPECT_EQ(desc.Width, 16u);
    EXPECT_EQ(desc.Height, 8u);
    D3DLOCKED_RECT rect;
    ASSERT_EQ(t.LockRect(0, &rect), D3D_OK);
    EXPECT_EQ(rect.Pitch, 256);
    static_cast<uint32_t*>(rect.pBits)[65] = 0x80FF0000u;
    uint64_t before = t.Version();
    t.UnlockRect(0);
    EXPECT_GT(t.Version(), before);
    EXPECT_EQ(t.TexelArgb(0, 1, 1), 0x80FF0000u);
    EXPECT_EQ(t.LockRect(7, &rect), D3DERR_INVALIDCALL);
}

TEST(Texture, FourBitTexelsExpandToEightBits) {
    Texture t(2, 2, 1, D3DFMT_A4R4G4B4);
    D3DLOCKED_RECT rect;
    t.LockRect(0, &rect);
    static_cast<uint16_t*>(rect.pBits)[0] = 0xF0FF;
    t.UnlockRect(0);
    EXPECT_EQ(t.TexelArgb(0, 0, 0), 0xFF00FFFFu);
}

// Mip levels are box-filtered from level 0 as it was when they were asked
// for, even though they are made later, when first read.
TEST(Texture, MipLevelsAverageLevel0AsItWasWhenAskedFor) {
    Texture t(4, 2, 0, D3DFMT_A8R8G8B8);
    ASSERT_EQ(t.GetLevelCount(), 3u);
    auto* texels = reinterpret_cast<uint32_t*>(t.MutableBits(0));
    const uint32_t row0[4] = {0x10203040u, 0x30405060u, 0xFF000000u, 0x01010101u};
    const uint32_t row1[4] = {0x50607080u, 0x70809000u, 0xFF000000u, 0x03030303u};
    for (int x = 0; x < 4; ++x) texels[x] = row0[x], texels[4 + x] = row1[x];
    const uint64_t before = t.Version();
    t.GenerateMipLevels();
    EXPECT_GT(t.Version(), before);
    // Level 0 changes after the chain was asked for: the chain keeps the old.
    D3DLOCKED_RECT rect;
    ASSERT_EQ(t.LockRect(0, &rect), D3D_OK);
    std::fill_n(static_cast<uint32_t*>(rect.pBits), 8, 0xFFFFFFFFu);
    t.UnlockRect(0);
    EXPECT_EQ(t.TexelArgb(1, 0, 0), 0x40506048u);  // each byte the mean of four, rounded down
    EXPECT_EQ(t.TexelArgb(1, 1, 0), 0x80010101u);
    EXPECT_EQ(t.TexelArgb(2, 0, 0), 0x60283024u);  // the last row is repeated at the edge
    EXPECT_EQ(t.TexelArgb(0, 0, 0), 0xFFFFFFFFu);
    // A level never written reads as zeros; one written in full keeps what was written.
    Texture fresh(2, 2, 2, D3DFMT_X8R8G8B8);
    EXPECT_EQ(fresh.TexelArgb(1, 0, 0), 0xFF000000u);
    std::fill_n(reinterpret_cast<uint32_t*>(fresh.OverwrittenBits(0)), 4, 0x00123456u);
    EXPECT_EQ(fresh.TexelArgb(0, 1, 1), 0xFF123456u);
}

TEST(Mesh, SubsetsAreSortedAndDrawnByAttribute) {
    std::vector<MeshVertex> v(4, MeshVertex{});
    NullDevice device;
    // Two faces of attribute 1 around one of attribute 0.
    D3DXMesh mesh(v, {0, 1, 2, 0, 2, 3, 1, 2, 3}, {1, 0, 1});
    ASSERT_EQ(mesh.AttributeTable().size(), 2u);
    EXPECT_EQ(mesh.AttributeTable()[0].AttribId, 0u);
    EXPECT_EQ(mesh.AttributeTable()[1].FaceCount, 2u);
    mesh.DrawSubset(device, 1);
    EXPECT_EQ(device.Stats().primitives, 2u);
    mesh.DrawSubset(device, 5);  // no such subset: nothing drawn
    EXPECT_EQ(device.Stats().drawCalls, 1u);
}

TEST(Mesh, VertexCacheOptimisationKeepsEveryTriangle) {
    auto sphere = D3DXCreateSphere(nullptr, 1.0f, 12, 8);
    std::multiset<std::array<float, 9>> before, after;
    auto collect = [](const D3DXMesh& m, std::multiset<std::array<float, 9>>& out) {
        const auto& v = m.Vertices();
        const auto& i = m.Indices();
        for (size_t f = 0; f < i.size(); f += 3)
            out.insert({v[i[f]].x, v[i[f]].y, v[i[f]].z, v[i[f + 1]].x, v[i[f + 1]].y, v[i[f + 1]].z,
                        v[i[f + 2]].x, v[i[f + 2]].y, v[i[f + 2]].z});
    };
    collect(*sphere, before);
    sphere->OptimizeVertexCache();
    collect(*sphere, after);
    EXPECT_EQ(before, after);
}

TEST(Shapes, SphereFacesPointOutwardAndBoundsEncloseIt) {
    auto sphere = D3DXCreateSphere(nullptr, 2.0f, 20, 20);
    const auto& v = sphere->Vertices();
    const auto& i = sphere->Indices();
    for (size_t f = 0; f < i.size(); f += 3) {
        Vector3 a{v[i[f]].x, v[i[f]].y, v[i[f]].z}, b{v[i[f + 1]].x, v[i[f + 1]].y, v[i[f + 1]].z},
            c{v[i[f + 2]].x, v[i[f + 2]].y, v[i[f + 2]].z};
        Vector3 n = D3DXVec3Cross(b - a, c - a);
        EXPECT_GT(D3DXVec3Dot(n, a + b + c), 0.0f) << "face " << f / 3;
    }
    Vector3 centre;
    float radius;
    ASSERT_TRUE(D3DXComputeBoundingSphere(v.data(), static_cast<uint32_t>(v.size()), centre, radius));
    EXPECT_NEAR(radius, 2.0f, 1e-4f);
    EXPECT_NEAR(D3DXVec3Length(centre), 0.0f, 1e-4f);
    EXPECT_FALSE(D3DXComputeBoundingSphere(nullptr, 0, centre, radius));
}

TEST(Shapes, CylinderFacesPointOutward) {
    auto cylinder = D3DXCreateCylinder(nullptr, 1.0f, 1.0f, 4.0f, 20, 20);
    const auto& v = cylinder->Vertices();
    const auto& i = cylinder->Indices();
    for (size_t f = 0; f < i.size(); f += 3) {
        Vector3 a{v[i[f]].x, v[i[f]].y, v[i[f]].z}, b{v[i[f + 1]].x, v[i[f + 1]].y, v[i[f + 1]].z},
            c{v[i[f + 2]].x, v[i[f + 2]].y, v[i[f + 2]].z};
        EXPECT_GT(D3DXVec3Dot(D3DXVec3Cross(b - a, c - a), a + b + c), 0.0f) << "face " << f / 3;
    }
}

TEST(Device, StateBlocksRestoreCapturedState) {
    NullDevice device;
    EXPECT_EQ(device.GetRenderState(D3DRS_CULLMODE), D3DCULL_CCW);
    DeviceState saved = device.CaptureState();
    device.SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device.SetTransform(D3DTS_WORLD, D3DXMatrixTranslation(1, 2, 3));
    device.ApplyState(saved);
    EXPECT_EQ(device.GetRenderState(D3DRS_CULLMODE), D3DCULL_CCW);
    EXPECT_EQ(device.GetTransform(D3DTS_WORLD), Matrix4{});
}

}  // namespace
