// Drawing of world objects (rocks, ship, shots): lit meshes, or outlines in
// the outline-rendered game.
//
// Opaque meshes wait in the frame's batch and are drawn together, nearest
// first, as soon as anything else is about to draw: between them only depth
// decides what is seen, and whatever blends keeps its designed place.
#pragma once

#include <memory>

#include "gamelib/mesh_batch.h"
#include "platform/d3dtypes.h"
#include "platform/d3dx_math.h"

class D3DXMesh;
class Device;
struct TMesh;

class WorldDraw {
public:
    // Starts a frame, forgetting what an unfinished one left.
    void Begin();
    void Add(const TMesh& mesh, const Matrix4& world) { batch_.Add(mesh, world); }
    // Draws what waits.
    void Flush(Device& device);

private:
    MeshBatch batch_;
};

// The current game draws its objects as outlines.
bool OutlineMode();
// Draws the record with `world`: through the outline renderer in outline mode
// when it is active and the record has edges, otherwise as a mesh; the
// session's batch takes the meshes it gathers.
void DrawWorldObject(Device* device, const TMesh& mesh, const Matrix4& world);
// A translucent sphere (bounds, shields) after what waits in the batch.
void DrawWorldSphere(Device* device, const Sphere& sphere, std::shared_ptr<D3DXMesh>& cache,
                     const D3DMATERIAL9& material, float alpha);
// Draws what waits in the session's batch.
void FlushWorldObjects(Device* device);
