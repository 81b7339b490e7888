// Drawing of world objects (rocks, ship, shots): lit meshes, or outlines in
// the outline-rendered game.
#pragma once

#include "platform/d3dx_math.h"

class Device;
struct TMesh;

// The current game draws its objects as outlines.
bool OutlineMode();
// Draws the record with `world`: through the outline renderer in outline mode
// when it is active and the record has edges, otherwise as a mesh.
void DrawWorldObject(Device* device, const TMesh& mesh, const Matrix4& world);
