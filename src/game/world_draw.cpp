#include "game/world_draw.h"

#include "framework/gameglobals.h"
#include "framework/tgame.h"
#include "gamelib/edgerender.h"
#include "gamelib/mesh.h"
#include "gamelib/mesh_batch.h"
#include "platform/device.h"

bool OutlineMode() {
    const TGame* game = CurrentGame();
    return game && game->UsesOutlineRendering();
}

void QueueWorldObject(MeshBatch& batch, const TMesh& mesh, const Matrix4& world) {
    if (!OutlineMode()) batch.Add(mesh, world);
}

void DrawWorldObject(Device* device, const TMesh& mesh, const Matrix4& world) {
    if (OutlineMode()) {
        if (theEdgeRender && theEdgeRender->active && mesh.edges) {
            theEdgeRender->RenderOutline(mesh.edges.get(), world);
            return;
        }
    } else if (GathersOpaqueSubsets(mesh)) {
        device->SetTransform(D3DTS_WORLD, world);
        DrawSubsets(device, mesh, 0);
        return;
    }
    device->SetTransform(D3DTS_WORLD, world);
    RenderMesh(device, mesh);
}
