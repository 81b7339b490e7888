#include <gtest/gtest.h>

#include "gamelib/mesh.h"

namespace {

D3DMATERIAL9 Yellow() { return PresetMaterial(4); }

Vector3 P(const MeshVertex& v) { return {v.x, v.y, v.z}; }

TEST(TextMesh, CentredAboutOneUnitHighAndExtruded) {
    TMesh mesh = CreateTextMesh(nullptr, "GAME OVER", Yellow(), "Times New Roman");
    ASSERT_NE(mesh.mesh, nullptr);
    EXPECT_EQ(mesh.kind, MESH_KIND_MESH);
    EXPECT_EQ(mesh.numMaterials, 1);
    EXPECT_EQ(mesh.materials[0].Diffuse, Yellow().Diffuse);
    EXPECT_DOUBLE_EQ(mesh.scale, 0.0);
    EXPECT_DOUBLE_EQ(mesh.sizeFactor, 1.0);
    EXPECT_GT(mesh.mesh->GetNumFaces(), 100u);

    Sphere s = GetMeshSphere(mesh);
    EXPECT_NEAR(s.centre.x, 0.0f, 1e-4f);
    EXPECT_NEAR(s.centre.y, 0.0f, 1e-4f);
    EXPECT_NEAR(s.centre.z, 0.0f, 1e-4f);
    Vector3 lo, hi;
    GetMeshBox(mesh, lo, hi);
    EXPECT_NEAR(hi.z - lo.z, 0.1f, 1e-5f);
    EXPECT_GT(hi.y - lo.y, 0.6f);  // capitals of a one-unit em
    EXPECT_LT(hi.y - lo.y, 1.0f);
    EXPECT_GT(hi.x - lo.x, 5.0f);  // nine characters
}

TEST(TextMesh, EveryFaceIsWoundClockwiseSeenFromItsNormal) {
    TMesh mesh = CreateTextMesh(nullptr, "Ag0%", Yellow(), "Courier New");
    ASSERT_NE(mesh.mesh, nullptr);
    const auto& v = mesh.mesh->Vertices();
    const auto& idx = mesh.mesh->Indices();
    Vector3 lo, hi;
    GetMeshBox(mesh, lo, hi);
    double frontArea = 0, backArea = 0;
    for (size_t f = 0; f < idx.size(); f += 3) {
        const MeshVertex &a = v[idx[f]], &b = v[idx[f + 1]], &c = v[idx[f + 2]];
        Vector3 cross = D3DXVec3Cross(P(b) - P(a), P(c) - P(a));
        Vector3 normal(a.nx, a.ny, a.nz);
        // Direct3D's front faces: the left-handed cross product points out of the face.
        EXPECT_GE(D3DXVec3Dot(cross, normal), 0.0f);
        if (normal == Vector3(0, 0, -1)) {
            EXPECT_FLOAT_EQ(a.z, lo.z);  // the front face is nearest the camera at -z
            frontArea += D3DXVec3Length(cross) / 2;
        } else if (normal == Vector3(0, 0, 1)) {
            EXPECT_FLOAT_EQ(a.z, hi.z);
            backArea += D3DXVec3Length(cross) / 2;
        } else {
            EXPECT_NEAR(normal.z, 0.0f, 1e-6f);  // side walls
        }
    }
    EXPECT_GT(frontArea, 0.3);
    EXPECT_NEAR(frontArea, backArea, 1e-4);
}

TEST(TextMesh, HolesStayOpen) {
    // "O" has a counter: its filled area is well below that of its outer contour's box.
    TMesh o = CreateTextMesh(nullptr, "O", Yellow(), "Courier New");
    ASSERT_NE(o.mesh, nullptr);
    const auto& v = o.mesh->Vertices();
    const auto& idx = o.mesh->Indices();
    double area = 0;
    for (size_t f = 0; f < idx.size(); f += 3)
        if (v[idx[f]].nz == -1.0f)
            area += D3DXVec3Length(D3DXVec3Cross(P(v[idx[f + 1]]) - P(v[idx[f]]), P(v[idx[f + 2]]) - P(v[idx[f]]))) / 2;
    Vector3 lo, hi;
    GetMeshBox(o, lo, hi);
    EXPECT_LT(area, 0.5 * (hi.x - lo.x) * (hi.y - lo.y));
}

TEST(TextMesh, EmptyOrBlankTextGivesNoMesh) {
    EXPECT_EQ(CreateTextMesh(nullptr, "", Yellow(), "Times New Roman").mesh, nullptr);
    EXPECT_EQ(CreateTextMesh(nullptr, "   ", Yellow(), "Times New Roman").mesh, nullptr);
}

}  // namespace
