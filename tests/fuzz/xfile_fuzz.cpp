// .x mesh files through the loader the games use, outline edges included:
// any bytes either fail cleanly or give a mesh whose faces, materials, edges
// and bounds are consistent.
#include <algorithm>
#include <memory>

#include "fuzz_check.h"
#include "gamelib/edgerender.h"
#include "gamelib/mesh.h"
#include "platform/device.h"
#include "platform/message_box.h"

namespace {

std::unique_ptr<NullDevice> g_device;
std::unique_ptr<TEdgeRender> g_edges;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetBatchMode(true);
    g_device = std::make_unique<NullDevice>(64, 64);
    g_edges = std::make_unique<TEdgeRender>(g_device.get());
    g_edges->active = 1;
    theEdgeRender = g_edges.get();
    outlineEdgesEnabled = 1;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::optional<TMesh> mesh =
        LoadMeshFromMemory(g_device.get(), data, size, MESH_COMPUTE_NORMALS | MESH_TILE3, 0, -0.5, "fuzz.x");
    if (!mesh) return 0;
    FUZZ_CHECK(mesh->kind == MESH_KIND_MESH && mesh->mesh);
    FUZZ_CHECK(mesh->numMaterials >= 0 && mesh->numMaterials < MAX_MAT_PER_MESH);
    FUZZ_CHECK(mesh->sizeFactor == 0.5 && mesh->scale == 1.0);

    const D3DXMesh& m = *mesh->mesh;
    const uint32_t vertices = m.GetNumVertices();
    const uint32_t faces = m.GetNumFaces();
    FUZZ_CHECK(vertices > 0 && faces > 0 && m.Indices().size() == size_t(faces) * 3);
    for (uint32_t index : m.Indices()) FUZZ_CHECK(index < vertices);
    for (uint32_t material : m.FaceAttributes()) FUZZ_CHECK(material < uint32_t(std::max(mesh->numMaterials, 1)));
    if (mesh->edges) FUZZ_CHECK(mesh->edges->triangleCount == faces * 6);

    Sphere sphere = GetMeshSphere(*mesh);
    FUZZ_CHECK(!(sphere.radius < 0));
    Vector3 low, high;
    GetMeshBox(*mesh, low, high);
    return 0;
}
