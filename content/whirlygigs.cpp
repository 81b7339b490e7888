// The swinging whirlygigs (the jack and three spiky stars, whose colour the
// game replaces) and the phantom zone.
#include <cmath>
#include <vector>

#include "shapes.h"
#include "workshop.h"

namespace content {
namespace {

using namespace contentgen;

constexpr float kPi = 3.14159265f;

Material Shiny(Rgb colour, float glow = 0.3f) { return Coloured(colour, glow, 0.7f, 30.0f); }

// Six arms along the axes with a ball on each end.
Mesh Jack() {
    Mesh mesh;
    uint32_t arm = mesh.AddMaterial(Shiny(Hex(0xE03030)));
    uint32_t ball = mesh.AddMaterial(Shiny(Hex(0xFFD030)));
    const Vec3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (Vec3 a : axes) {
        AddCylinder(mesh, a * -1.6f, a * 1.6f, 0.24f, 0.24f, 8, arm);
        AddSphere(mesh, a * 1.6f, 0.5f, 8, 5, ball);
        AddSphere(mesh, a * -1.6f, 0.5f, 8, 5, ball);
    }
    return mesh;
}

// A flat eight-pointed throwing star.
Mesh FlatStar() {
    Mesh mesh;
    uint32_t m = mesh.AddMaterial(Shiny(Hex(0x40C0FF)));
    AddBevelledExtrusion(mesh, StarOutline(8, 2.0f, 0.8f), -0.3f, 0.3f, 0.2f, m, m, m, true);
    return mesh;
}

// A ball with a spike on each of the twelve corners of an icosahedron.
Mesh SpikyBall() {
    Material look = Shiny(Hex(0x60FF60));
    Mesh mesh = Icosphere(1, look);
    for (Vertex& v : mesh.Vertices()) v.position = v.position * 0.9f;
    const float t = (1.0f + std::sqrt(5.0f)) / 2.0f;
    const Vec3 corners[12] = {{-1, t, 0},  {1, t, 0},  {-1, -t, 0}, {1, -t, 0}, {0, -1, t},  {0, 1, t},
                              {0, -1, -t}, {0, 1, -t}, {t, 0, -1},  {t, 0, 1},  {-t, 0, -1}, {-t, 0, 1}};
    for (Vec3 c : corners) {
        Vec3 d = Normalized(c);
        AddCylinder(mesh, d * 0.6f, d * 2.0f, 0.38f, 0.0f, 5, 0);
    }
    return mesh;
}

// Six long spikes along the axes, the ones in the view plane longest.
Mesh SpikeStar() {
    Mesh mesh;
    uint32_t m = mesh.AddMaterial(Shiny(Hex(0xFF70E0)));
    const Vec3 tips[6] = {{2.2f, 0, 0}, {-2.2f, 0, 0}, {0, 2.2f, 0}, {0, -2.2f, 0}, {0, 0, 1.4f}, {0, 0, -1.4f}};
    for (Vec3 tip : tips) AddCylinder(mesh, {}, tip, 0.45f, 0.0f, 6, m);
    AddSphere(mesh, {}, 0.55f, 8, 5, m);
    return mesh;
}

// A ring tube about the z axis.
void AddRing(Mesh& mesh, float radius, float tube, int segments, uint32_t material) {
    std::vector<Vec2> profile;
    for (int k = 0; k <= 4; ++k) {
        float a = -kPi * 0.5f + 2 * kPi * k / 4;
        profile.push_back({radius + tube * std::cos(a), tube * std::sin(a)});
    }
    size_t first = mesh.Vertices().size();
    AddLathe(mesh, profile, segments, material);
    mesh.Transform(Affine::RotateX(kPi * 0.5f), first);
}

// A flat ribbon curling out from the centre, widest in the middle.
Outline SpiralArm(float phase, float inner, float outer, float twist, float width) {
    const int steps = 9;
    Outline left, right;
    for (int k = 0; k <= steps; ++k) {
        float t = static_cast<float>(k) / steps;
        float r = inner + (outer - inner) * t, a = phase + twist * t;
        float half = width * std::sin(kPi * (0.15f + 0.85f * t)) * 0.5f + 0.02f;
        Vec2 along = {std::cos(a), std::sin(a)};
        left.push_back({along.x * (r - half), along.y * (r - half)});
        right.push_back({along.x * (r + half), along.y * (r + half)});
    }
    Outline arm(left.begin(), left.end());
    arm.insert(arm.end(), right.rbegin(), right.rend());
    return arm;
}

// A flat vortex of glowing wisps in a rim, open between them. The game draws
// its translucent subsets without blending, so the background showing
// through the gaps is what makes the zone look ghostly.
Mesh PhantomZone() {
    Mesh mesh;
    Material veil = Shiny(Hex(0x7848E8), 0.75f);
    veil.alpha = 0.45f;
    uint32_t wisp = mesh.AddMaterial(veil);
    uint32_t rim = mesh.AddMaterial(Shiny(Hex(0xC080FF), 0.8f));
    uint32_t core = mesh.AddMaterial(Shiny(Hex(0x70E8FF), 0.9f));
    const int arms = 5;
    for (int k = 0; k < arms; ++k)
        AddExtrusion(mesh, SpiralArm(2 * kPi * k / arms, 0.45f, 2.6f, 2.2f, 0.55f), -0.06f, 0.06f, wisp, wisp,
                     wisp);
    AddRing(mesh, 2.85f, 0.16f, 24, rim);
    AddRing(mesh, 1.55f, 0.06f, 16, core);
    AddSphere(mesh, {}, 0.38f, 8, 4, core);
    return mesh;
}

}  // namespace

void BuildWhirlygigs(Workshop& shop) {
    shop.AddMesh("dogtoy.x", Jack());
    shop.AddMesh("spree2.x", FlatStar());
    shop.AddMesh("spike.x", SpikyBall());
    shop.AddMesh("spike2.x", SpikeStar());
    shop.AddMesh("phantomzone.x", PhantomZone());
}

}  // namespace content
