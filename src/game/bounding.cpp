#include "game/bounding.h"

#include "framework/engine_utils.h"
#include "gamelib/mesh.h"
#include "platform/d3dx_shapes.h"

bool ComputeBoundingSphere(const D3DXMesh* mesh, Sphere& out) {
    if (!mesh) return false;
    const auto& vertices = mesh->Vertices();
    return D3DXComputeBoundingSphere(vertices.data(), static_cast<uint32_t>(vertices.size()), out.centre,
                                     out.radius);
}

bool SpheresOverlap(const Sphere& a, const Sphere& b) {
    float dx = a.centre.x - b.centre.x, dy = a.centre.y - b.centre.y;
    float reach = a.radius + b.radius;
    return reach * reach >= dx * dx + dy * dy;
}

int EdgeTest(int left, int top, int right, int bottom, const Sphere& s, double margin) {
    int bits = 0;
    if (top < s.centre.y - s.radius - margin) bits |= EDGE_TOP;
    if (bottom > s.centre.y + s.radius + margin) bits |= EDGE_BOTTOM;
    if (left > s.centre.x + s.radius + margin) bits |= EDGE_LEFT;
    if (right < s.centre.x - s.radius - margin) bits |= EDGE_RIGHT;
    return bits;
}

int EdgeTestCentred(int width, int height, const Sphere& s, double margin) {
    return EdgeTest(-(width / 2), height / 2, width / 2, -(height / 2), s, margin);
}

float NearestVertex(const TMesh& record, const Vector3& point, const Matrix4& world, Vector3* nearest) {
    const Matrix4& m = world;
    bool affine = m(0, 3) == 0 && m(1, 3) == 0 && m(2, 3) == 0 && m(3, 3) == 1;
    if (!affine || !record.mesh) return ClosestVertexXY(record, point, world, nearest);
    // With w = 1 the divide of a full transform changes nothing: x and y
    // alone decide, and only the winner needs its z.
    float best = 10000.0f;
    const MeshVertex* winner = nullptr;
    for (const MeshVertex& v : record.mesh->Vertices()) {
        float x = v.x * m(0, 0) + v.y * m(1, 0) + v.z * m(2, 0) + m(3, 0);
        float y = v.x * m(0, 1) + v.y * m(1, 1) + v.z * m(2, 1) + m(3, 1);
        float dx = x - point.x, dy = y - point.y;
        float d2 = dx * dx + dy * dy;
        if (d2 < best) best = d2, winner = &v;
    }
    if (winner && nearest) *nearest = D3DXVec3TransformCoord(Vector3(winner->x, winner->y, winner->z), world);
    return best;
}

bool ProbeHits(const Sphere& probe, const Vector3& point, const Sphere& objectSphere, const TMesh& objectMesh,
               const Matrix4& objectWorld, Vector3* hitPoint) {
    if (!SpheresOverlap(probe, objectSphere)) return false;
    Vector3 nearest;
    if (!(probe.radius * probe.radius > NearestVertex(objectMesh, point, objectWorld, &nearest))) return false;
    if (hitPoint) *hitPoint = nearest;
    return true;
}
