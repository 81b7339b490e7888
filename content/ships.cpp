// The player's ships and the two missiles, all pointing along +y.
#include <cmath>

#include "shapes.h"
#include "workshop.h"

namespace content {
namespace {

using namespace contentgen;

Material Paint(Rgb colour, float glow, float shine = 0.5f, float power = 24.0f) {
    return Coloured(colour, glow, shine, power);
}

Material Glow(Rgb colour) { return Coloured(colour, 0.9f, 0.0f, 2.0f); }

// A canopy or pod: a sphere squashed to the given half sizes.
void AddBlister(Mesh& mesh, Vec3 centre, Vec3 halfSize, uint32_t material) {
    size_t first = mesh.Vertices().size();
    AddSphere(mesh, {}, 1.0f, 12, 6, material);
    mesh.Transform(Affine::Translate(centre).After(Affine::Scale(halfSize.x, halfSize.y, halfSize.z)), first);
}

// The flagship's arrowhead fighter, about 15 units long.
Mesh Fighter() {
    Mesh mesh;
    uint32_t hull = mesh.AddMaterial(Paint(Hex(0xD8E0EA), 0.3f));
    uint32_t trim = mesh.AddMaterial(Paint(Hex(0x2F6FD8), 0.35f));
    uint32_t glass = mesh.AddMaterial(Paint(Hex(0x60D0FF), 0.35f, 0.9f, 40.0f));
    uint32_t engine = mesh.AddMaterial(Glow(Hex(0xFF9A30)));
    const Outline body = {{0, 8},         {1.3f, 3.5f},  {2.2f, 0.5f},   {5.8f, -4.2f},  {5.6f, -6.0f},
                          {2.4f, -4.4f},  {1.8f, -6.2f}, {-1.8f, -6.2f}, {-2.4f, -4.4f}, {-5.6f, -6.0f},
                          {-5.8f, -4.2f}, {-2.2f, 0.5f}, {-1.3f, 3.5f}};
    AddBevelledExtrusion(mesh, body, -1.1f, 0.7f, 0.45f, hull, hull, hull);
    // Blue wing stripes and a spine, raised just above the deck.
    for (float side : {-1.0f, 1.0f}) {
        Outline stripe = {{side * 2.6f, -1.0f}, {side * 4.9f, -4.0f}, {side * 4.7f, -5.0f}, {side * 2.6f, -2.4f}};
        AddExtrusion(mesh, stripe, -1.25f, -0.9f, trim, trim, trim);
        AddCylinder(mesh, {side * 1.1f, -6.6f, -0.2f}, {side * 1.1f, -5.0f, -0.2f}, 0.75f, 0.75f, 8, engine);
    }
    AddBlister(mesh, {0, 2.2f, -1.0f}, {0.9f, 2.4f, 0.7f}, glass);
    return mesh;
}

// The second game's gun ship: a broad hull with twin cannons pointing up.
Mesh GunShip() {
    Mesh mesh;
    uint32_t hull = mesh.AddMaterial(Paint(Hex(0x3FBF9F), 0.3f));
    uint32_t metal = mesh.AddMaterial(Paint(Hex(0xC8CCD4), 0.3f, 0.8f, 30.0f));
    uint32_t stripe = mesh.AddMaterial(Paint(Hex(0xF2D040), 0.35f));
    uint32_t glass = mesh.AddMaterial(Paint(Hex(0x80E8FF), 0.4f, 0.9f, 40.0f));
    const Outline body = {{-2.5f, 3.0f}, {2.5f, 3.0f},   {6.5f, -1.0f},  {6.5f, -3.5f},
                          {4.0f, -5.0f}, {-4.0f, -5.0f}, {-6.5f, -3.5f}, {-6.5f, -1.0f}};
    AddBevelledExtrusion(mesh, body, -1.3f, 0.8f, 0.5f, hull, hull, hull);
    for (float side : {-1.0f, 1.0f}) {
        AddCylinder(mesh, {side * 3.6f, -1.0f, -0.6f}, {side * 3.6f, 7.5f, -0.6f}, 0.75f, 0.55f, 8, metal);
        AddBox(mesh, {side * 3.6f - 1.1f, -2.5f, -1.9f}, {side * 3.6f + 1.1f, 0.5f, -0.6f}, metal);
        Outline chevron = {{side * 5.9f, -1.4f}, {side * 6.1f, -3.2f}, {side * 4.6f, -4.3f}, {side * 4.9f, -2.6f}};
        AddExtrusion(mesh, chevron, -1.45f, -1.0f, stripe, stripe, stripe);
    }
    AddBlister(mesh, {0, -0.8f, -1.1f}, {1.8f, 2.2f, 1.0f}, glass);
    return mesh;
}

// The player's missile: a stout glowing dart with four fins, broad enough
// to show at its play size of one unit.
Mesh PlayerMissile() {
    Mesh mesh;
    uint32_t body = mesh.AddMaterial(Glow(Hex(0xC8F8FF)));
    uint32_t fin = mesh.AddMaterial(Glow(Hex(0x40A8FF)));
    AddLathe(mesh, {{0, -1.0f}, {0.26f, -0.92f}, {0.3f, 0.2f}, {0.18f, 0.68f}, {0, 1.0f}}, 8, body);
    for (int k = 0; k < 4; ++k) {
        size_t first = mesh.Vertices().size();
        AddExtrusion(mesh, {{0.2f, -1.0f}, {0.7f, -1.0f}, {0.2f, -0.2f}}, -0.06f, 0.06f, fin, fin, fin);
        mesh.Transform(Affine::RotateY(0.7853982f + 1.5707964f * k), first);
    }
    return mesh;
}

// The enemy's missile: a hot, spiky plasma bolt.
Mesh EnemyMissile() {
    Mesh mesh;
    uint32_t core = mesh.AddMaterial(Glow(Hex(0xFFB040)));
    uint32_t flare = mesh.AddMaterial(Glow(Hex(0xFF4010)));
    AddLathe(mesh, {{0, -1.0f}, {0.3f, -0.4f}, {0.34f, 0.2f}, {0, 1.0f}}, 6, core);
    for (int k = 0; k < 4; ++k) {
        float a = 1.5707964f * k;
        Vec3 out = {std::cos(a) * 0.7f, -0.2f, std::sin(a) * 0.7f};
        AddCylinder(mesh, {0, -0.5f, 0}, out, 0.16f, 0.0f, 4, flare);
    }
    return mesh;
}

}  // namespace

void BuildShips(Workshop& shop) {
    shop.AddMesh("ship.x", Fighter());
    shop.AddMesh("ship2.x", GunShip());
    shop.AddMesh("missile.x", PlayerMissile());
    shop.AddMesh("ufomissile.x", EnemyMissile());
}

}  // namespace content
