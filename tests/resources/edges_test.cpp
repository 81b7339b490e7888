#include <gtest/gtest.h>

#include <limits>
#include <map>

#include "gamelib/edgerender.h"
#include "platform/device.h"
#include "resource_fixtures.h"

namespace {

MeshVertex V(float x, float y, float z, Vector3 n = {0, 0, -1}) { return {x, y, z, n.x, n.y, n.z, 0, 0}; }

D3DXMesh Triangles(std::vector<MeshVertex> vertices, std::vector<uint32_t> indices) {
    std::vector<uint32_t> attributes(indices.size() / 3, 0);
    return D3DXMesh(std::move(vertices), std::move(indices), std::move(attributes));
}

void ExpectNear(const Vector3& a, const Vector3& b) {
    EXPECT_NEAR(a.x, b.x, 1e-5f);
    EXPECT_NEAR(a.y, b.y, 1e-5f);
    EXPECT_NEAR(a.z, b.z, 1e-5f);
}

TEST(SilhouetteEdges, SingleTriangleHasOpenEdgesOnly) {
    D3DXMesh mesh = Triangles({V(0, 0, 0), V(0, 1, 0), V(1, 0, 0)}, {0, 1, 2});
    SilhouetteEdges edges(nullptr, mesh, GenerateAdjacency(mesh, 0.1f));
    EXPECT_EQ(edges.vertexCount, 12u);
    EXPECT_EQ(edges.triangleCount, 6u);
    EXPECT_EQ(edges.Vertices().Stride(), 48u);
    EXPECT_EQ(edges.Vertices().Size(), 576u);
    EXPECT_EQ(edges.Indices().Indices().size(), 18u);
    Vector3 n(0, 0, -1);  // (p1 - p0) x (p2 - p0)
    for (uint32_t i = 0; i < 12; ++i) {
        ExpectNear(edges.Vertex(i).normal1, n);
        ExpectNear(edges.Vertex(i).normal2, -n);
    }
}

TEST(SilhouetteEdges, QuadLayoutAndIndices) {
    D3DXMesh mesh = Triangles({V(0, 0, 0, {1, 0, 0}), V(0, 1, 0, {0, 1, 0}), V(1, 0, 0, {0, 0, 1})}, {0, 1, 2});
    SilhouetteEdges edges(nullptr, mesh, GenerateAdjacency(mesh, 0.1f));
    // Edge 2 runs from corner 0 to corner 2: base, base, extruded, extruded.
    const EdgeVertex* q = &edges.Vertex(8);
    EXPECT_EQ(q[0].position, Vector3(0, 0, 0));
    EXPECT_EQ(q[1].position, Vector3(1, 0, 0));
    EXPECT_EQ(q[0].normal0, Vector3());
    EXPECT_EQ(q[1].normal0, Vector3());
    EXPECT_EQ(q[2].normal0, Vector3(1, 0, 0));
    EXPECT_EQ(q[3].normal0, Vector3(0, 0, 1));
    const auto& idx = edges.Indices().Indices();
    EXPECT_EQ(std::vector<uint32_t>(idx.begin() + 6, idx.begin() + 12), (std::vector<uint32_t>{4, 5, 6, 5, 7, 6}));
}

TEST(SilhouetteEdges, SharedEdgeCarriesTheNeighboursNormal) {
    // Two faces folded along the y axis edge (0,0,0)-(0,1,0).
    D3DXMesh mesh = Triangles({V(0, 0, 0), V(0, 1, 0), V(1, 0, 0), V(-1, 0, 1)}, {0, 1, 2, 1, 0, 3});
    std::vector<uint32_t> adjacency = GenerateAdjacency(mesh, 0.1f);
    EXPECT_EQ(adjacency, (std::vector<uint32_t>{1, ADJACENCY_NONE, ADJACENCY_NONE, 0, ADJACENCY_NONE, ADJACENCY_NONE}));
    SilhouetteEdges edges(nullptr, mesh, adjacency);
    Vector3 n0(0, 0, -1);
    Vector3 n1 = D3DXVec3Normalize(D3DXVec3Cross(Vector3(0, -1, 0), Vector3(-1, -1, 1)));
    for (int k = 0; k < 4; ++k) {
        ExpectNear(edges.Vertex(k).normal2, n1);       // face 0, edge 0
        ExpectNear(edges.Vertex(12 + k).normal2, n0);  // face 1, edge 0
    }
    ExpectNear(edges.Vertex(4).normal2, -n0);  // face 0, edge 1 is open
}

TEST(GenerateAdjacency, ToleranceJoinsCloseVerticesOnly) {
    auto pair = [](float gap) {
        // The second triangle's edge copies the first's, moved by `gap`.
        return Triangles({V(0, 0, 0), V(0, 1, 0), V(1, 0, 0), V(0, 1 + gap, 0), V(gap, 0, 0), V(-1, 0, 0)},
                         {0, 1, 2, 3, 4, 5});
    };
    D3DXMesh close = pair(0.05f), far = pair(0.2f);
    EXPECT_EQ(GenerateAdjacency(close, 0.1f)[0], 1u);
    EXPECT_EQ(GenerateAdjacency(far, 0.1f)[0], ADJACENCY_NONE);
}

TEST(GenerateAdjacency, DamagedCoordinatesJoinNothing) {
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    D3DXMesh mesh = Triangles({V(0, 0, 0), V(0, 1, 0), V(1, 0, 0), V(0, 1, 0), V(0, 0, 0), V(-1, 0, 0),
                               V(nan, 0, 0), V(inf, 0, 0), V(1e30f, 0, 0), V(nan, 0, 0), V(inf, 0, 0), V(-1e30f, 0, 0)},
                              {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    const std::vector<uint32_t> adjacency = GenerateAdjacency(mesh, 0.1f);
    EXPECT_EQ(adjacency[0], 1u);  // the sound pair still shares its edge
    for (size_t edge = 6; edge < 12; ++edge) EXPECT_EQ(adjacency[edge], ADJACENCY_NONE) << edge;
}

TEST(SilhouetteEdges, NoEdgesAboveTheSixteenBitLimit) {
    auto strip = [](uint32_t faces) {
        std::vector<MeshVertex> v;
        std::vector<uint32_t> idx;
        for (uint32_t i = 0; i < faces + 2; ++i) v.push_back(V(float(i / 2), float(i % 2), 0));
        for (uint32_t f = 0; f < faces; ++f) idx.insert(idx.end(), {f, f + 1, f + 2});
        return Triangles(std::move(v), std::move(idx));
    };
    EXPECT_NE(MakeSilhouetteEdges(nullptr, strip(MAX_EDGE_FACES)), nullptr);
    EXPECT_EQ(MakeSilhouetteEdges(nullptr, strip(MAX_EDGE_FACES + 1)), nullptr);
}

class RecordingDevice : public NullDevice {
public:
    HRESULT SetVertexShaderConstantF(const char* name, const float* data, uint32_t count) override {
        constants[name].assign(data, data + 4 * count);
        return D3D_OK;
    }
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, const VertexBuffer& vb, const IndexBuffer& ib, uint32_t start,
                                 uint32_t count) override {
        cullDuringDraw = GetRenderState(D3DRS_CULLMODE);
        shaderDuringDraw = State().vertexShader;
        return NullDevice::DrawIndexedPrimitive(type, vb, ib, start, count);
    }
    std::map<std::string, std::vector<float>> constants;
    uint32_t cullDuringDraw = 0;
    VertexShader* shaderDuringDraw = nullptr;
};

TEST(EdgeRender, LoadsTheShaderAndDrawsWithCullingOff) {
    LooseLibrary library;
    library.Add("shaders\\outline.txt", "void main() {}");
    RecordingDevice device;
    TEdgeRender render(&device);
    D3DXMesh mesh = Triangles({V(0, 0, 0), V(0, 1, 0), V(1, 0, 0)}, {0, 1, 2});
    SilhouetteEdges edges(&device, mesh, GenerateAdjacency(mesh, 0.1f));
    EXPECT_FALSE(render.RenderOutline(&edges, Matrix4()));
    EXPECT_EQ(render.BuildEdges(mesh), nullptr);

    ASSERT_TRUE(render.LoadOutlineShader());
    EXPECT_EQ(render.active, 1);
    render.viewMatrix = D3DXMatrixTranslation(0, 0, 13);
    ASSERT_TRUE(render.RenderOutline(&edges, D3DXMatrixTranslation(1, 2, 3)));
    EXPECT_EQ(device.cullDuringDraw, D3DCULL_NONE);
    EXPECT_NE(device.shaderDuringDraw, nullptr);
    EXPECT_EQ(device.Stats().primitives, 6u);
    EXPECT_EQ(device.GetRenderState(D3DRS_CULLMODE), D3DCULL_CCW);
    EXPECT_EQ(device.State().vertexShader, nullptr);
    EXPECT_EQ(device.constants["Color"], (std::vector<float>{0.0f, 0.9f, 0.95f, 1.0f}));
    EXPECT_FLOAT_EQ(device.constants["WorldViewMatrix"][14], 16.0f);  // z translation 3 + 13
    EXPECT_EQ(device.constants["ProjMatrix"].size(), 16u);
}

TEST(EdgeRender, MissingOrBrokenShaderIsReported) {
    LooseLibrary library;
    NullDevice device;
    TEdgeRender render(&device);
    MessageLog log;
    EXPECT_FALSE(render.LoadOutlineShader());
    EXPECT_TRUE(log.Has("Unable to load outline shader", "error"));
    library.Add("shaders\\outline.txt", "");
    EXPECT_FALSE(render.LoadOutlineShader());
    EXPECT_TRUE(log.Has("empty shader source", ""));  // the compiler's words, no caption
    EXPECT_EQ(render.active, 0);
}

}  // namespace
