// Outline rendering: every mesh edge becomes a quad carrying the normals of
// the two faces that meet there; a vertex shader widens the silhouette edges
// and collapses the rest.
//
// Shader interface (the text "shaders\outline.txt" in the game library, a
// GLSL 3.30 core vertex shader; its entry point is `main`):
//   uniform mat4 WorldViewMatrix;  // world x view
//   uniform mat4 ProjMatrix;       // projection
//   uniform vec4 Color;            // outline colour
//   layout(location = 0) in vec3 position;  // a corner of the face
//   layout(location = 1) in vec3 normal0;   // 0 on base vertices, the vertex
//                                           // normal on extruded ones
//   layout(location = 2) in vec3 normal1;   // this face's unit normal
//   layout(location = 3) in vec3 normal2;   // the neighbour face's unit normal
//                                           // (-normal1 on an open edge)
//   out vec4 vColor;                        // to the device's fragment stage
// Matrices arrive as the D3DX row-major floats uploaded untransposed, so
// `M * v` in the shader applies them as D3DX's `v * M`. Location i is element
// i of the edge declaration. The shader writes Direct3D clip coordinates
// (depth 0..w); the device converts them to OpenGL's.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/d3dtypes.h"
#include "platform/d3dx_math.h"
#include "platform/resources.h"

class Device;

// Outline mode: meshes loaded while it is on (and theEdgeRender is active)
// get edges.
extern int32_t outlineEdgesEnabled;

// No neighbour across a face edge.
constexpr uint32_t ADJACENCY_NONE = 0xFFFFFFFFu;
// 16-bit edge indices allow 12 x 5,461 vertices.
constexpr uint32_t MAX_EDGE_FACES = 5461;

// Three entries per face: the face across edge k (corners k and k+1 mod 3),
// or ADJACENCY_NONE. Vertices closer than `epsilon` count as one.
std::vector<uint32_t> GenerateAdjacency(const D3DXMesh& mesh, float epsilon);

struct EdgeVertex {
    Vector3 position, normal0, normal1, normal2;
};
static_assert(sizeof(EdgeVertex) == 48);

class SilhouetteEdges {
public:
    SilhouetteEdges(Device* device, const D3DXMesh& mesh, const std::vector<uint32_t>& adjacency);
    HRESULT DrawEdges() const;

    const VertexBuffer& Vertices() const { return *vertexBuffer_; }
    const IndexBuffer& Indices() const { return *indexBuffer_; }
    const VertexDeclaration& Declaration() const { return *declaration_; }
    const EdgeVertex& Vertex(uint32_t i) const { return reinterpret_cast<const EdgeVertex*>(vertexBuffer_->Data())[i]; }

    uint32_t vertexCount = 0;    // 12 per face
    uint32_t triangleCount = 0;  // 6 per face

private:
    void BuildEdgeVertices(const D3DXMesh& mesh, const std::vector<uint32_t>& adjacency);
    void BuildEdgeIndices(uint32_t faces);
    void CreateEdgeDeclaration();

    Device* device_;
    std::unique_ptr<VertexBuffer> vertexBuffer_;
    std::unique_ptr<IndexBuffer> indexBuffer_;
    std::unique_ptr<VertexDeclaration> declaration_;
};

// Edges of `mesh` with the 0.1 adjacency tolerance; none above MAX_EDGE_FACES.
std::shared_ptr<SilhouetteEdges> MakeSilhouetteEdges(Device* device, const D3DXMesh& mesh);

class TEdgeRender {
public:
    explicit TEdgeRender(Device* device);
    ~TEdgeRender();
    TEdgeRender(const TEdgeRender&) = delete;
    TEdgeRender& operator=(const TEdgeRender&) = delete;

    // Reads and compiles "shaders\outline.txt"; false after a message.
    bool LoadOutlineShader();
    // None unless active.
    std::shared_ptr<SilhouetteEdges> BuildEdges(const D3DXMesh& mesh) const;
    // Draws the edges in world space `world`; false when inactive.
    bool RenderOutline(const SilhouetteEdges* edges, const Matrix4& world);

    Matrix4 viewMatrix, projMatrix;
    int32_t active = 0;

private:
    Device* device_;
    std::shared_ptr<VertexShader> shader_;
};

extern TEdgeRender* theEdgeRender;
