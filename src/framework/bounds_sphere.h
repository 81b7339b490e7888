// The translucent sphere drawn around objects to show their bounds or a
// shield.
#pragma once

#include <memory>

#include "platform/d3dtypes.h"
#include "platform/d3dx_math.h"

class D3DXMesh;
class Device;

// Material of an overlay sphere: the colour as ambient, diffuse and specular,
// emissive black, power 2 (blue for bounds, another colour for the shield).
D3DMATERIAL9 OverlayMaterial(const D3DCOLORVALUE& colour);
// Translucent sphere at `s`; the sphere mesh is made once, with the radius of
// the first draw, and kept in `cache` by its owner.
void DrawBoundsSphere(Device* device, const Sphere& s, std::shared_ptr<D3DXMesh>& cache,
                      const D3DMATERIAL9& material, float alpha);
