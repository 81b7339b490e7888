// .x mesh files: text parsed with assimp into one indexed triangle list
// whose faces carry the index of their material.
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

// The file's coordinates, winding and texture coordinates are kept; node
// transforms are applied; identical vertices are shared. None for bytes that
// do not parse or hold no triangles; then `why`, when given, says why.
std::optional<XFileMesh> ParseXFile(const uint8_t* bytes, size_t length, std::string* why = nullptr);
