#include "gamelib/xfile.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "gamelib/xfile_text.h"

namespace {

// A 4x4 transform for column vectors, t[row][column], translation in the
// last column. The arithmetic below keeps a fixed order of operations so
// that vertices come out bit for bit the same on every build.
struct Transform {
    float t[4][4];

    static Transform Identity() {
        Transform m{};
        for (int i = 0; i < 4; ++i) m.t[i][i] = 1.0f;
        return m;
    }

    // A .x matrix is written for row vectors: its transpose.
    static Transform FromFile(const std::array<float, 16>& written) {
        Transform m{};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) m.t[r][c] = written[size_t(c * 4 + r)];
        return m;
    }

    Transform Then(const Transform& local) const {
        Transform p{};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                p.t[r][c] = local.t[0][c] * t[r][0] + local.t[1][c] * t[r][1] + local.t[2][c] * t[r][2] +
                            local.t[3][c] * t[r][3];
        return p;
    }
};

// The inverse transpose of a transform's 3x3 part, which turns normals; NaN
// throughout for a transform that flattens space.
struct NormalTransform {
    float n[3][3];

    explicit NormalTransform(const Transform& m) {
        const auto& a = m.t;
        const float det = a[0][0] * a[1][1] * a[2][2] - a[0][0] * a[1][2] * a[2][1] + a[0][1] * a[1][2] * a[2][0] -
                          a[0][1] * a[1][0] * a[2][2] + a[0][2] * a[1][0] * a[2][1] - a[0][2] * a[1][1] * a[2][0];
        if (det == 0.0f) {
            for (auto& row : n)
                for (float& v : row) v = std::numeric_limits<float>::quiet_NaN();
            return;
        }
        const float inv = 1.0f / det;
        float i[3][3];
        i[0][0] = inv * (a[1][1] * a[2][2] - a[1][2] * a[2][1]);
        i[0][1] = -inv * (a[0][1] * a[2][2] - a[0][2] * a[2][1]);
        i[0][2] = inv * (a[0][1] * a[1][2] - a[0][2] * a[1][1]);
        i[1][0] = -inv * (a[1][0] * a[2][2] - a[1][2] * a[2][0]);
        i[1][1] = inv * (a[0][0] * a[2][2] - a[0][2] * a[2][0]);
        i[1][2] = -inv * (a[0][0] * a[1][2] - a[0][2] * a[1][0]);
        i[2][0] = inv * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
        i[2][1] = -inv * (a[0][0] * a[2][1] - a[0][1] * a[2][0]);
        i[2][2] = inv * (a[0][0] * a[1][1] - a[0][1] * a[1][0]);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) n[r][c] = i[c][r];
    }
};

void Place(const Transform& m, const float* p, MeshVertex& v) {
    const auto& a = m.t;
    v.x = a[0][0] * p[0] + a[0][1] * p[1] + a[0][2] * p[2] + a[0][3];
    v.y = a[1][0] * p[0] + a[1][1] * p[1] + a[1][2] * p[2] + a[1][3];
    v.z = a[2][0] * p[0] + a[2][1] * p[1] + a[2][2] * p[2] + a[2][3];
}

// Turned, then scaled to unit length unless it is of none.
void Turn(const NormalTransform& m, const float* d, MeshVertex& v) {
    const auto& a = m.n;
    float x = a[0][0] * d[0] + a[0][1] * d[1] + a[0][2] * d[2];
    float y = a[1][0] * d[0] + a[1][1] * d[1] + a[1][2] * d[2];
    float z = a[2][0] * d[0] + a[2][1] * d[1] + a[2][2] * d[2];
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length > 0.0f) {
        const float scale = 1.0f / length;
        x *= scale, y *= scale, z *= scale;
    }
    v.nx = x, v.ny = y, v.nz = z;
}

// Corners at one position within a subset are one vertex when their normals
// (as written) and texture coordinates differ by at most 1e-5: exporters
// write a shared corner's normal rounded differently from face to face.
struct PositionKey {
    float p[3];
    bool operator==(const PositionKey& o) const { return p[0] == o.p[0] && p[1] == o.p[1] && p[2] == o.p[2]; }
};

struct PositionHash {
    size_t operator()(const PositionKey& k) const {
        size_t h = 0;
        for (float value : k.p) {
            uint32_t bits;
            const float plain = value + 0.0f;  // -0 hashes as +0
            std::memcpy(&bits, &plain, 4);
            h = h * 1000003u ^ bits;
        }
        return h;
    }
};

struct JoinedCorner {
    float normal[3];
    float uv[2];
    uint32_t vertex;
};

bool Close(const float* a, const float* b, int n) {
    constexpr float kEpsilon = 1e-5f;
    float square = 0;
    for (int i = 0; i < n; ++i) square += (a[i] - b[i]) * (a[i] - b[i]);
    return !(square > kEpsilon * kEpsilon);
}

using CornerJoin = std::unordered_map<PositionKey, std::vector<JoinedCorner>, PositionHash>;

struct VertexHash {
    size_t operator()(const MeshVertex& v) const {
        uint32_t words[8];
        std::memcpy(words, &v, sizeof words);
        size_t h = 0;
        for (uint32_t w : words) h = h * 1000003u ^ w;
        return h;
    }
};

struct VertexBits {
    bool operator()(const MeshVertex& a, const MeshVertex& b) const { return std::memcmp(&a, &b, sizeof a) == 0; }
};

class MeshBuilder {
public:
    explicit MeshBuilder(XFileMesh& out) : out_(out) {}

    // Materials first, so that faces know their numbers.
    void NumberMaterials(const XScene& scene) {
        for (const XFrame& frame : scene.frames) NumberFrameMaterials(frame);
        for (const XMesh& mesh : scene.meshes) NumberMeshMaterials(mesh);
        if (out_.materials.empty()) AddMaterial(DefaultMaterial(), "");
    }

    void AddScene(const XScene& scene) {
        const Transform top = Transform::Identity().Then(Transform::Identity());
        for (const XMesh& mesh : scene.meshes) AddMesh(mesh, top);
        for (const XFrame& frame : scene.frames) AddFrame(frame, top);
    }

private:
    XFileMesh& out_;
    std::unordered_map<const XMesh*, uint32_t> firstMaterial_;
    std::unordered_map<MeshVertex, uint32_t, VertexHash, VertexBits> shared_;

    static XMaterial DefaultMaterial() {
        XMaterial grey;
        grey.diffuse = {0.5f, 0.5f, 0.5f, 1.0f};
        grey.power = 1.0f;
        return grey;
    }

    void AddMaterial(const XMaterial& m, const std::string& texture) {
        D3DMATERIAL9 d{};
        d.Diffuse = {m.diffuse[0], m.diffuse[1], m.diffuse[2], m.diffuse[3]};
        d.Ambient = d.Diffuse;
        d.Specular = {m.specular[0], m.specular[1], m.specular[2], 1.0f};
        d.Emissive = {m.emissive[0], m.emissive[1], m.emissive[2], 1.0f};
        d.Power = m.power;
        out_.materials.push_back(d);
        out_.textureNames.push_back(texture);
    }

    void NumberMeshMaterials(const XMesh& mesh) {
        firstMaterial_[&mesh] = uint32_t(out_.materials.size());
        for (const XMaterial& m : mesh.materials) AddMaterial(m, m.texture);
    }

    void NumberFrameMaterials(const XFrame& frame) {
        for (const XMesh& mesh : frame.meshes) NumberMeshMaterials(mesh);
        for (const XFrame& child : frame.frames) NumberFrameMaterials(child);
    }

    void AddFrame(const XFrame& frame, const Transform& parent) {
        const Transform transform =
            parent.Then(frame.hasMatrix ? Transform::FromFile(frame.matrix) : Transform::Identity());
        for (const XMesh& mesh : frame.meshes) AddMesh(mesh, transform);
        for (const XFrame& child : frame.frames) AddFrame(child, transform);
    }

    uint32_t Share(const MeshVertex& v) {
        const auto [it, inserted] = shared_.try_emplace(v, uint32_t(out_.vertices.size()));
        if (inserted) out_.vertices.push_back(v);
        return it->second;
    }

    void AddMesh(const XMesh& mesh, const Transform& transform) {
        const NormalTransform normals(transform);
        std::vector<size_t> firstCorner(mesh.faces.cornerCounts.size());
        for (size_t f = 1; f < firstCorner.size(); ++f)
            firstCorner[f] = firstCorner[f - 1] + mesh.faces.cornerCounts[f - 1];
        const size_t subsets = std::max<size_t>(mesh.materials.size(), 1);
        for (uint32_t subset = 0; subset < subsets; ++subset) {
            const uint32_t material = mesh.faceMaterials.empty() ? 0 : firstMaterial_.at(&mesh) + subset;
            CornerJoin corners;
            std::vector<uint32_t> polygon;
            for (size_t f = 0; f < mesh.faces.cornerCounts.size(); ++f) {
                if (!mesh.faceMaterials.empty() && mesh.faceMaterials[f] != subset) continue;
                polygon.clear();
                for (size_t k = firstCorner[f]; k < firstCorner[f] + mesh.faces.cornerCounts[f]; ++k)
                    polygon.push_back(AddCorner(mesh, k, transform, normals, corners));
                for (size_t k = 1; k + 1 < polygon.size(); ++k) {
                    out_.indices.insert(out_.indices.end(), {polygon[0], polygon[k], polygon[k + 1]});
                    out_.attributes.push_back(material);
                }
            }
        }
    }

    uint32_t AddCorner(const XMesh& mesh, size_t k, const Transform& transform, const NormalTransform& normals,
                       CornerJoin& corners) {
        const uint32_t index = mesh.faces.corners[k];
        const float* position = &mesh.positions[3 * size_t(index)];
        const float* normal = mesh.hasNormals ? &mesh.normals[3 * size_t(mesh.normalFaces.corners[k])] : nullptr;
        const float* uv = mesh.textureCoords.empty() ? nullptr : &mesh.textureCoords[2 * size_t(index)];
        JoinedCorner corner{};
        if (normal) std::copy(normal, normal + 3, corner.normal);
        if (uv) {
            // Read as distance from the bottom and back: v = 1 - (1 - v),
            // rounded twice.
            const float fromBottom = 1.0f - uv[1];
            corner.uv[0] = uv[0];
            corner.uv[1] = 1.0f - fromBottom;
        }
        std::vector<JoinedCorner>& here = corners[PositionKey{{position[0], position[1], position[2]}}];
        for (auto it = here.rbegin(); it != here.rend(); ++it)
            if (Close(it->normal, corner.normal, 3) && Close(it->uv, corner.uv, 2)) return it->vertex;
        MeshVertex v{};
        Place(transform, position, v);
        if (normal) Turn(normals, normal, v);
        v.u = corner.uv[0];
        v.v = corner.uv[1];
        corner.vertex = Share(v);
        here.push_back(corner);
        return corner.vertex;
    }
};

}  // namespace

std::optional<XFileMesh> ParseXFile(const uint8_t* bytes, size_t length, std::string* why) {
    if (!bytes) {
        if (why) *why = "no bytes";
        return std::nullopt;
    }
    const std::optional<XScene> scene =
        ReadXScene(std::string_view(reinterpret_cast<const char*>(bytes), length), why);
    if (!scene) return std::nullopt;
    XFileMesh mesh;
    MeshBuilder builder(mesh);
    builder.NumberMaterials(*scene);
    builder.AddScene(*scene);
    return mesh;
}
