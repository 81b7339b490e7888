#include "game/world_draw.h"

#include "framework/bounds_sphere.h"
#include "framework/gameglobals.h"
#include "framework/tgame.h"
#include "game/session_globals.h"
#include "gamelib/edgerender.h"
#include "gamelib/mesh.h"
#include "platform/device.h"

void WorldDraw::Begin() { batch_.Clear(); }

void WorldDraw::Flush(Device& device) { batch_.Draw(device); }

bool OutlineMode() {
    const TGame* game = CurrentGame();
    return game && game->UsesOutlineRendering();
}

void DrawWorldObject(Device* device, const TMesh& mesh, const Matrix4& world) {
    const bool outline = OutlineMode();
    if (!outline && Batchable(mesh)) {
        theSession.worldDraw.Add(mesh, world);
        return;
    }
    FlushWorldObjects(device);
    if (outline && theEdgeRender && theEdgeRender->active && mesh.edges) {
        theEdgeRender->RenderOutline(mesh.edges.get(), world);
        return;
    }
    device->SetTransform(D3DTS_WORLD, world);
    RenderMesh(device, mesh);
}

void DrawWorldSphere(Device* device, const Sphere& sphere, std::shared_ptr<D3DXMesh>& cache,
                     const D3DMATERIAL9& material, float alpha) {
    FlushWorldObjects(device);
    DrawBoundsSphere(device, sphere, cache, material, alpha);
}

void FlushWorldObjects(Device* device) {
    if (device) theSession.worldDraw.Flush(*device);
}
