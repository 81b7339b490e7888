#include "mesh.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace contentgen {

Material Coloured(Rgb colour, float glow, float shine, float power) {
    Material m;
    m.diffuse = colour;
    m.emissive = colour * glow;
    m.specular = {shine, shine, shine};
    m.power = power;
    return m;
}

float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
float Length(Vec3 a) { return std::sqrt(Dot(a, a)); }
Vec3 Normalized(Vec3 a) {
    float len = Length(a);
    return len > 1e-12f ? a * (1.0f / len) : Vec3{0, 0, -1};
}

Vec3 Affine::Point(Vec3 p) const { return Direction(p) + t; }

Vec3 Affine::Direction(Vec3 d) const {
    return {m[0][0] * d.x + m[0][1] * d.y + m[0][2] * d.z, m[1][0] * d.x + m[1][1] * d.y + m[1][2] * d.z,
            m[2][0] * d.x + m[2][1] * d.y + m[2][2] * d.z};
}

Vec3 Affine::Normal(Vec3 n) const {
    // The cofactor matrix is the inverse transpose up to a positive factor
    // (or a negative one for mirrors, which the sign of the determinant fixes).
    float c[3][3];
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            int i1 = (i + 1) % 3, i2 = (i + 2) % 3, j1 = (j + 1) % 3, j2 = (j + 2) % 3;
            c[i][j] = m[i1][j1] * m[i2][j2] - m[i1][j2] * m[i2][j1];
        }
    }
    float det = m[0][0] * c[0][0] + m[0][1] * c[0][1] + m[0][2] * c[0][2];
    Vec3 out{c[0][0] * n.x + c[0][1] * n.y + c[0][2] * n.z, c[1][0] * n.x + c[1][1] * n.y + c[1][2] * n.z,
             c[2][0] * n.x + c[2][1] * n.y + c[2][2] * n.z};
    return Normalized(det < 0 ? -out : out);
}

Affine Affine::After(const Affine& first) const {
    Affine out;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            out.m[i][j] = m[i][0] * first.m[0][j] + m[i][1] * first.m[1][j] + m[i][2] * first.m[2][j];
    out.t = Point(first.t);
    return out;
}

Affine Affine::Translate(Vec3 d) {
    Affine a;
    a.t = d;
    return a;
}

Affine Affine::Scale(float sx, float sy, float sz) {
    Affine a;
    a.m[0][0] = sx;
    a.m[1][1] = sy;
    a.m[2][2] = sz;
    return a;
}

Affine Affine::RotateX(float angle) {
    Affine a;
    float c = std::cos(angle), s = std::sin(angle);
    a.m[1][1] = c;
    a.m[1][2] = -s;
    a.m[2][1] = s;
    a.m[2][2] = c;
    return a;
}

Affine Affine::RotateY(float angle) {
    Affine a;
    float c = std::cos(angle), s = std::sin(angle);
    a.m[0][0] = c;
    a.m[0][2] = s;
    a.m[2][0] = -s;
    a.m[2][2] = c;
    return a;
}

Affine Affine::RotateZ(float angle) {
    Affine a;
    float c = std::cos(angle), s = std::sin(angle);
    a.m[0][0] = c;
    a.m[0][1] = -s;
    a.m[1][0] = s;
    a.m[1][1] = c;
    return a;
}

Affine Affine::AlignY(Vec3 direction) {
    Vec3 y = Normalized(direction);
    Vec3 helper = std::fabs(y.z) < 0.9f ? Vec3{0, 0, 1} : Vec3{1, 0, 0};
    Vec3 x = Normalized(Cross(y, helper));
    Vec3 z = Cross(x, y);
    Affine a;
    // Columns are the images of the x, y and z axes.
    a.m[0][0] = x.x, a.m[1][0] = x.y, a.m[2][0] = x.z;
    a.m[0][1] = y.x, a.m[1][1] = y.y, a.m[2][1] = y.z;
    a.m[0][2] = z.x, a.m[1][2] = z.y, a.m[2][2] = z.z;
    return a;
}

uint32_t Mesh::AddMaterial(const Material& material) {
    materials_.push_back(material);
    return static_cast<uint32_t>(materials_.size() - 1);
}

uint32_t Mesh::AddVertex(const Vertex& vertex) {
    vertices_.push_back(vertex);
    return static_cast<uint32_t>(vertices_.size() - 1);
}

void Mesh::AddFace(uint32_t a, uint32_t b, uint32_t c, uint32_t material) {
    if (material >= materials_.size()) throw std::logic_error("face names a missing material");
    faces_.push_back({a, b, c, material});
}

void Mesh::FlatTriangle(Vec3 a, Vec3 b, Vec3 c, uint32_t material) {
    Vec3 n = Cross(b - a, c - a);
    if (Length(n) < 1e-9f) return;
    n = Normalized(n);
    uint32_t ia = AddVertex({a, n}), ib = AddVertex({b, n}), ic = AddVertex({c, n});
    AddFace(ia, ib, ic, material);
}

void Mesh::FlatQuad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, uint32_t material) {
    FlatTriangle(a, b, c, material);
    FlatTriangle(a, c, d, material);
}

void Mesh::Transform(const Affine& transform, size_t firstVertex) {
    for (size_t i = firstVertex; i < vertices_.size(); ++i) {
        vertices_[i].position = transform.Point(vertices_[i].position);
        vertices_[i].normal = transform.Normal(vertices_[i].normal);
    }
}

void Mesh::SmoothNormals(size_t firstFace) {
    std::vector<Vec3> sum(vertices_.size());
    std::vector<bool> touched(vertices_.size(), false);
    for (size_t i = firstFace; i < faces_.size(); ++i) {
        const Face& f = faces_[i];
        Vec3 n =
            Cross(vertices_[f.b].position - vertices_[f.a].position, vertices_[f.c].position - vertices_[f.a].position);
        for (uint32_t v : {f.a, f.b, f.c}) {
            sum[v] = sum[v] + n;
            touched[v] = true;
        }
    }
    for (size_t v = 0; v < vertices_.size(); ++v)
        if (touched[v]) vertices_[v].normal = Normalized(sum[v]);
}

Bounds Mesh::ComputeBounds() const {
    Bounds b;
    if (vertices_.empty()) return b;
    b.minimum = b.maximum = vertices_[0].position;
    Vec3 sum;
    for (const Vertex& v : vertices_) {
        sum = sum + v.position;
        b.minimum = {std::min(b.minimum.x, v.position.x), std::min(b.minimum.y, v.position.y),
                     std::min(b.minimum.z, v.position.z)};
        b.maximum = {std::max(b.maximum.x, v.position.x), std::max(b.maximum.y, v.position.y),
                     std::max(b.maximum.z, v.position.z)};
    }
    b.centre = sum * (1.0f / static_cast<float>(vertices_.size()));
    for (const Vertex& v : vertices_) b.radius = std::max(b.radius, Length(v.position - b.centre));
    return b;
}

double Mesh::SignedVolume() const {
    double volume = 0;
    for (const Face& f : faces_) {
        Vec3 a = vertices_[f.a].position, b = vertices_[f.b].position, c = vertices_[f.c].position;
        volume += Dot(a, Cross(b, c)) / 6.0;
    }
    return volume;
}

namespace {

void Append(std::string& out, const char* format, double a, double b = 0, double c = 0, double d = 0) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, format, a, b, c, d);
    out += buffer;
}

std::string Separator(size_t i, size_t n) { return i + 1 < n ? ",\n" : ";\n"; }

}  // namespace

std::string WriteXFile(const Mesh& mesh, const std::string& name) {
    const auto& vertices = mesh.Vertices();
    const auto& faces = mesh.Faces();
    std::string out = "xof 0303txt 0032\n\n";
    out += "Frame " + name + " {\n";
    out += "  FrameTransformMatrix {\n    1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0;;\n  }\n";
    out += "  Mesh " + name + "_mesh {\n";
    out += "    " + std::to_string(vertices.size()) + ";\n";
    for (size_t i = 0; i < vertices.size(); ++i) {
        const Vec3& p = vertices[i].position;
        Append(out, "    %.5f;%.5f;%.5f;", p.x, p.y, p.z);
        out += Separator(i, vertices.size());
    }
    out += "    " + std::to_string(faces.size()) + ";\n";
    auto faceList = [&](std::string& text) {
        for (size_t i = 0; i < faces.size(); ++i) {
            text += "    3;" + std::to_string(faces[i].a) + "," + std::to_string(faces[i].b) + "," +
                    std::to_string(faces[i].c) + ";";
            text += Separator(i, faces.size());
        }
    };
    faceList(out);
    out += "    MeshNormals {\n    " + std::to_string(vertices.size()) + ";\n";
    for (size_t i = 0; i < vertices.size(); ++i) {
        const Vec3& n = vertices[i].normal;
        Append(out, "    %.5f;%.5f;%.5f;", n.x, n.y, n.z);
        out += Separator(i, vertices.size());
    }
    out += "    " + std::to_string(faces.size()) + ";\n";
    faceList(out);
    out += "    }\n";
    out += "    MeshTextureCoords {\n    " + std::to_string(vertices.size()) + ";\n";
    for (size_t i = 0; i < vertices.size(); ++i) {
        Append(out, "    %.5f;%.5f;", vertices[i].u, vertices[i].v);
        out += Separator(i, vertices.size());
    }
    out += "    }\n";
    const auto& materials = mesh.Materials();
    out += "    MeshMaterialList {\n    " + std::to_string(materials.size()) + ";\n    " +
           std::to_string(faces.size()) + ";\n";
    for (size_t i = 0; i < faces.size(); ++i)
        out += "    " + std::to_string(faces[i].material) + Separator(i, faces.size());
    for (const Material& m : materials) {
        out += "    Material {\n";
        Append(out, "      %.4f;%.4f;%.4f;%.4f;;\n", m.diffuse.r, m.diffuse.g, m.diffuse.b, m.alpha);
        Append(out, "      %.4f;\n", m.power);
        Append(out, "      %.4f;%.4f;%.4f;;\n", m.specular.r, m.specular.g, m.specular.b);
        Append(out, "      %.4f;%.4f;%.4f;;\n", m.emissive.r, m.emissive.g, m.emissive.b);
        if (!m.texture.empty()) out += "      TextureFilename {\n        \"" + m.texture + "\";\n      }\n";
        out += "    }\n";
    }
    out += "    }\n  }\n}\n";
    return out;
}

}  // namespace contentgen
