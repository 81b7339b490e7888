// The drawable record of the engine: an indexed mesh (loaded or 3D text) or
// a textured quad, with materials, textures, per-kind parameters, cached
// bounds and outline edges. Records are copied by value; copies share the
// mesh, vertex buffer, textures and edges of their source.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/d3dtypes.h"
#include "platform/d3dx_math.h"
#include "platform/resources.h"

class Device;
class SilhouetteEdges;
struct TTextureEntry;

constexpr int MAX_MAT_PER_MESH = 32;

constexpr uint32_t MESH_COMPUTE_NORMALS = 0x2;
constexpr uint32_t MESH_ALPHA_BLEND = 0x4;
constexpr uint32_t MESH_TILE3 = 0x8;
constexpr uint32_t MESH_TILE9 = 0x10;

constexpr int32_t MESH_KIND_MESH = 1;
constexpr int32_t MESH_KIND_QUAD = 2;

struct TMesh {
    int32_t kind = 0;  // bit 0 mesh drawing, bit 1 quad drawing
    uint32_t flags = 0;
    std::shared_ptr<D3DXMesh> mesh;
    std::shared_ptr<VertexBuffer> vertexBuffer;  // quads
    int32_t quadTexture = 0;
    D3DMATERIAL9 materials[MAX_MAT_PER_MESH] = {};
    TTextureEntry* textures[MAX_MAT_PER_MESH] = {};
    int32_t numMaterials = 0;
    int32_t numTextures = 0;
    int32_t kindParam = 0;
    double scale = 0;
    double sizeFactor = 0;
    int32_t primitiveCount = 0;
    int32_t textureSlot = 0;
    std::shared_ptr<SilhouetteEdges> edges;
    int32_t sphereValid = 0;
    Sphere sphere;
    int32_t boxValid = 0;
    Vector3 boxMin, boxMax;
    // Per-kind values of the asteroid field.
    int32_t powerupKind = 0;
    int32_t soundId = 0;
};

// Loads a .x mesh from the game library; none (after a message) on failure.
std::optional<TMesh> LoadMesh(Device* device, const char* name, uint32_t flags, int32_t kindParam, double size);
// Builds a mesh from .x text already in memory (LoadMesh's second half).
// `sourceName` names it in messages.
std::optional<TMesh> LoadMeshFromMemory(Device* device, const uint8_t* bytes, size_t length, uint32_t flags,
                                        int32_t kindParam, double size, const char* sourceName);
// 3D text about one unit high, extruded 0.1, centred on its bounding sphere.
TMesh CreateTextMesh(Device* device, const char* text, const D3DMATERIAL9& material, const char* fontName);
// A 2w x 2h textured square in the x-y plane facing -z.
TMesh CreateQuad(Device* device, uint32_t flags, double halfWidth, double halfHeight, bool doubleSided);

// Meshes and quads draw their textures (off in wire-frame mode).
extern int32_t texturesEnabled;

// Draws with the world transform the caller has set.
void RenderMesh(Device* device, const TMesh& mesh);
// pass 0: translucent subsets only; 1: opaque only; 2: all.
void DrawSubsets(Device* device, const TMesh& mesh, int pass);

D3DMATERIAL9 PresetMaterial(int preset);
void SetPresetMaterial(TMesh& mesh, int preset);
void ScaleMeshTexCoords(TMesh& mesh, float factor);
void OffsetQuadTexCoords(TMesh& quad, float du, float dv);
void ScaleQuadTexCoords(TMesh& quad, float su, float sv);
Sphere GetMeshSphere(TMesh& mesh);
void GetMeshBox(TMesh& mesh, Vector3& minimum, Vector3& maximum);
// Squared XY distance from `point` to the nearest vertex transformed by
// `matrix`; 10,000 when none is nearer than 100 units (out untouched).
float ClosestVertexXY(const TMesh& mesh, const Vector3& point, const Matrix4& matrix, Vector3* outVertex);
void CenterMesh(TMesh& mesh);
