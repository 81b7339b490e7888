// Cost of one simulation frame of a full field on the null device: 128 field
// objects of rock meshes (352 triangles each), 128 projectiles and 128
// explosions, stepped in the session's order. The rocks are too hard to
// break, so the field stays full; projectiles that hit or leave and
// explosions that end are replaced between frames, outside the timing.
#include "sim_bench.h"

#include <chrono>
#include <random>
#include <vector>

#include "effects/explode.h"
#include "field_fill.h"
#include "framework/engine_utils.h"
#include "framework/gameglobals.h"
#include "game/asteroid.h"
#include "game/bounding.h"
#include "game/draw_depth.h"
#include "game/projectile.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "platform/crt_rand.h"
#include "platform/d3dx_shapes.h"
#include "platform/device.h"

namespace {

constexpr double kFrameTime = 1.0 / 60.0;
constexpr int kWarmupFrames = 300;

TMesh MeshKind(uint32_t flags, int32_t key, double size, uint32_t slices, uint32_t stacks) {
    TMesh m;
    m.kind = MESH_KIND_MESH;
    m.flags = flags;
    m.kindParam = key;
    m.mesh = D3DXCreateSphere(nullptr, 1.0f, slices, stacks);
    m.numMaterials = 1;
    m.materials[0] = MakeMaterial(colours::White);
    m.scale = size;
    m.sizeFactor = 1.0;
    return m;
}

class FullField {
public:
    FullField() : random_(1) {
        settings = TSettings();
        settings.gameId = GAME_ID_FLAGSHIP;
        settings.inputDevice = INPUT_KEYBOARD;
        settings.asteroidHull = 1 << 30;
        rp::srand(1);

        theShip = std::make_unique<TShip>();
        theShip->device = &device_;
        theShip->mesh = MeshKind(0, 0, 1.0, 16, 12);
        ComputeBoundingSphere(theShip->mesh.mesh.get(), theShip->meshSphere);
        theShip->NewGame();
        theShip->invulnerable = 1e9;

        theProjectiles = std::make_unique<TProjectiles>();
        theProjectiles->device = &device_;
        theProjectiles->AddKind(MeshKind(0x400200, 0, 0.5, 8, 6));
        theProjectiles->AddKind(MeshKind(0x400400, 0, 0.5, 8, 6));

        theExplosions = std::make_unique<TExplosions>(ShipPosition);
        theExplosions->device = &device_;
        TMesh sprite = CreateQuad(&device_, MESH_ALPHA_BLEND, 1.0, 1.0, false);
        sprite.numTextures = 16;
        theExplosions->AddTemplate(sprite);

        theAsteroids = std::make_unique<TAsteroids>();
        theAsteroids->device = &device_;
        theAsteroids->visitorRate = 0;
        for (int i = 0; i < 4; ++i) theAsteroids->AddKind(MeshKind(KIND_ROCK, KEY_ROCK, 1.0, 16, 12));
        // Sizes as a field of split rocks has them: whole, halves and quarters.
        const double sizes[] = {5.0, 3.125, 1.953125};
        std::uniform_real_distribution<float> across(-20.0f, 20.0f);
        for (int i = 0; i < MAX_ASTEROIDS; ++i) {
            TAsteroid* rock = theAsteroids->Spawn(KIND_ROCK, KEY_ROCK, -1);
            rock->SetSize(sizes[i % 3]);
            rock->position = Vector3(across(random_), across(random_), 0);
        }
        TopUp();
    }

    ~FullField() {
        theExplosions.reset();
        ResetSessionGlobals();
    }

    void Frame() {
        drawDepth = 500.0;
        theAsteroids->StepAll(kFrameTime);
        theShip->Step(kFrameTime);
        theProjectiles->StepAll(kFrameTime);
        theExplosions->StepAll(kFrameTime);
    }

    // Replaces what left the lists.
    void TopUp() { FillShotsAndExplosions(random_); }

private:
    NullDevice device_;
    std::mt19937 random_;
};

}  // namespace

Timing RunSimBench(int frames) {
    FullField field;
    for (int i = 0; i < kWarmupFrames; ++i) {
        field.Frame();
        field.TopUp();
    }
    std::vector<double> micros;
    micros.reserve(frames);
    for (int i = 0; i < frames; ++i) {
        auto start = std::chrono::steady_clock::now();
        field.Frame();
        auto end = std::chrono::steady_clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        field.TopUp();
    }
    return Summarize(std::move(micros));
}
