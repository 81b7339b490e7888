#include "game/world_draw.h"

#include "framework/gameglobals.h"
#include "framework/tgame.h"
#include "gamelib/edgerender.h"
#include "gamelib/mesh.h"
#include "platform/device.h"

bool OutlineMode() {
    const TGame* game = CurrentGame();
    return game && game->UsesOutlineRendering();
}

void DrawWorldObject(Device* device, const TMesh& mesh, const Matrix4& world) {
    if (OutlineMode() && theEdgeRender && theEdgeRender->active && mesh.edges) {
        theEdgeRender->RenderOutline(mesh.edges.get(), world);
        return;
    }
    device->SetTransform(D3DTS_WORLD, world);
    RenderMesh(device, mesh);
}
