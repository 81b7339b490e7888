// Meshes from the game library: .x files become TMesh records with one
// subset per material.
#include <cstdio>
#include <string>

#include "gamelib/edgerender.h"
#include "gamelib/libman.h"
#include "gamelib/mesh.h"
#include "gamelib/texman.h"
#include "gamelib/xfile.h"
#include "platform/d3dx_shapes.h"
#include "platform/message_box.h"

namespace {

void SetSize(TMesh& mesh, double size) {
    if (size >= 0) {
        mesh.scale = size;
        mesh.sizeFactor = 1.0;
    } else {
        mesh.scale = 1.0;
        mesh.sizeFactor = -size;
    }
}

}  // namespace

std::optional<TMesh> LoadMesh(Device* device, const char* name, uint32_t flags, int32_t kindParam, double size) {
    TLibEntry* entry = LibGetFile(name);
    if (!entry) {
        MessageBox("Failed to load mesh '" + std::string(name ? name : "") + "' from library", "Error");
        return std::nullopt;
    }
    std::optional<TMesh> mesh = LoadMeshFromMemory(device, entry->data, entry->length, flags, kindParam, size, name);
    LibReleaseFile(entry);
    return mesh;
}

std::optional<TMesh> LoadMeshFromMemory(Device*, const uint8_t* bytes, size_t length, uint32_t flags,
                                        int32_t kindParam, double size, const char* sourceName) {
    TMesh mesh;
    mesh.kind = MESH_KIND_MESH;
    mesh.flags = flags;
    mesh.kindParam = kindParam;
    mesh.quadTexture = -1;
    mesh.textureSlot = -1;
    SetSize(mesh, size);

    std::string why;
    std::optional<XFileMesh> file = ParseXFile(bytes, length, &why);
    if (!file) {
        std::fprintf(stderr, "rockpile: mesh '%s': %s\n", sourceName ? sourceName : "", why.c_str());
        MessageBox("D3DXLoadMeshFromX() - FAILED", "");
        return std::nullopt;
    }
    if (file->materials.size() >= size_t(MAX_MAT_PER_MESH)) {
        MessageBox("Mesh '" + std::string(sourceName ? sourceName : "") + "' has " +
                       std::to_string(file->materials.size()) + " materials; at most " +
                       std::to_string(MAX_MAT_PER_MESH - 1) + " are supported",
                   "Error");
        return std::nullopt;
    }
    mesh.numMaterials = static_cast<int32_t>(file->materials.size());
    for (int i = 0; i < mesh.numMaterials; ++i) {
        mesh.materials[i] = file->materials[i];
        if (theTextureManager && !file->textureNames[i].empty())
            mesh.textures[i] = theTextureManager->LoadTexture(file->textureNames[i].c_str(), 0, 0xFF000000);
    }
    mesh.numTextures = mesh.numMaterials;

    // Construction sorts the faces by material.
    mesh.mesh = std::make_shared<D3DXMesh>(std::move(file->vertices), std::move(file->indices),
                                           std::move(file->attributes));
    if (flags & MESH_COMPUTE_NORMALS) D3DXComputeNormals(*mesh.mesh);
    mesh.mesh->OptimizeVertexCache();

    if (flags & MESH_TILE9)
        ScaleMeshTexCoords(mesh, 9.0f);
    else if (flags & MESH_TILE3)
        ScaleMeshTexCoords(mesh, 3.0f);

    if (outlineEdgesEnabled && theEdgeRender && theEdgeRender->active) mesh.edges = theEdgeRender->BuildEdges(*mesh.mesh);
    return mesh;
}
