// The five cratered rocks and the monolith.
#include <algorithm>
#include <cmath>

#include "noise.h"
#include "rng.h"
#include "shapes.h"
#include "workshop.h"

namespace content {
namespace {

using namespace contentgen;

struct Crater {
    Vec3 centre;
    float radius;  // angular, radians
    float depth;
};

struct RockRecipe {
    const char* name;
    const char* texture;
    uint32_t seed;
    Vec3 stretch;
    int craters;
};

float CraterOffset(Vec3 p, const std::vector<Crater>& craters) {
    float offset = 0;
    for (const Crater& c : craters) {
        float d = std::acos(std::clamp(Dot(p, c.centre), -1.0f, 1.0f)) / c.radius;
        if (d < 1.0f) offset -= c.depth * (1.0f - d * d);
        offset += 0.35f * c.depth * std::exp(-std::pow((d - 1.0f) / 0.3f, 2.0f));  // raised rim
    }
    return offset;
}

// Spherical texture coordinates per face, mended across the seam so that
// no face stretches over the whole texture; the surface textures tile.
Mesh WithSphericalUv(const Mesh& smooth) {
    constexpr float kPi = 3.14159265f;
    Mesh out;
    out.AddMaterial(smooth.Materials()[0]);
    for (const Face& f : smooth.Faces()) {
        Vertex v[3] = {smooth.Vertices()[f.a], smooth.Vertices()[f.b], smooth.Vertices()[f.c]};
        float u[3];
        int poles = 0;
        for (int k = 0; k < 3; ++k) {
            Vec3 d = Normalized(v[k].position);
            bool pole = std::hypot(d.x, d.z) < 1e-4f;
            poles += pole;
            u[k] = pole ? -1.0f : 2.0f * (0.5f + std::atan2(d.z, d.x) / (2 * kPi));
            v[k].v = 0.5f - std::asin(std::clamp(d.y, -1.0f, 1.0f)) / kPi;
        }
        float lo = 9, hi = -9;
        for (float x : u)
            if (x >= 0) lo = std::min(lo, x), hi = std::max(hi, x);
        for (float& x : u)
            if (x >= 0 && hi - lo > 1.0f && x < 1.0f) x += 2.0f;
        float mean = 0;
        for (float x : u) mean += x;
        mean =
            (mean + static_cast<float>(poles)) / static_cast<float>(3 - poles);  // pole corners take the others' mean
        for (int k = 0; k < 3; ++k) v[k].u = u[k] < 0 ? mean : u[k];
        uint32_t a = out.AddVertex(v[0]), b = out.AddVertex(v[1]), c = out.AddVertex(v[2]);
        out.AddFace(a, b, c, 0);
    }
    return out;
}

Mesh Rock(const RockRecipe& recipe) {
    Material look;
    look.diffuse = {1.0f, 1.0f, 1.0f};
    look.emissive = {0.22f, 0.22f, 0.22f};
    look.specular = {0.12f, 0.12f, 0.12f};
    look.power = 12.0f;
    look.texture = recipe.texture;
    Mesh mesh = Icosphere(2, look);
    Rng rng(recipe.seed);
    std::vector<Crater> craters;
    for (int i = 0; i < recipe.craters; ++i) {
        Vec3 c = Normalized(
            {static_cast<float>(rng.Gauss()), static_cast<float>(rng.Gauss()), static_cast<float>(rng.Gauss())});
        craters.push_back({c, static_cast<float>(rng.Range(0.35, 0.75)), static_cast<float>(rng.Range(0.08, 0.16))});
    }
    for (Vertex& v : mesh.Vertices()) {
        Vec3 p = v.position;
        float lumps = static_cast<float>(Fbm3(p.x * 1.3 + 10, p.y * 1.3, p.z * 1.3, 4, recipe.seed) - 0.5);
        float r = 1.0f + 0.55f * lumps + CraterOffset(p, craters);
        v.position = {p.x * r * recipe.stretch.x, p.y * r * recipe.stretch.y, p.z * r * recipe.stretch.z};
    }
    mesh.SmoothNormals();
    return WithSphericalUv(mesh);
}

Mesh Monolith() {
    Material black;
    black.diffuse = {0.07f, 0.07f, 0.08f};
    black.emissive = {0.04f, 0.04f, 0.05f};
    black.specular = {0.8f, 0.8f, 0.85f};
    black.power = 10.0f;
    Mesh slab;
    uint32_t m = slab.AddMaterial(black);
    AddBevelledExtrusion(slab, RectOutline(-2.0f, -4.5f, 2.0f, 4.5f), -0.5f, 0.5f, 0.18f, m, m, m, true);
    return slab;
}

}  // namespace

void BuildRocks(Workshop& shop) {
    const RockRecipe rocks[] = {
        {"asteroid1.x", "granite11.jpg", 101, {1.0f, 0.85f, 0.9f}, 5},
        {"asteroid2.x", "russet_oxide.jpg", 202, {1.1f, 0.9f, 0.8f}, 4},
        {"asteroid3.x", "arctic_stone.jpg", 303, {0.9f, 1.0f, 0.85f}, 6},
        {"asteroid4.x", "rust_valencia.jpg", 404, {1.15f, 0.8f, 0.95f}, 3},
        {"asteroid5.x", "bluemud.jpg", 505, {1.0f, 1.0f, 0.8f}, 5},
    };
    for (const RockRecipe& recipe : rocks) shop.AddMesh(recipe.name, Rock(recipe));
    shop.AddMesh("monolith.x", Monolith());
}

}  // namespace content
