#include "gamelib/edgerender.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <unordered_map>

#include "gamelib/libman.h"
#include "platform/device.h"
#include "platform/message_box.h"

int32_t outlineEdgesEnabled = 0;
TEdgeRender* theEdgeRender = nullptr;

namespace {

constexpr float kAdjacencyEpsilon = 0.1f;

Vector3 Position(const MeshVertex& v) { return {v.x, v.y, v.z}; }
Vector3 Normal(const MeshVertex& v) { return {v.nx, v.ny, v.nz}; }

Vector3 FaceNormal(const D3DXMesh& mesh, uint32_t face) {
    const auto& v = mesh.Vertices();
    const auto& idx = mesh.Indices();
    Vector3 p0 = Position(v[idx[face * 3]]), p1 = Position(v[idx[face * 3 + 1]]), p2 = Position(v[idx[face * 3 + 2]]);
    return D3DXVec3Normalize(D3DXVec3Cross(p1 - p0, p2 - p0));
}

uint64_t CellKey(int64_t x, int64_t y, int64_t z) {
    constexpr uint64_t mask = (uint64_t(1) << 21) - 1;
    return (uint64_t(x) & mask) << 42 | (uint64_t(y) & mask) << 21 | (uint64_t(z) & mask);
}

// The grid cell of one coordinate; coordinates beyond any real mesh, and NaN
// (which is near nothing), share the outermost cells.
int64_t Cell(float coordinate, float epsilon) {
    constexpr double kLimit = 1e15;
    const double cell = std::floor(double(coordinate) / epsilon);
    return std::isnan(cell) ? 0 : int64_t(std::clamp(cell, -kLimit, kLimit));
}

// For every vertex, the first vertex closer than epsilon (itself if none).
std::vector<uint32_t> PointRepresentatives(const std::vector<MeshVertex>& vertices, float epsilon) {
    std::vector<uint32_t> rep(vertices.size());
    std::unordered_map<uint64_t, std::vector<uint32_t>> grid;
    for (uint32_t i = 0; i < vertices.size(); ++i) {
        rep[i] = i;
        Vector3 p = Position(vertices[i]);
        const int64_t cx = Cell(p.x, epsilon), cy = Cell(p.y, epsilon), cz = Cell(p.z, epsilon);
        bool found = false;
        for (int64_t dx = -1; dx <= 1 && !found; ++dx)
            for (int64_t dy = -1; dy <= 1 && !found; ++dy)
                for (int64_t dz = -1; dz <= 1 && !found; ++dz) {
                    auto cell = grid.find(CellKey(cx + dx, cy + dy, cz + dz));
                    if (cell == grid.end()) continue;
                    for (uint32_t j : cell->second)
                        if (D3DXVec3Length(Position(vertices[j]) - p) < epsilon) {
                            rep[i] = rep[j];
                            found = true;
                            break;
                        }
                }
        grid[CellKey(cx, cy, cz)].push_back(i);
    }
    return rep;
}

}  // namespace

std::vector<uint32_t> GenerateAdjacency(const D3DXMesh& mesh, float epsilon) {
    const auto& idx = mesh.Indices();
    uint32_t faces = mesh.GetNumFaces();
    std::vector<uint32_t> rep;
    if (epsilon > 0) {
        rep = PointRepresentatives(mesh.Vertices(), epsilon);
    } else {
        rep.resize(mesh.GetNumVertices());
        for (uint32_t i = 0; i < rep.size(); ++i) rep[i] = i;
    }
    auto edgeKey = [&](uint32_t face, uint32_t k) {
        uint32_t a = rep[idx[face * 3 + k]], b = rep[idx[face * 3 + (k + 1) % 3]];
        return a < b ? uint64_t(a) << 32 | b : uint64_t(b) << 32 | a;
    };
    std::unordered_map<uint64_t, std::vector<uint32_t>> edges;  // key -> face edges (3f + k)
    for (uint32_t f = 0; f < faces; ++f)
        for (uint32_t k = 0; k < 3; ++k) edges[edgeKey(f, k)].push_back(f * 3 + k);

    std::vector<uint32_t> adjacency(size_t(faces) * 3, ADJACENCY_NONE);
    for (uint32_t f = 0; f < faces; ++f)
        for (uint32_t k = 0; k < 3; ++k) {
            uint64_t key = edgeKey(f, k);
            if ((key >> 32) == (key & 0xFFFFFFFFu)) continue;  // collapsed edge
            for (uint32_t other : edges[key])
                if (other / 3 != f) {
                    adjacency[f * 3 + k] = other / 3;
                    break;
                }
        }
    return adjacency;
}

// ---- SilhouetteEdges -------------------------------------------------------

SilhouetteEdges::SilhouetteEdges(Device* device, const D3DXMesh& mesh, const std::vector<uint32_t>& adjacency)
    : device_(device) {
    uint32_t faces = mesh.GetNumFaces();
    vertexCount = 12 * faces;
    triangleCount = 6 * faces;
    BuildEdgeVertices(mesh, adjacency);
    BuildEdgeIndices(faces);
    CreateEdgeDeclaration();
}

void SilhouetteEdges::BuildEdgeVertices(const D3DXMesh& mesh, const std::vector<uint32_t>& adjacency) {
    vertexBuffer_ = std::make_unique<VertexBuffer>(vertexCount * sizeof(EdgeVertex), 0, sizeof(EdgeVertex));
    void* data = nullptr;
    vertexBuffer_->Lock(0, 0, &data);
    EdgeVertex* out = static_cast<EdgeVertex*>(data);
    const auto& v = mesh.Vertices();
    const auto& idx = mesh.Indices();
    static constexpr uint32_t kCorners[3][2] = {{0, 1}, {1, 2}, {0, 2}};
    for (uint32_t f = 0; f < mesh.GetNumFaces(); ++f) {
        Vector3 n = FaceNormal(mesh, f);
        for (uint32_t k = 0; k < 3; ++k) {
            // Edge k joins corners k and k+1; edge 2 is written from corner 0 to 2.
            uint32_t neighbour = adjacency[f * 3 + k];
            Vector3 m = (neighbour & 0xFFFF) == 0xFFFF ? -n : FaceNormal(mesh, neighbour);
            const MeshVertex& a = v[idx[f * 3 + kCorners[k][0]]];
            const MeshVertex& b = v[idx[f * 3 + kCorners[k][1]]];
            EdgeVertex* q = out + 12 * f + 4 * k;
            q[0] = {Position(a), {}, n, m};
            q[1] = {Position(b), {}, n, m};
            q[2] = {Position(a), Normal(a), n, m};
            q[3] = {Position(b), Normal(b), n, m};
        }
    }
    vertexBuffer_->Unlock();
}

void SilhouetteEdges::BuildEdgeIndices(uint32_t faces) {
    std::vector<uint32_t> indices;
    indices.reserve(size_t(faces) * 18);
    for (uint32_t q = 0; q < faces * 3; ++q) {
        uint32_t b = 4 * q;
        indices.insert(indices.end(), {b, b + 1, b + 2, b + 1, b + 3, b + 2});
    }
    indexBuffer_ = std::make_unique<IndexBuffer>(std::move(indices));
}

void SilhouetteEdges::CreateEdgeDeclaration() {
    declaration_ = std::make_unique<VertexDeclaration>(std::vector<VertexElement>{
        {0, DeclType::Float3, DeclUsage::Position, 0},
        {12, DeclType::Float3, DeclUsage::Normal, 0},
        {24, DeclType::Float3, DeclUsage::Normal, 1},
        {36, DeclType::Float3, DeclUsage::Normal, 2},
    });
}

HRESULT SilhouetteEdges::DrawEdges() const {
    if (!device_) return D3DERR_INVALIDCALL;
    device_->SetVertexDeclaration(declaration_.get());
    return device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, *vertexBuffer_, *indexBuffer_, 0, triangleCount);
}

std::shared_ptr<SilhouetteEdges> MakeSilhouetteEdges(Device* device, const D3DXMesh& mesh) {
    if (mesh.GetNumFaces() > MAX_EDGE_FACES) return nullptr;
    return std::make_shared<SilhouetteEdges>(device, mesh, GenerateAdjacency(mesh, kAdjacencyEpsilon));
}

// ---- TEdgeRender -----------------------------------------------------------

TEdgeRender::TEdgeRender(Device* device) : device_(device) {}

TEdgeRender::~TEdgeRender() { active = 0; }

bool TEdgeRender::LoadOutlineShader() {
    TLibEntry* entry = LibGetFile("shaders\\outline.txt");
    if (!entry) {
        MessageBox("Unable to load outline shader", "error");
        return false;
    }
    std::string source(reinterpret_cast<const char*>(entry->data), entry->length);
    LibReleaseFile(entry);
    std::string messages;
    shader_ = device_ ? device_->CreateVertexShader(source, messages) : nullptr;
    if (!messages.empty()) MessageBox(messages, "");
    if (!shader_) return false;
    active = 1;
    return true;
}

std::shared_ptr<SilhouetteEdges> TEdgeRender::BuildEdges(const D3DXMesh& mesh) const {
    return active ? MakeSilhouetteEdges(device_, mesh) : nullptr;
}

bool TEdgeRender::RenderOutline(const SilhouetteEdges* edges, const Matrix4& world) {
    if (!active || !edges) return false;
    Matrix4 worldView = world * viewMatrix;
    device_->SetVertexShader(shader_.get());
    device_->SetTexture(0, nullptr);
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    const float color[4] = {0.0f, 0.9f, 0.95f, 1.0f};
    device_->SetVertexShaderConstantF("Color", color, 1);
    device_->SetVertexShaderConstantF("WorldViewMatrix", &worldView.m[0][0], 4);
    device_->SetVertexShaderConstantF("ProjMatrix", &projMatrix.m[0][0], 4);
    edges->DrawEdges();
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    device_->SetVertexShader(nullptr);
    return true;
}
