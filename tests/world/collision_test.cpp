#include <gtest/gtest.h>

#include "framework/bounds_sphere.h"
#include "framework/engine_utils.h"
#include "game/bounding.h"
#include "gamelib/mesh.h"
#include "platform/d3dx_shapes.h"
#include "platform/device.h"

namespace {

Sphere At(float x, float y, float radius, float z = 0) { return Sphere{Vector3(x, y, z), radius}; }

// A record of three vertices in a row along x: (0,0), (2,0), (4,0).
TMesh ThreePoints() {
    std::vector<MeshVertex> v = {{0, 0, 0, 0, 0, -1, 0, 0}, {2, 0, 1, 0, 0, -1, 0, 0}, {4, 0, 2, 0, 0, -1, 0, 0}};
    TMesh m;
    m.kind = MESH_KIND_MESH;
    m.numMaterials = 1;
    m.mesh = std::make_shared<D3DXMesh>(v, std::vector<uint32_t>{0, 1, 2}, std::vector<uint32_t>{0});
    return m;
}

TEST(SpheresOverlap, TouchingCountsAndZIsIgnored) {
    EXPECT_TRUE(SpheresOverlap(At(0, 0, 1), At(2, 0, 1)));
    EXPECT_FALSE(SpheresOverlap(At(0, 0, 1), At(2.0001f, 0, 1)));
    EXPECT_TRUE(SpheresOverlap(At(0, 0, 1, -50), At(0, 0, 1, 50)));
    EXPECT_TRUE(SpheresOverlap(At(0, 0, 0), At(0, 0, 0)));
    EXPECT_FALSE(SpheresOverlap(At(3, 4, 2), At(0, 0, 2.9f)));
}

TEST(EdgeTest, ABitNeedsTheWholeSpherePlusMarginBeyondTheEdge) {
    EXPECT_EQ(EdgeTest(-20, 20, 20, -20, At(21.0f, 0, 1), 0.001), 0);
    EXPECT_EQ(EdgeTest(-20, 20, 20, -20, At(21.002f, 0, 1), 0.001), EDGE_RIGHT);
    EXPECT_EQ(EdgeTest(-20, 20, 20, -20, At(-21.002f, 0, 1), 0.001), EDGE_LEFT);
    EXPECT_EQ(EdgeTest(-20, 20, 20, -20, At(0, 21.002f, 1), 0.001), EDGE_TOP);
    EXPECT_EQ(EdgeTest(-20, 20, 20, -20, At(0, -21.002f, 1), 0.001), EDGE_BOTTOM);
    EXPECT_EQ(EdgeTest(-20, 20, 20, -20, At(30, 30, 1), 0.001), EDGE_TOP | EDGE_RIGHT);
    EXPECT_EQ(EdgeTest(-20, 20, 20, -20, At(0, 0, 30), 0.001), 0);
}

TEST(EdgeTest, CentredAreaHalvesItsSizeAsIntegers) {
    EXPECT_EQ(EdgeTestCentred(40, 40, At(21.002f, 0, 1), 0.001), EDGE_RIGHT);
    // 41 / 2 = 20: the edge stays at 20.
    EXPECT_EQ(EdgeTestCentred(41, 41, At(21.002f, -21.002f, 1), 0.001), EDGE_RIGHT | EDGE_BOTTOM);
    EXPECT_EQ(EdgeTestCentred(44, 40, At(21.002f, 0, 1), 0.001), 0);
}

TEST(NearestVertex, ReportsTheClosestTransformedVertexInThePlane) {
    TMesh m = ThreePoints();
    Vector3 out(9, 9, 9);
    Matrix4 world = D3DXMatrixTranslation(10, 0, 5);
    EXPECT_FLOAT_EQ(NearestVertex(m, Vector3(12.5f, 1, -100), world, &out), 0.25f + 1.0f);
    EXPECT_EQ(out, Vector3(12, 0, 6));
    // Ties keep the earlier vertex.
    EXPECT_FLOAT_EQ(NearestVertex(m, Vector3(11, 0, 0), world, &out), 1.0f);
    EXPECT_EQ(out, Vector3(10, 0, 5));
    EXPECT_FLOAT_EQ(NearestVertex(m, Vector3(11, 0, 0), world, nullptr), 1.0f);
}

TEST(NearestVertex, VerticesBeyondAHundredUnitsAreNeverReported) {
    TMesh m = ThreePoints();
    Vector3 out(9, 9, 9);
    EXPECT_FLOAT_EQ(NearestVertex(m, Vector3(0, 100.5f, 0), D3DXMatrixIdentity(), &out), 10000.0f);
    EXPECT_EQ(out, Vector3(9, 9, 9));
}

TEST(NearestVertex, AgreesExactlyWithTheFullTransformForAnyWorld) {
    TMesh m;
    m.mesh = D3DXCreateSphere(nullptr, 1.0f, 16, 12);
    Matrix4 affine = D3DXMatrixMultiply(
        D3DXMatrixMultiply(D3DXMatrixRotationAxis(Vector3(1, 2, 3), 0.7f), D3DXMatrixScaling(2.5f, 2.5f, 2.5f)),
        D3DXMatrixTranslation(3, -4, 480));
    Matrix4 projective = D3DXMatrixPerspectiveFovLH(1.0f, 1.0f, 1.0f, 100.0f);
    for (const Matrix4& world : {affine, projective, D3DXMatrixIdentity()}) {
        for (float x = -6; x <= 6; x += 1.5f) {
            Vector3 p(x, 0.37f * x - 3.5f, 9), fast, full;
            float d2 = NearestVertex(m, p, world, &fast);
            EXPECT_EQ(d2, ClosestVertexXY(m, p, world, &full));
            EXPECT_EQ(fast, full);
        }
    }
}

TEST(HitRule, NeedsOverlapAndAVertexStrictlyWithinTheProbe) {
    TMesh m = ThreePoints();
    Sphere object = At(2, 0, 2);
    Vector3 hit;
    // Overlaps the bounding sphere, but the nearest vertex is 1 away: the gap is safe.
    EXPECT_FALSE(ProbeHits(At(2, 1, 0.9f), Vector3(2, 1, 0), object, m, D3DXMatrixIdentity(), &hit));
    // Exactly at the probe radius: no hit.
    EXPECT_FALSE(ProbeHits(At(2, 1, 1.0f), Vector3(2, 1, 0), object, m, D3DXMatrixIdentity(), &hit));
    ASSERT_TRUE(ProbeHits(At(2, 1, 1.01f), Vector3(2, 1, 0), object, m, D3DXMatrixIdentity(), &hit));
    EXPECT_EQ(hit, Vector3(2, 0, 1));
    // A vertex within reach does not count without sphere overlap.
    EXPECT_FALSE(ProbeHits(At(2, 1, 1.5f), Vector3(2, 1, 0), At(20, 0, 1), m, D3DXMatrixIdentity(), &hit));
}

TEST(ComputeBoundingSphere, AveragesTheVerticesAndReachesTheFarthest) {
    TMesh m = ThreePoints();
    Sphere s;
    ASSERT_TRUE(ComputeBoundingSphere(m.mesh.get(), s));
    EXPECT_EQ(s.centre, Vector3(2, 0, 1));
    EXPECT_FLOAT_EQ(s.radius, std::sqrt(5.0f));
    EXPECT_FALSE(ComputeBoundingSphere(nullptr, s));
}

TEST(DrawBoundsSphere, DrawsATranslucentSphereMadeOnce) {
    NullDevice device;
    std::shared_ptr<D3DXMesh> cache;
    D3DMATERIAL9 material = MakeMaterial(colours::Cyan);
    DrawBoundsSphere(&device, At(1, 2, 3), cache, material, 0.3f);
    ASSERT_TRUE(cache);
    EXPECT_FLOAT_EQ(cache->Vertices()[0].z, 3.0f);
    EXPECT_FLOAT_EQ(device.GetMaterial().Diffuse.a, 0.3f);
    EXPECT_FLOAT_EQ(device.GetMaterial().Diffuse.g, 1.0f);
    EXPECT_EQ(device.GetTexture(0), nullptr);
    EXPECT_FLOAT_EQ(device.GetTransform(D3DTS_WORLD)(3, 0), 1.0f);
    EXPECT_EQ(device.GetRenderState(D3DRS_ALPHABLENDENABLE), 0u);
    EXPECT_EQ(device.GetRenderState(D3DRS_DESTBLEND), static_cast<uint32_t>(D3DBLEND_INVSRCALPHA));
    D3DXMesh* first = cache.get();
    DrawBoundsSphere(&device, At(0, 0, 9), cache, material, 0.1f);
    EXPECT_EQ(cache.get(), first);
    EXPECT_EQ(device.Stats().drawCalls, 2u);
}

}  // namespace
