// D3DX-style mesh builders and bounding-volume helpers.
#pragma once

#include <memory>

#include "platform/resources.h"

class Device;

// A sphere centred on the origin with its axis along z, normals pointing
// out, one subset.
std::shared_ptr<D3DXMesh> D3DXCreateSphere(Device* device, float radius, uint32_t slices, uint32_t stacks);
// A cylinder along z from -length/2 (radius1) to +length/2 (radius2), capped.
std::shared_ptr<D3DXMesh> D3DXCreateCylinder(Device* device, float radius1, float radius2, float length,
                                             uint32_t slices, uint32_t stacks);

// Smallest-enclosing-sphere approximation D3DX uses: centre = average of the
// points, radius = distance to the farthest point. False for no points.
bool D3DXComputeBoundingSphere(const MeshVertex* vertices, uint32_t count, Vector3& centre, float& radius);
bool D3DXComputeBoundingBox(const MeshVertex* vertices, uint32_t count, Vector3& minimum, Vector3& maximum);
// Vertex normals as the normalised sum of the face normals around each vertex.
void D3DXComputeNormals(D3DXMesh& mesh);
