// .x mesh files built into one indexed triangle list whose faces carry the
// index of their material.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/d3dtypes.h"
#include "platform/resources.h"

struct XFileMesh {
    std::vector<MeshVertex> vertices;
    std::vector<uint32_t> indices;     // three per face
    std::vector<uint32_t> attributes;  // material index per face
    std::vector<D3DMATERIAL9> materials;
    std::vector<std::string> textureNames;  // per material, empty for none
};

// The file's left-handed coordinates, winding and texture coordinates are
// kept; frame transforms are applied down the tree and normals turned with
// them; polygons become fans around their first corner; identical vertices
// are shared. Faces come grouped by mesh, then by material in list order:
// first the meshes outside any frame, then the frames' meshes, tree order.
// Materials are numbered the other way round: the frames' meshes' lists
// first, then those of the meshes outside. A file without materials gets one
// grey material. None for bytes that do not read; then `why`, when given,
// says why and where.
std::optional<XFileMesh> ParseXFile(const uint8_t* bytes, size_t length, std::string* why = nullptr);
