// The field: kinds, object list, spawning, hits and splits, and the frame step.
#include <algorithm>

#include "effects/explode.h"
#include "framework/engine_utils.h"
#include "framework/gameglobals.h"
#include "game/asteroid.h"
#include "game/bounding.h"
#include "game/field_pan.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "game/world_draw.h"
#include "gamelib/texman.h"
#include "platform/crt_rand.h"
#include "sound/soundman.h"

namespace {

constexpr int kPresetColours = 6;
constexpr double kPieceTurn = 2.0943952;         // 120 degrees
constexpr double kFallingPieceTurn = 0.5235988;  // 30 degrees
constexpr double kPieceShrink = 0.625;

Vector3 TurnedAboutZ(const Vector3& v, double angle) {
    return D3DXVec3TransformNormal(v, D3DXMatrixRotationZ(static_cast<float>(angle)));
}

}  // namespace

TAsteroids::TAsteroids() = default;

TAsteroids::~TAsteroids() { Clear(); }

int TAsteroids::AddKind(const TMesh& mesh) {
    if (kindCount >= MAX_KINDS) return -1;
    kinds[kindCount] = mesh;
    GetMeshSphere(kinds[kindCount]);
    return kindCount++;
}

int TAsteroids::AddPowerupKind(const TMesh& mesh, int32_t powerupKind) {
    int slot = AddKind(mesh);
    if (slot >= 0) kinds[slot].powerupKind = powerupKind;
    return slot;
}

TMesh* TAsteroids::PickKind(uint32_t flags, int32_t key) {
    std::array<int, MAX_KINDS> matches;
    int n = 0;
    for (int i = 0; i < kindCount; ++i) {
        if ((kinds[i].flags & flags) != flags) continue;
        if (key != KEY_ANY && kinds[i].kindParam != key) continue;
        matches[n++] = i;
    }
    if (n == 0) return nullptr;
    return &kinds[matches[rp::rand() % n]];
}

TAsteroid* TAsteroids::NewObject() {
    if (count >= MAX_ASTEROIDS) return nullptr;
    objects[count] = std::make_unique<TAsteroid>();
    return objects[count++].get();
}

void TAsteroids::Adopt(TAsteroid& object, const TMesh& kind) {
    object.device = device;
    object.meshSphere = kind.sphere;
    object.kind = kind;
    if (kind.flags & KIND_RANDOM_COLOUR) SetPresetMaterial(object.kind, rp::rand() % kPresetColours);
}

TAsteroid* TAsteroids::Spawn(uint32_t flags, int32_t key, int32_t group) {
    TMesh* kind;
    do {
        kind = PickKind(flags, key);
        if (!kind) return nullptr;
    } while (kind->powerupKind == POWERUP_SHIP && rp::rand() % 4 != 0);
    TAsteroid* object = NewObject();
    if (!object) return nullptr;
    Adopt(*object, *kind);

    object->RandomSpinAxis();
    object->spinRate = rp::rand() % 2 + 1;
    if (speedMin != 0.0f) object->speed = RandomBetween(speedMin, speedMax);

    if (fallingMode) {
        object->position = Vector3(static_cast<float>(rp::rand() % 38 - 19), 20.0f, 0.0f);
        object->SetDirection(0, -1);
    } else {
        int a = rp::rand(), b = rp::rand();
        object->position = Vector3(static_cast<float>(b % 40 - 20), static_cast<float>(a % 40 - 20), 0.0f);
        object->RandomDirection();
    }

    if (flags & KIND_ROCK) {
        object->SetSize(5.0);
        object->EnterFromEdge();
    } else if (flags & KIND_VISITOR) {
        if (fallingMode) {
            object->position.y = 20.0f;
            object->noVerticalWrap = 1;
        }
        if (kind->flags & KIND_WOBBLE) object->spinRate = 0.0;
        object->SetSize(kind->scale);
        object->SetDirection(rp::rand() % 2 ? 1.0 : -1.0, 0.0);
        object->EnterFromEdge();
        object->splitsLeft = 0;
    } else if (flags & KIND_POWERUP) {
        object->SetSize(kind->scale);
    }

    if (OutlineMode() && (kind->flags & KIND_ROCK)) object->SetSpinAxis(0, 0, 1);
    if (kind->soundId) object->loopSound.Start(kind->soundId, FieldPan(object->position.x));
    if (group != -1 && theTextureManager)
        object->ApplyTexture(theTextureManager->PickRandomTexture(static_cast<uint32_t>(group)));
    object->scale = object->scale * kind->sizeFactor * globalScale;
    return object;
}

void TAsteroids::Hit(int index, const Vector3& shotDirection) {
    if (index < 0 || index >= count) return;
    TAsteroid& object = *objects[index];
    if (object.kind.flags & KIND_SHOT_PROOF) return;
    const float pan = FieldPan(object.position.x);
    PlaySound(SOUND_HIT, false, pan);
    if (--object.hull > 0) return;

    if (theShip) theShip->AddScore(object.scoreValue);
    PlaySound(SOUND_EXPLOSION, false, pan);
    Vector3 centre = object.centre;
    if (theExplosions) theExplosions->Add(centre.x, centre.y, centre.z, 3.0, 0);
    int dropPercent = object.dropPercent;
    if (object.splitsLeft > 0)
        Split(index, shotDirection);
    else
        Remove(index);

    if (dropPercent == 0) return;
    int n = 100 / dropPercent;
    if (n != 0 && rp::rand() % n != 0) return;
    if (TAsteroid* drop = Spawn(KIND_POWERUP, KEY_ANY, -1)) drop->position = centre;
}

void TAsteroids::Split(int index, const Vector3& shotDirection) {
    const TAsteroid& parent = *objects[index];
    double parentRadius = parent.worldSphere.radius;
    for (int i = 0; i < splitPieces; ++i) {
        TAsteroid* piece = SplitOff(parent);
        if (!piece) break;
        Vector3 heading;
        if (i == 0)
            heading = fallingMode ? TurnedAboutZ(Vector3(0, -1, 0), kFallingPieceTurn)
                                  : TurnedAboutZ(shotDirection, kPieceTurn);
        else if (i == 1)
            heading = fallingMode ? TurnedAboutZ(Vector3(0, -1, 0), -kFallingPieceTurn)
                                  : TurnedAboutZ(shotDirection, -kPieceTurn);
        else
            heading = fallingMode ? parent.direction : shotDirection;
        piece->SetDirection(heading.x, heading.y);
        piece->SetSize(parentRadius / parent.kind.sizeFactor * kPieceShrink);
        piece->position += piece->direction * static_cast<float>(2.0 * parent.scale);
        piece->splitsLeft = parent.splitsLeft - 1;
        piece->spinRate = parent.spinRate * splitSpeedFactor;
        piece->speed = parent.speed * splitSpeedFactor;
        piece->hull = piece->initialHull = std::max(parent.initialHull / 2, 1);
        piece->scale *= piece->kind.sizeFactor;
    }
    Remove(index);
}

TAsteroid* TAsteroids::SplitOff(const TAsteroid& parent) {
    const TMesh* kind = PickKind(parent.kind.flags & (KIND_ROCK | KIND_VISITOR | KIND_INVADER), parent.kind.kindParam);
    if (!kind) return nullptr;
    TAsteroid* piece = NewObject();
    if (!piece) return nullptr;
    Adopt(*piece, *kind);
    piece->position = parent.position;
    piece->RandomSpinAxis();
    for (int i = 0; i < parent.kind.numMaterials && i < MAX_MAT_PER_MESH; ++i) {
        if (!parent.kind.textures[i]) continue;
        piece->ApplyTexture(parent.kind.textures[i]);
        break;
    }
    if (OutlineMode() && (kind->flags & KIND_ROCK)) piece->SetSpinAxis(0, 0, 1);
    return piece;
}

void TAsteroids::Remove(int index) {
    if (index < 0 || index >= count) return;
    objects[index].reset();  // its own loop stops with it
    std::move(objects.begin() + index + 1, objects.begin() + count, objects.begin() + index);
    --count;
}

void TAsteroids::Clear() {
    while (count > 0) Remove(count - 1);
}

int TAsteroids::FindHit(const Sphere& probe, const Vector3& point, Vector3* nearest, int flags) const {
    for (int i = 0; i < count; ++i) {
        const TAsteroid& object = *objects[i];
        if ((flags & FIND_SKIP_POWERUPS) && (object.kind.flags & KIND_POWERUP)) continue;
        if (ProbeHits(probe, point, object.worldSphere, object.kind, object.world, nearest)) return i;
    }
    return -1;
}

int TAsteroids::CountWithFlags(uint32_t flags) const {
    int n = 0;
    for (int i = 0; i < count; ++i)
        if ((objects[i]->kind.flags & flags) == flags) ++n;
    return n;
}

void TAsteroids::StepAll(double dt) {
    if (timedSpawns) {
        spawnTimer -= static_cast<float>(dt);
        if (spawnTimer <= 0.0f) {
            SpawnTimed();
            spawnTimer = RandomBetween(0.25f * spawnInterval, 1.75f * spawnInterval);
        }
    }
    if (count == 0 && !timedSpawns) NextWave();
    int r = rp::rand();
    if (dt * visitorRate * 100.0 > r % 10000 && CountWithFlags(KIND_VISITOR) == 0)
        Spawn(KIND_VISITOR, KEY_VISITOR, -1);
    for (int i = 0; i < count;) {
        TAsteroid& object = *objects[i];
        object.showBounds = settings.showBounding;
        object.Step(dt);
        object.loopSound.Pan(FieldPan(object.position.x));
        if (object.dead)
            Remove(i);
        else
            ++i;
    }
}

void TAsteroids::DrawAll() const {
    for (int i = 0; i < count; ++i) objects[i]->Draw();
}
