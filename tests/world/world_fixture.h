// Shared set-up of the world tests: small sphere meshes as kinds, and a
// session of field, ship, projectiles and explosions on a null device.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "effects/explode.h"
#include "framework/engine_utils.h"
#include "framework/gameglobals.h"
#include "framework/tgame.h"
#include "framework/tgamepack.h"
#include "game/asteroid.h"
#include "game/bounding.h"
#include "game/draw_depth.h"
#include "game/field_kinds.h"
#include "game/projectile.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "game/world_draw.h"
#include "gamelib/mesh.h"
#include "platform/crt_rand.h"
#include "platform/d3dx_shapes.h"
#include "platform/device.h"
#include "platform/keyboard.h"

// A one-material sphere mesh record; `size` is the loader's size argument
// (negative: scale 1 and size factor -size).
inline TMesh SphereKind(uint32_t flags, int32_t key, double size, float radius = 1.0f, uint32_t slices = 8) {
    TMesh m;
    m.kind = MESH_KIND_MESH;
    m.flags = flags;
    m.kindParam = key;
    m.mesh = D3DXCreateSphere(nullptr, radius, slices, slices);
    m.numMaterials = 1;
    m.materials[0] = MakeMaterial(colours::White);
    m.scale = size >= 0 ? size : 1.0;
    m.sizeFactor = size >= 0 ? 1.0 : -size;
    return m;
}

// The explosion template without pictures: a quad with 16 empty frames.
inline TMesh BlankExplosionSprite() {
    TMesh sprite = CreateQuad(nullptr, MESH_ALPHA_BLEND, 1.0, 1.0, false);
    sprite.numTextures = 16;
    return sprite;
}

// A pack whose current game answers the two switches the world objects read.
class CurrentGameScope {
public:
    CurrentGameScope(bool outline, bool altStarburst)
        : description_{.usesAltStarburst = altStarburst, .usesOutlineRendering = outline} {
        pack_.Add(new TGame(description_));
        pack_.current = pack_.First();
        theGamePack = &pack_;
    }
    ~CurrentGameScope() { theGamePack = nullptr; }

private:
    const GameDescription description_;
    TGamePack pack_;
};

// A row of a kind table as a sphere kind with the row's sound.
inline TMesh RowKind(const FieldKindRow& row) {
    TMesh m = SphereKind(row.flags, row.key, row.size);
    m.soundId = row.soundId;
    return m;
}

// The row of `table` for `mesh` as a sphere kind.
inline TMesh TableKind(const FieldKindTable& table, std::string_view mesh) {
    for (const FieldKindRow& row : table.rows)
        if (mesh == row.mesh) return RowKind(row);
    ADD_FAILURE() << "no kind " << mesh;
    return TMesh{};
}

// The kinds `game` registers from `table`, one sphere mesh each, then the
// five power-ups.
inline void AddTableKinds(TAsteroids& field, const FieldKindTable& table, const TGame& game) {
    for (const FieldKindRow& row : KindsFor(table, game)) field.AddKind(RowKind(row));
    for (const PowerupRow& powerup : kPowerupKinds)
        field.AddPowerupKind(SphereKind(table.powerupFlags, 0, 1.0), powerup.kind);
}

// A null device that keeps, for each draw, its size and whether it blended,
// tested and wrote depth.
class DrawLog : public NullDevice {
public:
    struct Draw {
        bool blend;
        uint32_t primitives;
        bool depthTest, depthWrite;
    };
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, const VertexBuffer& vb, uint32_t start, uint32_t count) override {
        Note(count);
        return NullDevice::DrawPrimitive(type, vb, start, count);
    }
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, const VertexBuffer& vb, const IndexBuffer& ib, uint32_t start,
                                 uint32_t count) override {
        Note(count);
        return NullDevice::DrawIndexedPrimitive(type, vb, ib, start, count);
    }
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, uint32_t count, const void* data, uint32_t stride,
                            uint32_t fvf) override {
        Note(count);
        return NullDevice::DrawPrimitiveUP(type, count, data, stride, fvf);
    }
    std::vector<Draw> draws;

private:
    void Note(uint32_t count) {
        draws.push_back({GetRenderState(D3DRS_ALPHABLENDENABLE) != 0, count, GetRenderState(D3DRS_ZENABLE) != 0,
                         GetRenderState(D3DRS_ZWRITEENABLE) != 0});
    }
};

class WorldTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings = TSettings();
        settings.gameId = 99;  // no wave rules unless a test picks a game
        settings.inputDevice = INPUT_KEYBOARD;
        theGamePack = nullptr;
        rp::srand(12345);
        drawDepth = 500.0;

        theShip = std::make_unique<TShip>();
        theShip->device = &device;
        theShip->SetAxis(0, 0, 1);
        theShip->mesh = SphereKind(0, 0, 1.0);
        ComputeBoundingSphere(theShip->mesh.mesh.get(), theShip->meshSphere);
        theShip->NewGame();

        theProjectiles = std::make_unique<TProjectiles>();
        theProjectiles->device = &device;
        theProjectiles->AddKind(SphereKind(PLAYER_MISSILE_KIND, 0, 0.5));
        theProjectiles->AddKind(SphereKind(ENEMY_MISSILE_KIND, 0, 0.5));

        theExplosions = std::make_unique<TExplosions>(ShipPosition);
        theExplosions->device = &device;
        theExplosions->AddTemplate(BlankExplosionSprite());

        theAsteroids = std::make_unique<TAsteroids>();
        theAsteroids->device = &device;
        field = theAsteroids.get();
        ship = theShip.get();
        shots = theProjectiles.get();
        booms = theExplosions.get();
    }

    void TearDown() override {
        theExplosions.reset();
        ResetSessionGlobals();
        ReleaseAllDrivenKeys();
        theGamePack = nullptr;
    }

    // The world objects drawn as a frame draws them: what waits in the
    // batch is drawn at the end.
    void DrawField() {
        field->DrawAll();
        FlushWorldObjects(&device);
    }
    void DrawShip() {
        ship->Draw();
        FlushWorldObjects(&device);
    }
    void DrawShots() {
        shots->DrawAll();
        FlushWorldObjects(&device);
    }

    // An object of `kind` at `at` heading `heading`, sized `size` (world radius).
    TAsteroid* Place(const TMesh& kind, Vector3 at, Vector3 heading, double size) {
        TAsteroid* object = field->NewObject();
        object->device = &device;
        object->kind = kind;
        object->meshSphere = GetMeshSphere(object->kind);
        object->position = at;
        object->SetDirection(heading.x, heading.y);
        object->SetSize(size);
        return object;
    }

    DrawLog device;
    TAsteroids* field = nullptr;
    TShip* ship = nullptr;
    TProjectiles* shots = nullptr;
    TExplosions* booms = nullptr;
};

// Field and projectile kinds used across the tests.
inline TMesh RockKind(uint32_t extraFlags = 0) { return SphereKind(KIND_ROCK | extraFlags, KEY_ROCK, 1.0); }
inline TMesh PowerupKind(uint32_t flags = FLAGSHIP_POWERUP) { return SphereKind(flags, 0, 1.0); }
