#include "game_look.h"

#include <algorithm>

#include "game/session_common.h"
#include "gamelib/edgerender.h"
#include "gamelib/libman.h"
#include "platform/device.h"

namespace {

// World objects are drawn from this depth towards the camera.
constexpr float kWorldDepth = 500.0f;

}  // namespace

uint32_t GameMeshFlags(const std::string& name) {
    return LibNamesMatch(name.c_str(), "status.x") || LibNamesMatch(name.c_str(), "hullstatus.x") ? MESH_ALPHA_BLEND
                                                                                                  : 0;
}

GameLook::GameLook(Device& device, int frameWidth, int frameHeight)
    : device_(device), frameWidth_(frameWidth), frameHeight_(frameHeight) {
    ApplySessionDeviceState(&device_, view_, projection_);
}

Matrix4 GameLook::FillWorld(TMesh& mesh) {
    const Sphere sphere = GetMeshSphere(mesh);
    const float scale = sphere.radius > 0 ? kFillRadius / sphere.radius : 1.0f;
    return D3DXMatrixTranslation(-sphere.centre.x, -sphere.centre.y, -sphere.centre.z) *
           D3DXMatrixScaling(scale, scale, scale) * D3DXMatrixTranslation(0, 0, kWorldDepth);
}

Matrix4 GameLook::CellProjection(const PixelRect& cell) const {
    const float w = float(std::max(cell.width, 1)), h = float(std::max(cell.height, 1));
    const float shortSide = 2 * kFillRadius * kFillMargin;
    const float viewWidth = w >= h ? shortSide * w / h : shortSide;
    const float viewHeight = w >= h ? shortSide : shortSide * h / w;
    // Ortho output is in normalised device coordinates (w = 1): shrink them
    // to the cell's share of the frame and move them onto its centre.
    const float centreX = 2 * (cell.x + w / 2) / float(frameWidth_) - 1;
    const float centreY = 1 - 2 * (cell.y + h / 2) / float(frameHeight_);
    return D3DXMatrixOrthoLH(viewWidth, viewHeight, 1, 1000) *
           D3DXMatrixScaling(w / float(frameWidth_), h / float(frameHeight_), 1) *
           D3DXMatrixTranslation(centreX, centreY, 0);
}

void GameLook::DrawMesh(TMesh& mesh, const PixelRect& cell) {
    device_.SetTransform(D3DTS_VIEW, view_);
    device_.SetTransform(D3DTS_PROJECTION, CellProjection(cell));
    device_.SetTransform(D3DTS_WORLD, FillWorld(mesh));
    RenderMesh(&device_, mesh);
}

void GameLook::DrawOutline(TEdgeRender& outline, const SilhouetteEdges& edges, TMesh& mesh, const PixelRect& cell) {
    outline.viewMatrix = view_;
    outline.projMatrix = CellProjection(cell);
    outline.RenderOutline(&edges, FillWorld(mesh));
}

void GameLook::DrawPicture(Texture& picture, const PixelRect& cell) {
    const float tw = float(std::max(picture.Width(), 1u)), th = float(std::max(picture.Height(), 1u));
    const float scale = std::min(cell.width / tw, cell.height / th);
    const float w = tw * scale, h = th * scale;
    // Pixel edges lie half a pixel before the pixel centres of screen
    // coordinates; on the edges the covered pixels do not depend on the
    // rasteriser's tie rule.
    const float x0 = cell.x + (cell.width - w) / 2 - 0.5f, y0 = cell.y + (cell.height - h) / 2 - 0.5f;
    const float x1 = x0 + w, y1 = y0 + h;
    const D3DCOLOR white = 0xFFFFFFFF;
    const ScreenVertex corners[6] = {
        {x0, y0, 0.5f, 1, white, 0, 0}, {x1, y0, 0.5f, 1, white, 1, 0}, {x1, y1, 0.5f, 1, white, 1, 1},
        {x0, y0, 0.5f, 1, white, 0, 0}, {x1, y1, 0.5f, 1, white, 1, 1}, {x0, y1, 0.5f, 1, white, 0, 1},
    };
    device_.SetTexture(0, &picture);
    device_.DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, corners, sizeof(ScreenVertex), FVF_SCREEN);
    device_.SetTexture(0, nullptr);
}
