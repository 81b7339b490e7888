// The five power-up pods: a coloured lozenge facing the camera with its
// symbol raised on both faces.
#include <cmath>

#include "shapes.h"
#include "symbols.h"
#include "workshop.h"

namespace content {
namespace {

using namespace contentgen;

Material Coat(Rgb colour, float glow) { return Coloured(colour, glow, 0.8f, 30.0f); }

Mesh Pod(Rgb shell, Rgb rim, Rgb mark, const Outline& symbol) {
    Mesh mesh;
    uint32_t body = mesh.AddMaterial(Coat(shell, 0.45f));
    uint32_t band = mesh.AddMaterial(Coat(rim, 0.5f));
    uint32_t sign = mesh.AddMaterial(Coat(mark, 0.8f));
    // The lozenge is a lathe about y, then turned to face the camera.
    size_t first = mesh.Vertices().size();
    AddLathe(mesh, {{0, -0.3f}, {0.78f, -0.3f}, {0.98f, -0.14f}}, 18, body);
    AddLathe(mesh, {{0.98f, -0.14f}, {1.04f, 0.0f}, {0.98f, 0.14f}}, 18, band);
    AddLathe(mesh, {{0.98f, 0.14f}, {0.78f, 0.3f}, {0, 0.3f}}, 18, body);
    mesh.Transform(Affine::RotateX(1.5707964f), first);
    // As large as the face allows: the pods are drawn two units across.
    Outline mark2 = TransformOutline(symbol, 0.7f, {});
    AddBevelledExtrusion(mesh, mark2, -0.44f, -0.28f, 0.05f, sign, sign, sign);
    AddBevelledExtrusion(mesh, mark2, 0.28f, 0.44f, 0.05f, sign, sign, sign, true);
    return mesh;
}

}  // namespace

void BuildPowerups(Workshop& shop) {
    shop.AddMesh("mpowerup.x", Pod(Hex(0xD02020), Hex(0xFF9090), Hex(0xFFFFFF), LetterM()));
    shop.AddMesh("starpowerup.x", Pod(Hex(0x2040D0), Hex(0x90A8FF), Hex(0xFFE030), StarSymbol()));
    shop.AddMesh("hullpowerup.x", Pod(Hex(0x20A030), Hex(0x90FF90), Hex(0xFFFFFF), CrossSymbol()));
    shop.AddMesh("shippowerup.x", Pod(Hex(0x8028C0), Hex(0xD8A0FF), Hex(0xFFFFFF), ShipSymbol()));
    shop.AddMesh("shieldpowerup.x", Pod(Hex(0xE08010), Hex(0xFFD090), Hex(0x103070), ShieldSymbol()));
}

}  // namespace content
