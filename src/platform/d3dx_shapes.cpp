#include "platform/d3dx_shapes.h"

#include <cfloat>
#include <algorithm>
#include <cmath>

namespace {

constexpr float kPi = 3.14159265358979f;

MeshVertex MakeVertex(const Vector3& p, const Vector3& n) { return {p.x, p.y, p.z, n.x, n.y, n.z, 0, 0}; }

}  // namespace

std::shared_ptr<D3DXMesh> D3DXCreateSphere(Device*, float radius, uint32_t slices, uint32_t stacks) {
    slices = std::max(slices, 3u);
    stacks = std::max(stacks, 2u);
    std::vector<MeshVertex> v;
    std::vector<uint32_t> idx;
    v.push_back(MakeVertex({0, 0, radius}, {0, 0, 1}));
    for (uint32_t i = 1; i < stacks; ++i) {
        float phi = kPi * i / stacks;
        for (uint32_t j = 0; j < slices; ++j) {
            float theta = 2 * kPi * j / slices;
            Vector3 n{std::sin(phi) * std::cos(theta), std::sin(phi) * std::sin(theta), std::cos(phi)};
            v.push_back(MakeVertex(n * radius, n));
        }
    }
    v.push_back(MakeVertex({0, 0, -radius}, {0, 0, -1}));
    uint32_t bottom = static_cast<uint32_t>(v.size() - 1);
    auto ring = [&](uint32_t stack, uint32_t slice) { return 1 + (stack - 1) * slices + slice % slices; };
    // Front faces are clockwise seen from outside: cross(v1 - v0, v2 - v0)
    // points out of the surface in left-handed coordinates.
    for (uint32_t j = 0; j < slices; ++j) idx.insert(idx.end(), {0u, ring(1, j), ring(1, j + 1)});
    for (uint32_t i = 1; i + 1 < stacks; ++i)
        for (uint32_t j = 0; j < slices; ++j) {
            idx.insert(idx.end(), {ring(i, j), ring(i + 1, j), ring(i, j + 1)});
            idx.insert(idx.end(), {ring(i, j + 1), ring(i + 1, j), ring(i + 1, j + 1)});
        }
    for (uint32_t j = 0; j < slices; ++j) idx.insert(idx.end(), {bottom, ring(stacks - 1, j + 1), ring(stacks - 1, j)});
    return std::make_shared<D3DXMesh>(std::move(v), std::move(idx), std::vector<uint32_t>{});
}

std::shared_ptr<D3DXMesh> D3DXCreateCylinder(Device*, float radius1, float radius2, float length, uint32_t slices,
                                             uint32_t stacks) {
    slices = std::max(slices, 3u);
    stacks = std::max(stacks, 1u);
    std::vector<MeshVertex> v;
    std::vector<uint32_t> idx;
    float half = length / 2;
    float slope = (radius1 - radius2) / (length == 0 ? 1 : length);
    for (uint32_t i = 0; i <= stacks; ++i) {
        float t = float(i) / stacks;
        float z = -half + length * t;
        float r = radius1 + (radius2 - radius1) * t;
        for (uint32_t j = 0; j < slices; ++j) {
            float theta = 2 * kPi * j / slices;
            Vector3 n = D3DXVec3Normalize({std::cos(theta), std::sin(theta), slope});
            v.push_back(MakeVertex({r * std::cos(theta), r * std::sin(theta), z}, n));
        }
    }
    auto at = [&](uint32_t i, uint32_t j) { return i * slices + j % slices; };
    for (uint32_t i = 0; i < stacks; ++i)
        for (uint32_t j = 0; j < slices; ++j) {
            idx.insert(idx.end(), {at(i, j), at(i, j + 1), at(i + 1, j)});
            idx.insert(idx.end(), {at(i, j + 1), at(i + 1, j + 1), at(i + 1, j)});
        }
    for (int cap = 0; cap < 2; ++cap) {
        float z = cap ? half : -half;
        float r = cap ? radius2 : radius1;
        uint32_t centre = static_cast<uint32_t>(v.size());
        v.push_back(MakeVertex({0, 0, z}, {0, 0, cap ? 1.f : -1.f}));
        for (uint32_t j = 0; j < slices; ++j) {
            float theta = 2 * kPi * j / slices;
            v.push_back(MakeVertex({r * std::cos(theta), r * std::sin(theta), z}, {0, 0, cap ? 1.f : -1.f}));
        }
        for (uint32_t j = 0; j < slices; ++j) {
            uint32_t a = centre + 1 + j, b = centre + 1 + (j + 1) % slices;
            if (cap)
                idx.insert(idx.end(), {centre, a, b});
            else
                idx.insert(idx.end(), {centre, b, a});
        }
    }
    return std::make_shared<D3DXMesh>(std::move(v), std::move(idx), std::vector<uint32_t>{});
}

bool D3DXComputeBoundingSphere(const MeshVertex* vertices, uint32_t count, Vector3& centre, float& radius) {
    if (!vertices || count == 0) return false;
    double sx = 0, sy = 0, sz = 0;
    for (uint32_t i = 0; i < count; ++i) sx += vertices[i].x, sy += vertices[i].y, sz += vertices[i].z;
    centre = {float(sx / count), float(sy / count), float(sz / count)};
    float best = 0;
    for (uint32_t i = 0; i < count; ++i) {
        Vector3 d{vertices[i].x - centre.x, vertices[i].y - centre.y, vertices[i].z - centre.z};
        best = std::max(best, D3DXVec3LengthSq(d));
    }
    radius = std::sqrt(best);
    return true;
}

bool D3DXComputeBoundingBox(const MeshVertex* vertices, uint32_t count, Vector3& minimum, Vector3& maximum) {
    if (!vertices || count == 0) return false;
    minimum = {FLT_MAX, FLT_MAX, FLT_MAX};
    maximum = {-FLT_MAX, -FLT_MAX, -FLT_MAX};
    for (uint32_t i = 0; i < count; ++i) {
        minimum = {std::min(minimum.x, vertices[i].x), std::min(minimum.y, vertices[i].y), std::min(minimum.z, vertices[i].z)};
        maximum = {std::max(maximum.x, vertices[i].x), std::max(maximum.y, vertices[i].y), std::max(maximum.z, vertices[i].z)};
    }
    return true;
}

void D3DXComputeNormals(D3DXMesh& mesh) {
    MeshVertex* v = mesh.LockVertexBuffer();
    uint32_t n = mesh.GetNumVertices();
    std::vector<Vector3> sum(n);
    const std::vector<uint32_t>& idx = mesh.Indices();
    for (size_t f = 0; f + 2 < idx.size(); f += 3) {
        const MeshVertex &a = v[idx[f]], &b = v[idx[f + 1]], &c = v[idx[f + 2]];
        Vector3 e1{b.x - a.x, b.y - a.y, b.z - a.z}, e2{c.x - a.x, c.y - a.y, c.z - a.z};
        Vector3 fn = D3DXVec3Normalize(D3DXVec3Cross(e1, e2));
        for (int k = 0; k < 3; ++k) sum[idx[f + k]] += fn;
    }
    for (uint32_t i = 0; i < n; ++i) {
        Vector3 nn = D3DXVec3Normalize(sum[i]);
        v[i].nx = nn.x, v[i].ny = nn.y, v[i].nz = nn.z;
    }
    mesh.UnlockVertexBuffer();
}
