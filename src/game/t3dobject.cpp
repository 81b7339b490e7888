#include "game/t3dobject.h"

#include <cmath>

#include "framework/bounds_sphere.h"
#include "framework/engine_utils.h"
#include "game/bounding.h"
#include "game/spin_axis.h"
#include "platform/device.h"

double drawDepth = 0.0;

namespace {
constexpr double kEpsilon = 0.001;
}

T3DObject::T3DObject() : boundsMaterial(OverlayMaterial(colours::Blue)) { boundsMaterial.Diffuse.a = 0.1f; }

T3DObject::~T3DObject() = default;

void T3DObject::Move(double dt) {
    float d = static_cast<float>(dt);
    position.x += velocity.x * d;
    position.y += velocity.y * d;
    position.z += velocity.z * d;
}

void T3DObject::UpdateTransform(double dt) {
    double s = scale;
    if (zooming) {
        zoomRemaining -= dt;
        if (zoomRemaining < 0) {
            zoomRemaining = 0;
            zooming = 0;
        }
        s = scale / (zoomRemaining * zoomRate + 1.0);
    }
    float fs = static_cast<float>(s);
    world = D3DXMatrixMultiply(D3DXMatrixScaling(fs, fs, fs),
                               D3DXMatrixTranslation(position.x, position.y, static_cast<float>(TakeDepth())));
    if (flipping) {
        flipRemaining -= dt;
        if (flipRemaining < 0) {
            flipRemaining = 0;
            flipping = 0;
        }
        world = D3DXMatrixMultiply(D3DXMatrixRotationX(static_cast<float>(flipRemaining * flipRate)), world);
    }
    if (std::fabs(spinAngle) >= kEpsilon)
        world = D3DXMatrixMultiply(D3DXMatrixRotationAxis(spinAxis, static_cast<float>(spinAngle)), world);
}

void T3DObject::Render() const {
    device->SetTransform(D3DTS_WORLD, world);
    RenderMesh(device, mesh);
}

void T3DObject::RenderBounds(const D3DMATERIAL9& material) const {
    DrawBoundsSphere(device, bounds, boundsMesh, material, material.Diffuse.a);
}

void T3DObject::Step(double dt) {
    Move(dt);
    UpdateTransform(dt);
}

void T3DObject::Draw() const {
    Render();
    if (showBounds) RenderBounds(boundsMaterial);
}

double T3DObject::TakeDepth() { return TakeDrawDepth(bounds.radius); }

void T3DObject::SetSpinAxis(double x, double y, double z) { spinAxis = ChooseSpinAxis(x, y, z); }
