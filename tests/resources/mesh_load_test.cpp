#include <gtest/gtest.h>

#include "gamelib/edgerender.h"
#include "gamelib/mesh.h"
#include "gamelib/texman.h"
#include "platform/device.h"
#include "resource_fixtures.h"

namespace {

std::optional<TMesh> Load(const std::string& text, uint32_t flags = 0, double size = 1.0) {
    return LoadMeshFromMemory(nullptr, reinterpret_cast<const uint8_t*>(text.data()), text.size(), flags, 7, size,
                              "test.x");
}

const std::string kTwoMaterials = XStrip(4, {XMaterial(1, 0, 0, 1, "rock.bmp"), XMaterial(0, 1, 0, 0.5f)});

TEST(LoadMesh, MaterialsSubsetsAndRecordFields) {
    std::optional<TMesh> mesh = Load(kTwoMaterials);
    ASSERT_TRUE(mesh);
    EXPECT_EQ(mesh->kind, MESH_KIND_MESH);
    EXPECT_EQ(mesh->kindParam, 7);
    EXPECT_EQ(mesh->quadTexture, -1);
    EXPECT_EQ(mesh->textureSlot, -1);
    ASSERT_EQ(mesh->numMaterials, 2);
    EXPECT_EQ(mesh->numTextures, 2);
    EXPECT_EQ(mesh->materials[0].Diffuse, (D3DCOLORVALUE{1, 0, 0, 1}));
    EXPECT_EQ(mesh->materials[0].Ambient, mesh->materials[0].Diffuse);
    EXPECT_EQ(mesh->materials[1].Diffuse, (D3DCOLORVALUE{0, 1, 0, 0.5f}));
    EXPECT_EQ(mesh->materials[1].Ambient, mesh->materials[1].Diffuse);
    EXPECT_FLOAT_EQ(mesh->materials[0].Power, 8.0f);
    EXPECT_FLOAT_EQ(mesh->materials[0].Specular.r, 0.25f);
    EXPECT_FLOAT_EQ(mesh->materials[0].Emissive.b, 0.1f);
    EXPECT_EQ(mesh->textures[0], nullptr);  // no texture manager

    const D3DXMesh& m = *mesh->mesh;
    EXPECT_EQ(m.GetNumFaces(), 4u);
    EXPECT_EQ(m.GetNumVertices(), 6u);
    ASSERT_EQ(m.AttributeTable().size(), 2u);
    EXPECT_EQ(m.AttributeTable()[0].AttribId, 0u);
    EXPECT_EQ(m.AttributeTable()[0].FaceCount, 2u);
    EXPECT_EQ(m.AttributeTable()[1].AttribId, 1u);
    EXPECT_EQ(m.AttributeTable()[1].FaceCount, 2u);
}

TEST(LoadMesh, KeepsTheFilesCoordinatesWindingAndTextureCoordinates) {
    std::optional<TMesh> mesh = Load(XStrip(1, {XMaterial(1, 1, 1, 1)}));
    ASSERT_TRUE(mesh);
    const auto& v = mesh->mesh->Vertices();
    const auto& idx = mesh->mesh->Indices();
    ASSERT_EQ(idx.size(), 3u);
    // File face 0: (0,0,0) (0,1,0) (1,0,0) with v = 1 - y.
    const MeshVertex& a = v[idx[0]];
    const MeshVertex& b = v[idx[1]];
    const MeshVertex& c = v[idx[2]];
    EXPECT_EQ(Vector3(a.x, a.y, a.z), Vector3(0, 0, 0));
    EXPECT_EQ(Vector3(b.x, b.y, b.z), Vector3(0, 1, 0));
    EXPECT_EQ(Vector3(c.x, c.y, c.z), Vector3(1, 0, 0));
    EXPECT_FLOAT_EQ(a.v, 1.0f);
    EXPECT_FLOAT_EQ(b.v, 0.0f);
    EXPECT_FLOAT_EQ(a.nz, -1.0f);
}

TEST(LoadMesh, SizeArgument) {
    struct Case {
        double size, scale, factor;
    } cases[] = {{4.0, 4.0, 1.0}, {-0.85, 1.0, 0.85}, {0.0, 0.0, 1.0}};
    for (const Case& c : cases) {
        std::optional<TMesh> mesh = Load(kTwoMaterials, 0, c.size);
        ASSERT_TRUE(mesh);
        EXPECT_DOUBLE_EQ(mesh->scale, c.scale) << c.size;
        EXPECT_DOUBLE_EQ(mesh->sizeFactor, c.factor) << c.size;
    }
}

TEST(LoadMesh, TilingScalesTextureCoordinatesByNineBeforeThree) {
    auto maxU = [](const TMesh& m) {
        float u = 0;
        for (const MeshVertex& v : m.mesh->Vertices()) u = std::max(u, v.u);
        return u;
    };
    float plain = maxU(*Load(kTwoMaterials));
    EXPECT_FLOAT_EQ(maxU(*Load(kTwoMaterials, MESH_TILE3)), plain * 3);
    EXPECT_FLOAT_EQ(maxU(*Load(kTwoMaterials, MESH_TILE9)), plain * 9);
    EXPECT_FLOAT_EQ(maxU(*Load(kTwoMaterials, MESH_TILE9 | MESH_TILE3)), plain * 9);
}

TEST(LoadMesh, ComputeNormalsReplacesTheFilesNormals) {
    std::optional<TMesh> mesh = Load(XStrip(1, {XMaterial(1, 1, 1, 1)}), MESH_COMPUTE_NORMALS);
    ASSERT_TRUE(mesh);
    for (const MeshVertex& v : mesh->mesh->Vertices()) EXPECT_NEAR(std::fabs(v.nz), 1.0f, 1e-5f);
    // The strip's face is wound clockwise seen from -z: its computed normal points to -z.
    EXPECT_LT(mesh->mesh->Vertices()[0].nz, 0.0f);
}

TEST(LoadMesh, MalformedFileIsRefusedWithTheMessage) {
    MessageLog log;
    EXPECT_FALSE(Load("xof 0303txt 0032\nMesh { 3; 0;0;0;, 1;0;"));
    EXPECT_FALSE(Load("not a mesh at all"));
    EXPECT_FALSE(LoadMeshFromMemory(nullptr, nullptr, 0, 0, 0, 1.0, "empty.x"));
    ASSERT_EQ(log.messages.size(), 3u);
    for (const auto& m : log.messages) EXPECT_EQ(m, std::make_pair(std::string("D3DXLoadMeshFromX() - FAILED"), std::string()));
}

TEST(LoadMesh, ThirtyTwoMaterialsAreRefusedThirtyOneAccepted) {
    auto materials = [](int n) {
        std::vector<std::string> m;
        for (int i = 0; i < n; ++i) m.push_back(XMaterial(i / 32.0f, 0, 0, 1));
        return m;
    };
    MessageLog log;
    std::optional<TMesh> ok = Load(XStrip(31, materials(31)));
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->numMaterials, 31);
    EXPECT_TRUE(log.messages.empty());
    EXPECT_FALSE(Load(XStrip(32, materials(32))));
    EXPECT_FALSE(Load(XStrip(40, materials(40))));
    EXPECT_EQ(log.messages.size(), 2u);
    EXPECT_EQ(log.messages[0].second, "Error");
    EXPECT_NE(log.messages[0].first.find("test.x"), std::string::npos);
}

TEST(LoadMesh, MissingLibraryEntryShowsTheMessage) {
    LooseLibrary library;
    MessageLog log;
    EXPECT_FALSE(LoadMesh(nullptr, "nothere.x", 0, 0, 1.0));
    EXPECT_TRUE(log.Has("Failed to load mesh 'nothere.x' from library", "Error"));
}

TEST(LoadMesh, LoadsFromTheLibraryWithTexturesThroughTheManager) {
    LooseLibrary library;
    library.Add("ship.x", kTwoMaterials);
    library.Add("textures\\rock.bmp", MakeBmp(4, 4, [](int, int) { return 0x808080u; }));
    TTextureManager manager(nullptr, "textures");
    theTextureManager = &manager;
    std::optional<TMesh> mesh = LoadMesh(nullptr, "ship.x", 0, 0, 1.0);
    theTextureManager = nullptr;
    ASSERT_TRUE(mesh);
    ASSERT_NE(mesh->textures[0], nullptr);
    EXPECT_STREQ(mesh->textures[0]->key, "rock.bmp");
    EXPECT_EQ(mesh->textures[1], nullptr);
}

TEST(LoadMesh, OutlineModeBuildsEdgesOnlyWhenTheRendererIsActive) {
    NullDevice device;
    TEdgeRender render(&device);
    theEdgeRender = &render;
    outlineEdgesEnabled = 1;
    EXPECT_EQ(Load(kTwoMaterials)->edges, nullptr);
    render.active = 1;
    std::optional<TMesh> mesh = Load(kTwoMaterials);
    outlineEdgesEnabled = 0;
    EXPECT_EQ(Load(kTwoMaterials)->edges, nullptr);
    theEdgeRender = nullptr;
    ASSERT_NE(mesh->edges, nullptr);
    EXPECT_EQ(mesh->edges->vertexCount, 12u * 4);
}

TEST(MeshBounds, SphereBoxAndNearestVertex) {
    std::optional<TMesh> mesh = Load(XStrip(4, {XMaterial(1, 1, 1, 1)}));  // x 0..2, y 0..1
    ASSERT_TRUE(mesh);
    Vector3 lo, hi;
    GetMeshBox(*mesh, lo, hi);
    EXPECT_EQ(lo, Vector3(0, 0, 0));
    EXPECT_EQ(hi, Vector3(2, 1, 0));
    Sphere s = GetMeshSphere(*mesh);
    EXPECT_NEAR(s.centre.x, 1.0f, 1e-5f);
    EXPECT_NEAR(s.centre.y, 0.5f, 1e-5f);
    EXPECT_NEAR(s.radius, std::sqrt(1.25f), 1e-5f);
    EXPECT_TRUE(mesh->sphereValid && mesh->boxValid);

    Vector3 nearest(-1, -1, -1);
    Matrix4 shift = D3DXMatrixTranslation(10, 0, 5);
    EXPECT_FLOAT_EQ(ClosestVertexXY(*mesh, {12.5f, 1.0f, 0}, shift, &nearest), 0.25f);
    EXPECT_EQ(nearest, Vector3(12, 1, 5));
    Vector3 untouched(7, 7, 7);
    EXPECT_FLOAT_EQ(ClosestVertexXY(*mesh, {500, 0, 0}, shift, &untouched), 10000.0f);
    EXPECT_EQ(untouched, Vector3(7, 7, 7));
}

}  // namespace
