// Collision volumes: bounding spheres, the overlap and play-area edge tests,
// the nearest-vertex query and the hit rule that combines them. All tests
// work in the XY plane.
#pragma once


#include "platform/d3dtypes.h"
#include "platform/d3dx_math.h"

class D3DXMesh;
struct TMesh;

// The play area: the square from -20 to 20 in x and y.
constexpr int PLAY_AREA_SIZE = 40;
constexpr double PLAY_AREA_EDGE = 20.0;

// Edge bits: the sphere (plus margin) lies wholly beyond that edge.
constexpr int EDGE_TOP = 1;
constexpr int EDGE_BOTTOM = 2;
constexpr int EDGE_LEFT = 4;
constexpr int EDGE_RIGHT = 8;

// Sphere around all vertices of the mesh; false for no mesh or no vertices.
bool ComputeBoundingSphere(const D3DXMesh* mesh, Sphere& out);
// Touching counts as overlapping; z is ignored.
bool SpheresOverlap(const Sphere& a, const Sphere& b);
int EdgeTest(int left, int top, int right, int bottom, const Sphere& s, double margin);
// EdgeTest of the width x height area centred on the origin (integer halving).
int EdgeTestCentred(int width, int height, const Sphere& s, double margin);
// Squared XY distance from `point` to the nearest vertex of the record's mesh
// transformed by `world`; 10,000 when none lies within 100 units.
float NearestVertex(const TMesh& record, const Vector3& point, const Matrix4& world, Vector3* nearest);
// The hit rule: the probe (a sphere at `point`) overlaps the object's sphere
// and reaches a vertex of its mesh strictly within the probe radius. The
// nearest vertex is the hit point.
bool ProbeHits(const Sphere& probe, const Vector3& point, const Sphere& objectSphere, const TMesh& objectMesh,
               const Matrix4& objectWorld, Vector3* hitPoint);
