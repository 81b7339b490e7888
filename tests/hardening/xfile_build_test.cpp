// Meshes built from .x files: numbers, frame transforms, normals, shared
// corners and how materials and faces are numbered.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "gamelib/xfile.h"
#include "gamelib/xfile_number.h"

namespace {

const char* const kHeader = "xof 0303txt 0032\n";

XFileMesh Build(const std::string& body) {
    const std::string text = kHeader + body;
    std::string why;
    std::optional<XFileMesh> mesh = ParseXFile(reinterpret_cast<const uint8_t*>(text.data()), text.size(), &why);
    EXPECT_TRUE(mesh.has_value()) << why;
    return mesh.value_or(XFileMesh{});
}

// A triangle at height z, with one normal for all corners and an optional
// material list.
std::string Triangle(float z, const std::string& normal = "", const std::string& list = "") {
    std::string text = "Mesh { 3; 0;0;" + std::to_string(z) + ";, 1;0;" + std::to_string(z) + ";, 0;1;" +
                       std::to_string(z) + ";; 1; 3;0,1,2;;\n";
    if (!normal.empty()) text += " MeshNormals { 1; " + normal + ";; 1; 3;0,0,0;; }\n";
    if (!list.empty()) text += " MeshMaterialList { 1; 1; 0;; " + list + " }\n";
    return text + "}\n";
}

std::string Frame(const std::string& matrix, const std::string& children) {
    return "Frame {\n FrameTransformMatrix { " + matrix + ";; }\n" + children + "}\n";
}

std::string Material(const std::string& rgba) { return "Material { " + rgba + ";; 1; 0;0;0;; 0;0;0;; }"; }

TEST(XFileNumbers, DecimalsReadTheWayMeshesWereRecorded) {
    // Whole and fraction parts are rounded separately: one below the
    // nearest float here, as the recorded meshes hold it.
    EXPECT_EQ(ReadXNumber("3.33E-2"), 0x1.10cb28p-5f);
    EXPECT_EQ(ReadXNumber("4.7e-5"), 0x1.8a43bap-15f);
    EXPECT_EQ(ReadXNumber("123.45678"), 0x1.edd3bep+6f);
    EXPECT_EQ(ReadXNumber("-.5"), -0.5f);
    EXPECT_EQ(ReadXNumber("2."), 2.0f);
    EXPECT_EQ(ReadXNumber("1.e1"), 10.0f);
    // Fraction digits past the fifteenth are passed over.
    EXPECT_EQ(ReadXNumber("0.000000000000000000001"), 0.0f);
    const std::optional<float> negativeZero = ReadXNumber("-0");
    ASSERT_TRUE(negativeZero.has_value());
    EXPECT_TRUE(std::signbit(*negativeZero));
    EXPECT_EQ(ReadXNumber("18446744073709551615"), 18446744073709551615.0f);
    for (const char* bad : {"18446744073709551616", "4e38", "1e39", "-", ".", "-.e1", "1e", "1e+", "+1", "1,5", "1.5.", ""})
        EXPECT_FALSE(ReadXNumber(bad).has_value()) << bad;
}

TEST(XFileBuild, FramesApplyTheirTransformsDownTheTree) {
    // Parent: scale 2, then move 10 along z; child: move 5 along x first.
    const std::string child = Frame("1,0,0,0, 0,1,0,0, 0,0,1,0, 5,0,0,1", Triangle(1));
    const XFileMesh mesh = Build(Frame("2,0,0,0, 0,2,0,0, 0,0,2,0, 0,0,10,1", child));
    ASSERT_EQ(mesh.vertices.size(), 3u);
    EXPECT_FLOAT_EQ(mesh.vertices[0].x, 10.0f);
    EXPECT_FLOAT_EQ(mesh.vertices[0].z, 12.0f);
    EXPECT_FLOAT_EQ(mesh.vertices[1].x, 12.0f);
    EXPECT_FLOAT_EQ(mesh.vertices[2].y, 2.0f);
}

TEST(XFileBuild, NormalsTurnWithTheFrameAndKeepUnitLength) {
    // A quarter turn about z and a stretch along x; the normal leans.
    const XFileMesh turned =
        Build(Frame("0,3,0,0, -1,0,0,0, 0,0,1,0, 0,0,0,1", Triangle(0, "1;0;1")));
    ASSERT_FALSE(turned.vertices.empty());
    const MeshVertex& v = turned.vertices[0];
    EXPECT_NEAR(std::sqrt(v.nx * v.nx + v.ny * v.ny + v.nz * v.nz), 1.0, 1e-6);
    EXPECT_NEAR(v.nx, 0.0, 1e-6);
    EXPECT_GT(v.ny, 0.0f);
    EXPECT_NEAR(v.ny / v.nz, 1.0 / 3.0, 1e-5);
    // Without normals in the file, none are made up.
    const XFileMesh plain = Build(Triangle(0));
    EXPECT_EQ(plain.vertices[0].nx, 0.0f);
    EXPECT_EQ(plain.vertices[0].nz, 0.0f);
}

TEST(XFileBuild, CornersAtOnePlaceWithNormalsWithin1e5AreOneVertex) {
    auto vertices = [](const std::string& second) {
        return Build("Mesh { 4; 0;0;0;, 1;0;0;, 0;1;0;, 1;1;0;; 2; 3;0,1,2;, 3;1,3,2;;\n"
                     " MeshNormals { 2; 0;0;-1;, " + second + ";; 2; 3;0,0,0;, 3;1,1,1;; } }\n")
            .vertices.size();
    };
    EXPECT_EQ(vertices("0;0;-1"), 4u);
    EXPECT_EQ(vertices("0.000007;0;-1"), 4u);
    EXPECT_EQ(vertices("0.00002;0;-1"), 6u);
    EXPECT_EQ(vertices("0;0;1"), 6u);
}

TEST(XFileBuild, TextureCoordinatesKeepTheirValuesToFloatRounding) {
    const XFileMesh mesh = Build("Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;\n"
                                 " MeshTextureCoords { 3; 0.25;0.75;, 2;-1;, 0.5;0.00000001;; } }\n");
    ASSERT_EQ(mesh.vertices.size(), 3u);
    EXPECT_EQ(mesh.vertices[0].u, 0.25f);
    EXPECT_EQ(mesh.vertices[0].v, 0.75f);
    EXPECT_EQ(mesh.vertices[1].v, -1.0f);
    // Read as a distance from the bottom and back: too small to survive.
    EXPECT_EQ(mesh.vertices[2].v, 0.0f);
}

TEST(XFileBuild, FacesComeByMeshThenMaterialAndMaterialsFramesFirst) {
    const std::string outside = Triangle(7, "", Material("1;0;0;1"));
    const std::string framed =
        "Mesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 2; 3;0,1,2;, 3;0,2,3;;\n"
        " MeshMaterialList { 2; 2; 1,0;; " + Material("0;1;0;1") + " " + Material("0;0;1;1") + " } }\n";
    const XFileMesh mesh = Build(outside + Frame("1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1", framed) +
                                 Frame("1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1", Triangle(3)));
    ASSERT_EQ(mesh.materials.size(), 3u);
    EXPECT_EQ(mesh.materials[0].Diffuse.g, 1.0f);
    EXPECT_EQ(mesh.materials[1].Diffuse.b, 1.0f);
    EXPECT_EQ(mesh.materials[2].Diffuse.r, 1.0f);
    // The outside mesh first, then the framed one by material, then the
    // mesh without a list on material 0.
    EXPECT_EQ(mesh.attributes, (std::vector<uint32_t>{2, 0, 1, 0}));
    EXPECT_FLOAT_EQ(mesh.vertices[mesh.indices[0]].z, 7.0f);
    EXPECT_FLOAT_EQ(mesh.vertices[mesh.indices[9]].z, 3.0f);
}

// One frame at the top beside meshes outside it: each keeps its own place.
TEST(XFileBuild, MeshesBesideASingleFrameStayWhereTheyAre) {
    const XFileMesh mesh = Build(Triangle(9) + Frame("2,0,0,0, 0,2,0,0, 0,0,2,0, 7,0,0,1", Triangle(5)));
    ASSERT_EQ(mesh.vertices.size(), 6u);
    EXPECT_FLOAT_EQ(mesh.vertices[0].x, 0.0f);
    EXPECT_FLOAT_EQ(mesh.vertices[0].z, 9.0f);
    EXPECT_FLOAT_EQ(mesh.vertices[3].x, 7.0f);
    EXPECT_FLOAT_EQ(mesh.vertices[3].z, 10.0f);
}

TEST(XFileBuild, AFileWithoutMaterialsGetsOneGreyMaterial) {
    const XFileMesh mesh = Build(Triangle(0));
    ASSERT_EQ(mesh.materials.size(), 1u);
    EXPECT_EQ(mesh.materials[0].Diffuse.r, 0.5f);
    EXPECT_EQ(mesh.materials[0].Diffuse.a, 1.0f);
    EXPECT_EQ(mesh.materials[0].Power, 1.0f);
    EXPECT_EQ(mesh.textureNames, std::vector<std::string>{""});
    EXPECT_EQ(mesh.attributes, std::vector<uint32_t>{0});
}

}  // namespace
