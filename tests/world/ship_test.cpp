#include <cmath>

#include "input/joystick.h"
#include "world_fixture.h"

namespace {

class ScriptedJoystick : public TJoystick {
public:
    int Poll() override { return 0; }
};

class Ship : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        ship->invulnerable = 0;
        field->visitorRate = 0;
        field->timedSpawns = 1;  // an empty field stays empty
        field->spawnTimer = 1e9f;
    }
    void TearDown() override {
        delete theMouse;
        theMouse = nullptr;
        delete theJoystick;
        theJoystick = nullptr;
        WorldTest::TearDown();
    }
    void Hold(int key) { SetDrivenKey(key, true); }
    float Speed() const { return D3DXVec3Length(ship->velocity); }
};

TEST(AccelCurve, MapsTheSettingThroughTwoLinearPieces) {
    struct Row {
        int setting;
        double accel, drag;
    };
    const Row rows[] = {{10, 18, 0.8}, {5, 50, 20}, {1, 162, 96.8}, {0, 1000, 1000}, {8, 28.88, 5.408}};
    for (const Row& r : rows) {
        double accel = 0, drag = 0;
        AccelForSetting(r.setting, accel, drag);
        EXPECT_NEAR(accel, r.accel, 1e-9) << "setting " << r.setting;
        EXPECT_NEAR(drag, r.drag, 1e-9) << "setting " << r.setting;
    }
}

TEST_F(Ship, ConstructionTakesTheSettingsAndNewGameKeepsFourInReserve) {
    settings.accel = 10;
    settings.shipHull = 8;
    settings.shipStartHull = 8;
    TShip fresh;
    EXPECT_DOUBLE_EQ(fresh.accel, 18);
    EXPECT_DOUBLE_EQ(fresh.drag, 0.8);
    fresh.startPosition = Vector3(0, -18, 0);
    fresh.score = 77;
    fresh.wavesStarted = 3;
    fresh.NewGame();
    EXPECT_EQ(fresh.lives, 4);
    EXPECT_EQ(fresh.score, 0);
    EXPECT_EQ(fresh.wavesStarted, 0);
    EXPECT_EQ(fresh.hull, 8);
    EXPECT_EQ(fresh.maxHull, 8);
    EXPECT_DOUBLE_EQ(fresh.invulnerable, 3.0);
    EXPECT_EQ(fresh.position, Vector3(0, -18, 0));
}

TEST_F(Ship, ThrustFromRestIsCappedAtTwenty) {
    ship->accel = 50;
    Hold(settings.keyThrust);
    for (int i = 0; i < 100; ++i) ship->Step(0.01);
    EXPECT_NEAR(Speed(), 20.0f, 1e-4);
    EXPECT_NEAR(ship->velocity.x, 0.0f, 1e-4);
}

TEST_F(Ship, CoastingStopsAfterSpeedOverDrag) {
    ship->drag = 20;
    ship->velocity = Vector3(10, 0, 0);
    for (int i = 0; i < 4; ++i) ship->Move(0.1);
    EXPECT_NEAR(Speed(), 2.0f, 1e-5);
    ship->Move(0.1);
    EXPECT_LT(Speed(), 1e-5f);

    double accel, drag;
    AccelForSetting(0, accel, drag);
    ship->drag = drag;
    ship->velocity = Vector3(10, 0, 0);
    ship->Move(1.0 / 60);
    EXPECT_EQ(Speed(), 0.0f);
}

TEST_F(Ship, WrapsOnlyWhenMovingOutThroughTheEdge) {
    ship->drag = 0;
    ship->position = Vector3(21, 0, 0);
    ship->velocity = Vector3(1, 0, 0);
    ship->Move(0);
    EXPECT_FLOAT_EQ(ship->position.x, -20.2f);
    ship->position = Vector3(21, 0, 0);
    ship->velocity = Vector3(-1, 0, 0);
    ship->Move(0);
    EXPECT_FLOAT_EQ(ship->position.x, 21.0f);
    ship->position = Vector3(0, -21, 0);
    ship->velocity = Vector3(0, -1, 0);
    ship->Move(0);
    EXPECT_FLOAT_EQ(ship->position.y, 20.2f);
}

TEST_F(Ship, SliderMovesSidewaysInsideTheArea) {
    ship->controlFlags = SHIP_SLIDER | SHIP_CLAMP;
    Hold(settings.keyLeft);
    for (int i = 0; i < 200; ++i) ship->Step(0.01);
    EXPECT_EQ(ship->thrustDir, Vector3(-1, 0, 0));
    EXPECT_EQ(ship->nose, Vector3(0, 1, 0));
    EXPECT_FLOAT_EQ(ship->position.x, -20.0f + 0.2f);
    EXPECT_FLOAT_EQ(ship->position.y, 0.0f);
    ReleaseAllDrivenKeys();
    ship->ReadControls();
    ship->Steer(0.01);
    EXPECT_EQ(ship->thrust, 0.0);
}

TEST_F(Ship, KeyboardTurnsSixRadiansASecondAndKeepsTheHeadingInRange) {
    Hold(settings.keyLeft);
    ship->ReadControls();
    ship->Steer(0.5);
    EXPECT_DOUBLE_EQ(ship->heading, 3.0);
    EXPECT_NEAR(ship->nose.x, -std::sin(3.0f), 1e-5);
    EXPECT_NEAR(ship->nose.y, std::cos(3.0f), 1e-5);
    ship->heading = 6.3;
    ship->FireAndShield(0);
    EXPECT_NEAR(ship->heading, 0.02, 1e-12);
    ship->heading = -0.1;
    ship->FireAndShield(0);
    EXPECT_DOUBLE_EQ(ship->heading, 6.28);
}

TEST_F(Ship, MouseSteersAndPlacesTheSlider) {
    settings.inputDevice = INPUT_MOUSE;
    theMouse = new TDIMouse();
    theMouse->buttonCount = 3;
    theMouse->dx = 50;
    theMouse->held[0] = theMouse->held[1] = theMouse->held[2] = 1;
    ship->ReadControls();
    EXPECT_EQ(ship->controls.fire, 1);
    EXPECT_EQ(ship->controls.thrust, 1);
    EXPECT_EQ(ship->controls.altFire, 0);  // button 1 thrusts in free flight
    EXPECT_EQ(ship->controls.shield, 1);
    ship->Steer(0.1);
    EXPECT_DOUBLE_EQ(ship->heading, -0.5);
    EXPECT_DOUBLE_EQ(ship->thrust, 1.0);

    theMouse->buttonCount = 2;
    ship->controlFlags = SHIP_SLIDER | SHIP_CLAMP;
    theMouse->x = 750;
    ship->ReadControls();
    EXPECT_EQ(ship->controls.altFire, 1);
    EXPECT_EQ(ship->controls.shield, 0);  // no third button
    ship->Steer(0.1);
    EXPECT_FLOAT_EQ(ship->position.x, 10.0f);
    theMouse->minX = theMouse->maxX = 0;
    ship->Steer(0.1);
    EXPECT_FLOAT_EQ(ship->position.x, -20.0f);
}

TEST_F(Ship, JoystickDeflectionBeyondAHundredSteers) {
    settings.inputDevice = INPUT_JOYSTICK;
    theJoystick = new ScriptedJoystick();
    theJoystick->buttonCount = 2;
    theJoystick->x = -101;
    theJoystick->y = -100;
    theJoystick->held[1] = 1;
    ship->ReadControls();
    EXPECT_EQ(ship->controls.left, 1);
    EXPECT_EQ(ship->controls.right, 0);
    EXPECT_EQ(ship->controls.thrust, 0);
    EXPECT_EQ(ship->controls.altFire, 1);
    theJoystick->x = 101;
    theJoystick->y = -101;
    Hold(settings.keyFire);  // the fire keys work with every device
    ship->ReadControls();
    EXPECT_EQ(ship->controls.right, 1);
    EXPECT_EQ(ship->controls.thrust, 1);
    EXPECT_EQ(ship->controls.fire, 1);
    EXPECT_EQ(ship->controls.brake, 0);
}

TEST_F(Ship, EachJoystickRoleButtonGivesItsControl) {
    settings.inputDevice = INPUT_JOYSTICK;
    theJoystick = new ScriptedJoystick();
    theJoystick->buttonCount = PAD_ROLE_BUTTONS;
    int32_t ShipControls::*controls[PAD_ROLE_BUTTONS] = {};
    controls[PAD_ROLE_FIRE] = &ShipControls::fire;
    controls[PAD_ROLE_ALT_FIRE] = &ShipControls::altFire;
    controls[PAD_ROLE_SHIELD] = &ShipControls::shield;
    for (int role = 0; role < PAD_ROLE_BUTTONS; ++role) {
        std::fill(std::begin(theJoystick->held), std::end(theJoystick->held), 0);
        theJoystick->held[role] = 1;
        ship->ReadControls();
        for (int other = 0; other < PAD_ROLE_BUTTONS; ++other)
            EXPECT_EQ(ship->controls.*controls[other], other == role ? 1 : 0) << role << " " << other;
    }
}

TEST_F(Ship, HeldFireShootsFiveTimesASecondUsingSuperMissilesFirst) {
    shots->playerSpeed = 0.001;
    ship->superMissiles = 1;
    ship->missiles = 1;
    Hold(settings.keyFire);
    ship->Step(0.01);
    EXPECT_EQ(shots->count, 3);
    EXPECT_EQ(ship->superMissiles, 0);
    EXPECT_EQ(ship->missiles, 1);
    EXPECT_DOUBLE_EQ(ship->fireCooldown, 0.2);
    for (int i = 0; i < 99; ++i) ship->Step(0.01);
    EXPECT_EQ(shots->count, 3 + 2 + 1 + 1 + 1);
    EXPECT_EQ(ship->missiles, 0);
}

TEST_F(Ship, AltFireFiresAStarburstRing) {
    ship->starbursts = 2;
    Hold(settings.keyAltFire);
    ship->Step(0.01);
    EXPECT_EQ(shots->count, 16);
    EXPECT_EQ(ship->starbursts, 1);
    EXPECT_DOUBLE_EQ(ship->altCooldown, 0.6);
    ship->Step(0.01);
    EXPECT_EQ(shots->count, 16);
}

TEST_F(Ship, SecondGameAltFireLaunchesOneFusedMissile) {
    CurrentGameScope secondGame(0, 1);
    ship->starbursts = 1;
    Hold(settings.keyAltFire);
    ship->Step(0.01);
    ASSERT_EQ(shots->count, 1);
    EXPECT_DOUBLE_EQ(shots->projectiles[0]->fuse, 0.5);
    EXPECT_EQ(ship->starbursts, 0);
}

TEST_F(Ship, ShieldBurnsEnergyAndBlocksDamage) {
    ship->shieldEnergy = 0.3;
    Hold(settings.keyShield);
    ship->Step(0.2);
    EXPECT_EQ(ship->shieldOn, 1);
    EXPECT_NEAR(ship->shieldEnergy, 0.1, 1e-12);
    int hull = ship->hull;
    ship->Damage(0, 0, 0);
    EXPECT_EQ(ship->hull, hull);
    EXPECT_EQ(booms->count, 0);
    ship->Step(0.2);
    EXPECT_EQ(ship->shieldOn, 0);
    EXPECT_EQ(ship->shieldEnergy, 0.0);
}

TEST_F(Ship, DamageCostsHullOnceAndHullZeroSurvivesNoFurtherHit) {
    ship->hull = 1;
    ship->Damage(1, 2, 3);
    EXPECT_EQ(ship->hull, 0);
    EXPECT_DOUBLE_EQ(ship->invulnerable, 0.1);
    ASSERT_EQ(booms->count, 3);
    EXPECT_EQ(booms->explosions[0]->flags, EXPLOSION_ATTACH_TO_SHIP);
    ship->Damage(1, 2, 3);  // still protected
    EXPECT_EQ(ship->hull, 0);
    EXPECT_EQ(booms->count, 3);
    ship->invulnerable = 0;
    ship->Damage(1, 2, 3);
    EXPECT_EQ(ship->hull, -1);
    EXPECT_DOUBLE_EQ(ship->respawnTimer, 2.0);
    EXPECT_EQ(booms->count, 3 + 3 + 5);
}

TEST_F(Ship, BumpThrowsTheShipAwayAtTwenty) {
    TAsteroid* rock = Place(RockKind(), {3, 4, 7}, {1, 0, 0}, 1.0);
    ship->position = Vector3(0, 0, 0);
    ship->Bump(*rock, Vector3(1, 1, 0));
    EXPECT_NEAR(ship->velocity.x, -12.0f, 1e-5);
    EXPECT_NEAR(ship->velocity.y, -16.0f, 1e-5);
    EXPECT_EQ(ship->velocity.z, 0.0f);
    EXPECT_EQ(ship->hull, settings.shipStartHull - 1);
}

TEST_F(Ship, CrashRaisesThePointToTheBottomEdgeAndDestroys) {
    ship->CrashAt(5, -30, 0);
    ASSERT_EQ(booms->count, 4 + 5);
    for (int i = 0; i < 4; ++i) {
        EXPECT_GE(booms->explosions[i]->position.y, -20.0f);
        EXPECT_LE(booms->explosions[i]->position.y, -20.0f + 0.45f);
    }
    EXPECT_DOUBLE_EQ(ship->respawnTimer, 2.0);
    ship->CrashAt(5, -30, 0);
    EXPECT_EQ(booms->count, 9);
}

TEST_F(Ship, DestroyedShipIsAbsentUntilItRespawns) {
    ship->startPosition = Vector3(0, -5, 0);
    ship->position = Vector3(7, 7, 0);
    ship->Destroy();
    uint64_t draws = device.Stats().drawCalls;
    ship->Step(1.0);
    ship->Draw();
    EXPECT_EQ(device.Stats().drawCalls, draws);
    EXPECT_EQ(ship->lives, 4);
    ship->Step(1.5);
    EXPECT_EQ(device.Stats().drawCalls, draws);  // the step draws nothing
    ship->Draw();
    EXPECT_EQ(ship->lives, 3);
    EXPECT_EQ(ship->position, Vector3(0, -5, 0));
    EXPECT_DOUBLE_EQ(ship->invulnerable, 1.5);
    EXPECT_GT(device.Stats().drawCalls, draws);
}

TEST_F(Ship, GameOverStopsTheShip) {
    ship->EndGame();
    EXPECT_EQ(ship->lives, -1);
    EXPECT_DOUBLE_EQ(ship->respawnTimer, -1.0);
    uint64_t draws = device.Stats().drawCalls;
    ship->Step(5.0);
    ship->Draw();
    EXPECT_EQ(device.Stats().drawCalls, draws);
    EXPECT_EQ(ship->lives, -1);
}

TEST_F(Ship, ShieldBubbleShowsWhileProtected) {
    ship->invulnerable = 1.0;
    ship->Step(0.01);
    DrawShip();
    EXPECT_EQ(device.Stats().drawCalls, 2u);
    ASSERT_TRUE(ship->boundsMesh);
    ship->invulnerable = 0;
    ship->Step(0.01);
    DrawShip();
    EXPECT_EQ(device.Stats().drawCalls, 3u);
}

TEST_F(Ship, ScoreKeepsItsPeakAndNeverDropsBelowZero) {
    ship->AddScore(300);
    ship->SubtractScore(100);
    EXPECT_EQ(ship->score, 200);
    EXPECT_EQ(ship->peakScore, 300);
    ship->SubtractScore(1000);
    EXPECT_EQ(ship->score, 0);
    ship->AddScore(50);
    EXPECT_EQ(ship->peakScore, 300);
}

TEST_F(Ship, PowerupsApplyWithinTheirLimits) {
    auto collect = [&](int32_t kind) {
        TAsteroid* p = Place(PowerupKind(), {0, 0, 0}, {1, 0, 0}, 1.0);
        p->kind.powerupKind = kind;
        ship->CollectPowerup(*p);
        EXPECT_EQ(p->dead, 1);
    };
    ship->starbursts = 9;
    collect(POWERUP_STARBURST);
    EXPECT_EQ(ship->starbursts, 9);
    ship->starbursts = 3;
    collect(POWERUP_STARBURST);
    EXPECT_EQ(ship->starbursts, 4);

    ship->shieldEnergy = 9.0;
    collect(POWERUP_SHIELD);
    EXPECT_DOUBLE_EQ(ship->shieldEnergy, 9.0);
    ship->shieldEnergy = 2.5;
    collect(POWERUP_SHIELD);
    EXPECT_DOUBLE_EQ(ship->shieldEnergy, 3.5);

    collect(POWERUP_MISSILES);
    collect(POWERUP_MISSILES);
    EXPECT_EQ(ship->missiles, 50);
    EXPECT_EQ(ship->superMissiles, 50);

    int lives = ship->lives;
    collect(POWERUP_SHIP);
    EXPECT_EQ(ship->lives, lives + 1);

    ship->hull = ship->maxHull;
    collect(POWERUP_HULL);
    EXPECT_EQ(ship->hull, ship->maxHull);
    ship->hull = 1;
    collect(POWERUP_HULL);
    EXPECT_EQ(ship->hull, 2);
}

TEST_F(Ship, FlyingIntoTheFieldBumpsOnRocksAndCollectsPowerups) {
    TAsteroid* rock = Place(RockKind(), {1.1f, 0, 0}, {1, 0, 0}, 1.0);
    rock->Move(0);
    ship->Step(0.01);
    EXPECT_EQ(ship->hull, settings.shipStartHull - 1);
    EXPECT_LT(ship->velocity.x, 0.0f);

    field->Clear();
    ship->position = Vector3(0, 0, 0);
    ship->velocity = Vector3();
    TAsteroid* star = Place(PowerupKind(), {1.1f, 0, 0}, {1, 0, 0}, 1.0);
    star->kind.powerupKind = POWERUP_STARBURST;
    star->Move(0);
    ship->invulnerable = 0;
    ship->Step(0.01);
    EXPECT_EQ(star->dead, 1);
    EXPECT_EQ(ship->starbursts, 1);
}

}  // namespace
