// A small triangle-mesh builder for the generated models. Coordinates follow
// the game's left-handed view: x right, y up, z away from the camera, which
// sits at negative z. A face is wound so that cross(b - a, c - a) points out
// of the solid; seen from outside it is clockwise on screen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

namespace contentgen {

struct Vec3 {
    float x = 0, y = 0, z = 0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator-(Vec3 a) { return {-a.x, -a.y, -a.z}; }
inline Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
float Dot(Vec3 a, Vec3 b);
Vec3 Cross(Vec3 a, Vec3 b);
float Length(Vec3 a);
Vec3 Normalized(Vec3 a);

struct Vec2 {
    float x = 0, y = 0;
};

// Row-major 3x3 linear part plus a translation: p' = M p + t.
struct Affine {
    float m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    Vec3 t;

    Vec3 Point(Vec3 p) const;
    Vec3 Direction(Vec3 d) const;
    // Normal transform (inverse transpose), normalised.
    Vec3 Normal(Vec3 n) const;
    // This transform applied after `first`.
    Affine After(const Affine& first) const;

    static Affine Translate(Vec3 d);
    static Affine Scale(float sx, float sy, float sz);
    static Affine RotateX(float angle);
    static Affine RotateY(float angle);
    static Affine RotateZ(float angle);
    // Rotation that takes +y onto `direction`.
    static Affine AlignY(Vec3 direction);
};

struct Material {
    Rgb diffuse{0.8f, 0.8f, 0.8f};
    float alpha = 1.0f;
    float power = 20.0f;
    Rgb specular{0.3f, 0.3f, 0.3f};
    Rgb emissive{};
    std::string texture;  // file name under textures\, or empty
};

// An untextured material: the colour, glowing by `glow` of itself, with a
// grey highlight of strength `shine` and sharpness `power`.
Material Coloured(Rgb colour, float glow, float shine, float power);

struct Vertex {
    Vec3 position;
    Vec3 normal;
    float u = 0, v = 0;
};

struct Face {
    uint32_t a, b, c;
    uint32_t material;
};

struct Bounds {
    Vec3 centre;  // mean of the vertex positions, as the game computes it
    float radius = 0;
    Vec3 minimum, maximum;
};

class Mesh {
public:
    uint32_t AddMaterial(const Material& material);
    uint32_t AddVertex(const Vertex& vertex);
    void AddFace(uint32_t a, uint32_t b, uint32_t c, uint32_t material);
    // A flat-shaded triangle with its own vertices; degenerate ones are skipped.
    void FlatTriangle(Vec3 a, Vec3 b, Vec3 c, uint32_t material);
    // A flat quad a-b-c-d (wound like a triangle), as two triangles.
    void FlatQuad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, uint32_t material);

    // Transforms the vertices from `firstVertex` on.
    void Transform(const Affine& transform, size_t firstVertex = 0);
    // Averages the face normals of shared vertices, for faces from `firstFace`.
    void SmoothNormals(size_t firstFace = 0);
    const std::vector<Vertex>& Vertices() const { return vertices_; }
    std::vector<Vertex>& Vertices() { return vertices_; }
    const std::vector<Face>& Faces() const { return faces_; }
    const std::vector<Material>& Materials() const { return materials_; }
    std::vector<Material>& Materials() { return materials_; }

    Bounds ComputeBounds() const;
    // Volume enclosed, positive when every face is wound outwards.
    double SignedVolume() const;

private:
    std::vector<Vertex> vertices_;
    std::vector<Face> faces_;
    std::vector<Material> materials_;
};

// Writes the mesh as a text .x file whose single frame is called `name`.
std::string WriteXFile(const Mesh& mesh, const std::string& name);

}  // namespace contentgen
