// Base class of the simple scene objects (scoreboard, background, high score
// board): one mesh, a moving position, optional spin, timed zoom-in and
// flip-in entrance effects. A frame steps the object (motion, effect clocks,
// world transform and its depth), then draws it without changing it.
#pragma once

#include <cstdint>
#include <memory>

#include "game/draw_depth.h"
#include "gamelib/mesh.h"
#include "platform/d3dtypes.h"
#include "platform/d3dx_math.h"

class Device;
class D3DXMesh;

class T3DObject {
public:
    T3DObject();
    virtual ~T3DObject();
    T3DObject(const T3DObject&) = delete;
    T3DObject& operator=(const T3DObject&) = delete;

    virtual void Move(double dt);
    virtual void UpdateTransform(double dt);
    virtual void Render() const;
    virtual void RenderBounds(const D3DMATERIAL9& material) const;
    // Move, then UpdateTransform.
    virtual void Step(double dt);
    // Render, then the bounds when shown.
    virtual void Draw() const;

    // The current drawDepth; lowers it by the bounds radius.
    double TakeDepth();
    void SetSpinAxis(double x, double y, double z);

    Vector3 position;
    Vector3 spinAxis;
    Vector3 velocity;
    double spinRate = 0.0;
    double scale = 1.0;
    double spinAngle = 0.0;
    double flipRemaining = 5.0;
    double flipRate = 0.0;
    int32_t flipping = 0;
    double zoomRemaining = 5.0;
    double zoomRate = 0.0;
    int32_t zooming = 0;
    Matrix4 world;
    Device* device = nullptr;
    int32_t showBounds = 0;
    mutable std::shared_ptr<D3DXMesh> boundsMesh;  // made by the first bounds draw
    Sphere bounds;
    D3DMATERIAL9 boundsMaterial;
    TMesh mesh;
};
