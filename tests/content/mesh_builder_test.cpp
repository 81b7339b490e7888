// The generator's mesh builder, shapes, .x writer and software renderer.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "gamelib/xfile.h"
#include "mesh.h"
#include "raster.h"
#include "shapes.h"

namespace {

using namespace contentgen;

constexpr double kPi = 3.141592653589793;

Mesh WithMaterial(Material look = {}) {
    Mesh mesh;
    mesh.AddMaterial(look);
    return mesh;
}

TEST(MeshBuilder, BoxesAndExtrusionsEncloseTheirVolumeWoundOutwards) {
    Mesh box = WithMaterial();
    AddBox(box, {-1, -2, -3}, {1, 2, 3}, 0);
    EXPECT_EQ(box.Faces().size(), 12u);
    EXPECT_NEAR(box.SignedVolume(), 2.0 * 4.0 * 6.0, 1e-4);

    Outline star = StarOutline(5, 2.0f, 0.8f);
    Mesh prism = WithMaterial();
    AddExtrusion(prism, star, -0.5f, 0.5f, 0, 0, 0);
    EXPECT_NEAR(prism.SignedVolume(), OutlineArea(star), 1e-3);
    // The front cap faces the camera (-z).
    const Face& front = prism.Faces()[1];
    EXPECT_LT(prism.Vertices()[front.a].normal.z, -0.99f);
}

TEST(MeshBuilder, TriangulationCoversConcaveOutlinesInEitherOrientation) {
    Outline arrow = {{0, 1}, {0.8f, -0.8f}, {0, -0.4f}, {-0.8f, -0.8f}};
    for (bool reversed : {false, true}) {
        Outline outline = arrow;
        if (reversed) std::reverse(outline.begin(), outline.end());
        std::vector<uint32_t> tri = Triangulate(outline);
        ASSERT_EQ(tri.size(), 6u);
        float area = 0;
        for (size_t i = 0; i < tri.size(); i += 3)
            area += OutlineArea({outline[tri[i]], outline[tri[i + 1]], outline[tri[i + 2]]});
        EXPECT_NEAR(area, std::fabs(OutlineArea(arrow)), 1e-5);
    }
}

TEST(MeshBuilder, BevelsTrimTheEdgesButKeepMostOfTheSolid) {
    Outline square = RectOutline(-1, -1, 1, 1);
    Mesh plain = WithMaterial(), bevelled = WithMaterial(), both = WithMaterial();
    AddExtrusion(plain, square, -0.5f, 0.5f, 0, 0, 0);
    AddBevelledExtrusion(bevelled, square, -0.5f, 0.5f, 0.2f, 0, 0, 0);
    AddBevelledExtrusion(both, square, -0.5f, 0.5f, 0.2f, 0, 0, 0, true);
    EXPECT_LT(bevelled.SignedVolume(), plain.SignedVolume());
    EXPECT_LT(both.SignedVolume(), bevelled.SignedVolume());
    EXPECT_GT(both.SignedVolume(), 0.8 * plain.SignedVolume());
    // The front cap is inset by the bevel on every side.
    Bounds b = bevelled.ComputeBounds();
    float frontMaxX = -9;
    for (const Vertex& v : bevelled.Vertices())
        if (v.position.z < -0.49f) frontMaxX = std::max(frontMaxX, v.position.x);
    EXPECT_NEAR(frontMaxX, 0.8f, 1e-4);
    EXPECT_NEAR(b.maximum.x, 1.0f, 1e-5);
}

TEST(MeshBuilder, LathesMakeClosedSolidsOfRevolution) {
    Mesh sphere = WithMaterial();
    AddSphere(sphere, {1, 2, 3}, 2.0f, 24, 12, 0);
    EXPECT_NEAR(sphere.SignedVolume(), 4.0 / 3.0 * kPi * 8.0, 0.05 * 4.0 / 3.0 * kPi * 8.0);
    Bounds b = sphere.ComputeBounds();
    EXPECT_NEAR(b.maximum.y, 4.0f, 1e-4);
    // Smooth normals point away from the centre.
    for (const Vertex& v : sphere.Vertices()) EXPECT_GT(Dot(v.normal, v.position - Vec3{1, 2, 3}), 0.0f);

    Mesh rod = WithMaterial();
    AddCylinder(rod, {0, 0, 0}, {3, 0, 4}, 0.5f, 0.5f, 16, 0);
    EXPECT_NEAR(rod.SignedVolume(), kPi * 0.25 * 5.0, 0.05 * kPi * 0.25 * 5.0);
    Bounds r = rod.ComputeBounds();
    EXPECT_NEAR(r.maximum.z, 4.0f + 0.5f * 0.6f, 0.05f);
}

TEST(MeshBuilder, TransformsComposeInOrder) {
    Affine turnThenMove = Affine::Translate({5, 0, 0}).After(Affine::RotateZ(static_cast<float>(kPi / 2)));
    Vec3 p = turnThenMove.Point({1, 0, 0});
    EXPECT_NEAR(p.x, 5.0f, 1e-5);
    EXPECT_NEAR(p.y, 1.0f, 1e-5);
    Vec3 up = Affine::AlignY({0, 0, 2}).Direction({0, 1, 0});
    EXPECT_NEAR(up.z, 1.0f, 1e-5);
    Vec3 n = Affine::Scale(2, 1, 1).Normal(Normalized({1, 1, 0}));
    EXPECT_NEAR(n.x, n.y * 0.5f, 1e-5);  // normals follow the inverse transpose
}

TEST(XFileWriter, TheGameParserReadsBackGeometryMaterialsAndTextures) {
    Material rock;
    rock.diffuse = {0.25f, 0.5f, 0.75f};
    rock.alpha = 0.5f;
    rock.emissive = {0.1f, 0.2f, 0.3f};
    rock.power = 12;
    rock.texture = "granite11.jpg";
    Mesh mesh;
    uint32_t a = mesh.AddMaterial(rock), b = mesh.AddMaterial(Material{});
    AddBox(mesh, {-1, -1, -1}, {1, 1, 1}, a);
    AddBox(mesh, {2, -0.5f, -0.5f}, {3, 0.5f, 0.5f}, b);
    for (Vertex& v : mesh.Vertices()) v.u = (v.position.x + 1) * 0.5f;
    std::string text = WriteXFile(mesh, "crate");
    ASSERT_EQ(text.rfind("xof 0303txt 0032", 0), 0u);
    std::optional<XFileMesh> parsed = ParseXFile(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->indices.size(), 3 * mesh.Faces().size());
    ASSERT_EQ(parsed->materials.size(), 2u);
    EXPECT_FLOAT_EQ(parsed->materials[0].Diffuse.g, 0.5f);
    EXPECT_FLOAT_EQ(parsed->materials[0].Diffuse.a, 0.5f);
    EXPECT_FLOAT_EQ(parsed->materials[0].Emissive.b, 0.3f);
    EXPECT_EQ(parsed->textureNames[0], "granite11.jpg");
    EXPECT_TRUE(parsed->textureNames[1].empty());
    float maxX = -9, maxU = -9;
    for (const MeshVertex& v : parsed->vertices) maxX = std::max(maxX, v.x), maxU = std::max(maxU, v.u);
    EXPECT_FLOAT_EQ(maxX, 3.0f);
    EXPECT_FLOAT_EQ(maxU, 2.0f);
}

TEST(SoftwareRenderer, NearerFacesHideFartherOnesAndBackFacesAreSkipped) {
    Material red, green;
    red.diffuse = {1, 0, 0};
    red.emissive = {1, 0, 0};
    green.diffuse = {0, 1, 0};
    green.emissive = {0, 1, 0};
    Mesh nearBox = WithMaterial(red), farBox = WithMaterial(green);
    AddBox(nearBox, {-1, -1, -1}, {1, 1, 1}, 0);
    AddBox(farBox, {-2, -2, 5}, {2, 2, 6}, 0);
    Raster raster(20, 20, 1);
    raster.SetView(-4, -4, 4, 4);
    raster.Clear({0, 0, 1});
    raster.Draw(nearBox, {}, [](const std::string&) { return nullptr; });
    raster.Draw(farBox, {}, [](const std::string&) { return nullptr; });
    Image picture = raster.Resolve();
    EXPECT_GT(picture.At(10, 10).r, 0.9f);  // the near box in the middle
    EXPECT_GT(picture.At(10, 5).g, 0.9f);   // the far box around it
    EXPECT_GT(picture.At(1, 1).b, 0.9f);    // background in the corner
    Image edges = raster.SilhouetteMask();
    float column = 0;
    for (int y = 0; y < 20; ++y) column += edges.At(10, y).r;
    EXPECT_GE(column, 2.0f);  // the borders of both boxes
    EXPECT_EQ(edges.At(1, 1).r, 0.0f);

    // Seen from behind (turned half round), a lone quad draws nothing.
    Mesh quad = WithMaterial(red);
    quad.FlatQuad({-1, -1, 0}, {-1, 1, 0}, {1, 1, 0}, {1, -1, 0}, 0);
    raster.Clear({0, 0, 0});
    raster.Draw(quad, Affine::RotateY(static_cast<float>(kPi)), [](const std::string&) { return nullptr; });
    EXPECT_EQ(raster.Resolve().At(10, 10).r, 0.0f);
    raster.Draw(quad, {}, [](const std::string&) { return nullptr; });
    EXPECT_GT(raster.Resolve().At(10, 10).r, 0.9f);
}

}  // namespace
