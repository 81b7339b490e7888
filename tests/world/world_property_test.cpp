// Thousands of frames of a busy field with random frame times: every list
// stays gap-free and bounded, angles stay wrapped, positions stay finite and
// the depth cursor only falls within a frame.
#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "game/gamepacks.h"
#include "world_fixture.h"

namespace {

// Records the depth cursor at every draw.
class DepthProbe : public NullDevice {
public:
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE t, const VertexBuffer& v, uint32_t start, uint32_t n) override {
        depths.push_back(drawDepth);
        return NullDevice::DrawPrimitive(t, v, start, n);
    }
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE t, const VertexBuffer& v, const IndexBuffer& i, uint32_t start,
                                 uint32_t n) override {
        depths.push_back(drawDepth);
        return NullDevice::DrawIndexedPrimitive(t, v, i, start, n);
    }
    std::vector<double> depths;
};

bool Finite(const Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

template <typename List>
void ExpectNoGaps(const List& list, int count, const char* what) {
    ASSERT_LE(count, static_cast<int>(list.size())) << what;
    for (int i = 0; i < static_cast<int>(list.size()); ++i)
        ASSERT_EQ(list[i] != nullptr, i < count) << what << " slot " << i << " of " << count;
}

class BusyField : public ::testing::Test {
protected:
    void SetUp() override {
        settings = TSettings();
        settings.inputDevice = INPUT_KEYBOARD;
        settings.showBounding = 1;
        rp::srand(2024);
        theShip = std::make_unique<TShip>();
        theShip->device = &device;
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
    }
    void TearDown() override {
        theExplosions.reset();
        ResetSessionGlobals();
        ReleaseAllDrivenKeys();
        theGamePack = nullptr;
    }

    void RegisterFlagshipKinds() { AddTableKinds(*theAsteroids, kFlagshipKinds, TMeteorMarshal()); }

    void RegisterSecondGameKinds() {
        TAsteroids& f = *theAsteroids;
        f.fallingMode = 1;
        f.timedSpawns = 1;
        f.splitSpeedFactor = 1.25f;
        f.visitorRate = 6;
        f.spawnInterval = 0.05f;
        f.speedMin = 10.0f;
        f.speedMax = 20.0f;
        AddTableKinds(f, kShardstormKinds, TShardstorm());
        theShip->controlFlags = SHIP_SLIDER | SHIP_CLAMP;
        theShip->startPosition = Vector3(0, -18, 0);
    }

    void Run(int frames) {
        std::mt19937 random(7);
        std::uniform_real_distribution<double> uniform(0.0, 1.0);
        const int keys[] = {settings.keyFire, settings.keyAltFire, settings.keyShield, settings.keyLeft,
                            settings.keyRight, settings.keyThrust};
        for (int frame = 0; frame < frames; ++frame) {
            double roll = uniform(random);
            double dt = roll < 0.05 ? 0.0 : roll > 0.99 ? 1.0 : uniform(random) * 0.05;
            for (int key : keys) {
                bool firing = key == settings.keyFire || key == settings.keyAltFire;
                SetDrivenKey(key, uniform(random) < (firing ? 0.8 : 0.3));
            }
            if (theShip->lives < 0) theShip->NewGame();
            if (frame % 40 == 0) {
                theShip->starbursts = 9;
                theShip->superMissiles = 20;
                theShip->shieldEnergy = 2;
                theAsteroids->SpawnWhirlygigRing(2, 10);
                theAsteroids->SpawnInvaderColumn(20);
            }
            if (frame % 4 == 0) {
                float x = static_cast<float>(uniform(random) * 40 - 20);
                float y = static_cast<float>(uniform(random) * 40 - 20);
                theProjectiles->Starburst(x, y, 0, 0, 1, 0, PROJECTILE_PLAYER, 16, frame % 8 == 0);
            }
            if (frame % 300 == 299 && !theAsteroids->timedSpawns) theAsteroids->NextWave();

            device.depths.clear();
            drawDepth = 500.0;
            theAsteroids->StepAll(dt);
            theShip->Step(dt);
            theProjectiles->StepAll(dt);
            theExplosions->StepAll(dt);
            busiest.wave = std::max(busiest.wave, theAsteroids->wave);
            busiest.field = std::max(busiest.field, theAsteroids->count);
            busiest.shots = std::max(busiest.shots, theProjectiles->count);
            busiest.booms = std::max(busiest.booms, theExplosions->count);
            CheckFrame(frame);
            if (HasFatalFailure()) return;
        }
    }

    void CheckFrame(int frame) {
        SCOPED_TRACE(frame);
        for (size_t i = 1; i < device.depths.size(); ++i) ASSERT_LE(device.depths[i], device.depths[i - 1]);
        ASSERT_LE(drawDepth, 500.0);

        ExpectNoGaps(theAsteroids->objects, theAsteroids->count, "field");
        for (int i = 0; i < theAsteroids->count; ++i) {
            const TAsteroid& a = *theAsteroids->objects[i];
            ASSERT_TRUE(Finite(a.position) && Finite(a.direction) && Finite(a.centre)) << "object " << i;
            ASSERT_LE(a.spinAngle, 6.28);
            ASSERT_LE(a.wobbleAngle, 6.28);
            ASSERT_LE(a.orbitAngle, 6.28);
            // Only a powerup the ship collected waits, dead, for the next pass.
            ASSERT_TRUE(!a.dead || (a.kind.flags & KIND_POWERUP));
        }
        ExpectNoGaps(theProjectiles->projectiles, theProjectiles->count, "projectiles");
        for (int i = 0; i < theProjectiles->count; ++i) {
            const TProjectile& p = *theProjectiles->projectiles[i];
            ASSERT_TRUE(Finite(p.position) && Finite(p.direction));
            ASSERT_LE(p.spinAngle, 6.28);
        }
        ExpectNoGaps(theExplosions->explosions, theExplosions->count, "explosions");
        for (int i = 0; i < theExplosions->count; ++i) ASSERT_TRUE(Finite(theExplosions->explosions[i]->position));

        ASSERT_TRUE(Finite(theShip->position) && Finite(theShip->velocity));
        ASSERT_LE(D3DXVec3Length(theShip->velocity), 20.0f + 1e-3f);
        ASSERT_GE(theShip->heading, 0.0);
        ASSERT_LE(theShip->heading, 6.28);
        ASSERT_GE(theShip->score, 0);
        ASSERT_GE(theShip->peakScore, theShip->score);
    }

    DepthProbe device;
    struct {
        int wave = 0, field = 0, shots = 0, booms = 0;
    } busiest;
};

TEST_F(BusyField, FlagshipGameKeepsEveryInvariant) {
    settings.gameId = GAME_ID_FLAGSHIP;
    RegisterFlagshipKinds();
    Run(4000);
    EXPECT_GE(busiest.wave, 13);
    EXPECT_EQ(busiest.field, MAX_ASTEROIDS);
    EXPECT_EQ(busiest.shots, MAX_PROJECTILES);
    EXPECT_EQ(busiest.booms, MAX_EXPLOSIONS);
    EXPECT_GT(theShip->peakScore, 0);
}

TEST_F(BusyField, SecondGameKeepsEveryInvariant) {
    CurrentGameScope secondGame(0, 1);
    settings.gameId = GAME_ID_SECOND;
    RegisterSecondGameKinds();
    Run(4000);
    EXPECT_GT(theShip->peakScore, 0);
    EXPECT_GT(busiest.field, 40);
    EXPECT_GT(busiest.shots, 80);
    EXPECT_EQ(busiest.booms, MAX_EXPLOSIONS);
}

}  // namespace
