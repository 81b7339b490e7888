// Strict reading of text .x mesh files into the parts meshes are built from.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct XMaterial {
    std::array<float, 4> diffuse{};  // RGBA
    float power = 0;
    std::array<float, 3> specular{};
    std::array<float, 3> emissive{};
    std::string texture;  // empty for none; a run of '\' reads as one
};

// Per face its corner count (at least three), then all corners in order.
struct XFaces {
    std::vector<uint32_t> cornerCounts;
    std::vector<uint32_t> corners;
};

struct XMesh {
    std::vector<float> positions;  // three per vertex
    XFaces faces;
    bool hasNormals = false;
    std::vector<float> normals;  // three per normal
    XFaces normalFaces;          // corner counts equal to the faces'
    std::vector<float> textureCoords;     // two per vertex, or none
    std::vector<uint32_t> faceMaterials;  // one per face, or none
    std::vector<XMaterial> materials;     // references resolved
};

struct XFrame {
    std::array<float, 16> matrix{};  // as written: rows for row vectors, translation last
    bool hasMatrix = false;
    std::vector<XMesh> meshes;
    std::vector<XFrame> frames;
};

// Meshes and frames outside any frame; its matrix is unused.
using XScene = XFrame;

// Reads a text .x file (header "xof ", format "txt "): frames with their
// transforms, meshes with normals, texture coordinates and material lists.
// Templates, names, references to frames and objects of other kinds
// (animation, skinning, vertex colours) are passed over. None for text that
// is not a well-formed file of that kind: a count the file does not hold, a
// face of fewer than three corners or naming a missing vertex, normals or
// texture coordinates that do not match the mesh, a face naming a missing
// material, a reference to an unknown material, a number that is not a
// finite float, no mesh at all. `why`, when given, receives the reason for
// none and the line where reading stopped.
std::optional<XScene> ReadXScene(std::string_view text, std::string* why = nullptr);
