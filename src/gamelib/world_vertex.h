// Mesh vertices moved to world space on the CPU, so that many objects go out
// in one draw: positions through the world matrix, normals through its
// inverse transpose, as the device's own normal matrix takes them (the
// device normalises them afterwards).
#pragma once

#include "platform/d3dx_math.h"
#include "platform/resources.h"

inline Matrix4 NormalMatrix(const Matrix4& world) {
    Matrix4 inverse;
    D3DXMatrixInverse(world, inverse);
    return D3DXMatrixTranspose(inverse);
}

// The vertex with position and normal in world space, texture coordinates
// as they are.
inline MeshVertex InWorld(const MeshVertex& s, const Matrix4& w, const Matrix4& n) {
    MeshVertex d = s;
    d.x = s.x * w.m[0][0] + s.y * w.m[1][0] + s.z * w.m[2][0] + w.m[3][0];
    d.y = s.x * w.m[0][1] + s.y * w.m[1][1] + s.z * w.m[2][1] + w.m[3][1];
    d.z = s.x * w.m[0][2] + s.y * w.m[1][2] + s.z * w.m[2][2] + w.m[3][2];
    d.nx = s.nx * n.m[0][0] + s.ny * n.m[1][0] + s.nz * n.m[2][0];
    d.ny = s.nx * n.m[0][1] + s.ny * n.m[1][1] + s.nz * n.m[2][1];
    d.nz = s.nx * n.m[0][2] + s.ny * n.m[1][2] + s.nz * n.m[2][2];
    return d;
}
