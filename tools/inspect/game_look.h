// Meshes and pictures drawn into a rectangle of a frame as the games draw
// them: the sessions' light, filtering and camera, the mesh's own materials
// and textures, or the retro variant's outlines.
#pragma once

#include <cstdint>
#include <string>

#include "gamelib/mesh.h"
#include "platform/d3dx_math.h"

class Device;
class SilhouetteEdges;
class TEdgeRender;
class Texture;

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// Cleared under everything drawn: about as dark as the games' backgrounds.
constexpr D3DCOLOR kBackdrop = 0xFF10141C;

// The loader flags the games give the mesh `name` (the head-up meshes blend).
uint32_t GameMeshFlags(const std::string& name);

// A mesh is scaled so that its bounding sphere has this radius, a rock's
// radius in play, and the view leaves a small margin around it.
constexpr float kFillRadius = 5.0f;
constexpr float kFillMargin = 1.08f;

class GameLook {
public:
    // Sets the sessions' device states on `device`, whose frame is
    // frameWidth x frameHeight pixels.
    GameLook(Device& device, int frameWidth, int frameHeight);

    // The world transform that centres `mesh` and scales it to kFillRadius,
    // at the depth where the game draws world objects.
    static Matrix4 FillWorld(TMesh& mesh);
    // The game camera's projection narrowed to a fill view and placed on `cell`.
    Matrix4 CellProjection(const PixelRect& cell) const;

    void DrawMesh(TMesh& mesh, const PixelRect& cell);
    void DrawOutline(TEdgeRender& outline, const SilhouetteEdges& edges, TMesh& mesh, const PixelRect& cell);
    // The picture as large as fits in `cell`, its aspect kept, centred.
    void DrawPicture(Texture& picture, const PixelRect& cell);

private:
    Device& device_;
    int frameWidth_, frameHeight_;
    Matrix4 view_, projection_;
};
