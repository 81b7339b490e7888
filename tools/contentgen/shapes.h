// Solid building blocks for the generated models, all wound outwards.
#pragma once

#include <vector>

#include "mesh.h"

namespace contentgen {

using Outline = std::vector<Vec2>;

// Triangulates a simple polygon (either orientation) by ear clipping;
// returns index triples into `outline`, counter-clockwise in x-y.
std::vector<uint32_t> Triangulate(const Outline& outline);
// Signed area, positive for counter-clockwise outlines.
float OutlineArea(const Outline& outline);
// A star outline, first point straight up (+y).
Outline StarOutline(int points, float outer, float inner, float phase = 0.0f);
Outline RectOutline(float x0, float y0, float x1, float y1);
Outline TransformOutline(const Outline& outline, float scale, Vec2 offset);

// Axis-aligned box.
void AddBox(Mesh& mesh, Vec3 minimum, Vec3 maximum, uint32_t material);
// The outline extruded along z: the front cap at zFront (facing the camera,
// -z) uses `front`, the back cap at zBack > zFront `back`, the walls `side`.
void AddExtrusion(Mesh& mesh, const Outline& outline, float zFront, float zBack, uint32_t front, uint32_t side,
                  uint32_t back);
// As AddExtrusion, with the front cap inset by `bevel` and joined to the
// walls by a 45-degree band; with `bevelBack` the back cap likewise.
void AddBevelledExtrusion(Mesh& mesh, const Outline& outline, float zFront, float zBack, float bevel, uint32_t front,
                          uint32_t side, uint32_t back, bool bevelBack = false);
// Surface of revolution about +y. `profile` holds (radius, y) from bottom to
// top; a radius of 0 at either end closes the surface at a pole. Joints
// sharper than about 40 degrees stay creased; the rest is smooth.
void AddLathe(Mesh& mesh, const std::vector<Vec2>& profile, int segments, uint32_t material);
void AddSphere(Mesh& mesh, Vec3 centre, float radius, int segments, int rings, uint32_t material);
// A capped cylinder (or cone, with different radii) from `a` to `b`.
void AddCylinder(Mesh& mesh, Vec3 a, Vec3 b, float radiusA, float radiusB, int sides, uint32_t material);
// Unit icosphere, `level` subdivisions, shared vertices with radial normals,
// one material.
Mesh Icosphere(int level, const Material& look);

}  // namespace contentgen
