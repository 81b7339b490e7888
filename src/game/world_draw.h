// Drawing of world objects (rocks, ship, shots): lit meshes, or outlines in
// the outline-rendered game.
#pragma once

#include "platform/d3dx_math.h"

class Device;
class MeshBatch;
struct TMesh;

// The current game draws its objects as outlines.
bool OutlineMode();
// A frame draws its world objects twice over: first every object's opaque
// subsets into the frame's batch (none in outline mode), then each object in
// its designed turn with what the batch left out.
void QueueWorldObject(MeshBatch& batch, const TMesh& mesh, const Matrix4& world);
// Draws the record with `world`: through the outline renderer in outline mode
// when it is active and the record has edges, otherwise as a mesh less the
// subsets QueueWorldObject took.
void DrawWorldObject(Device* device, const TMesh& mesh, const Matrix4& world);
