// The computer player's look-ahead and its answers to a rock on course for
// the ship: dodge when there is time, shield when there is not.
#include "framework/gameglobals.h"
#include "game/asteroid.h"
#include "game/autopilot.h"
#include "game/autopilot_foresight.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "platform/keyboard.h"
#include "session_fixture.h"

namespace {

class AutopilotTest : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        theShip->invulnerable = 0;
        theShip->position = {0, 0, 0};
        Frame(0.0f);  // the first wave
        theAsteroids->Clear();
    }

    // One unbreakable rock of radius 1 at (x, y) moving along (dx, dy).
    TAsteroid& Rock(float x, float y, float dx, float dy, double speed) {
        TAsteroid& rock = *theAsteroids->Spawn(KIND_ROCK, KEY_ROCK, -1);
        rock.kind.flags |= KIND_SHOT_PROOF;
        rock.SetSize(1.0);
        rock.position = {x, y, 0};
        rock.SetDirection(dx, dy);
        rock.speed = speed;
        rock.Move(0);
        return rock;
    }

    bool Down(int key) const { return (GetKeyState(key) & 0x8000) != 0; }

    Autopilot pilot;
};

TEST_F(AutopilotTest, ForesightSeesHitsAcrossTheEdgeAndMisses) {
    Rock(10, 0, -1, 0, 20);
    EXPECT_LT(Foresight(*theShip).Clearance({}, 1.0), 0) << "straight at the ship";
    theAsteroids->Clear();
    Rock(10, 0, 1, 0, 20);
    EXPECT_GT(Foresight(*theShip).Clearance({}, 0.3), 2) << "going away";
    theAsteroids->Clear();
    theShip->position = {-18, 0, 0};
    Rock(18, 0, 1, 0, 10);
    EXPECT_LT(Foresight(*theShip).Clearance({}, 0.5), 0) << "the play area wraps";
    // Thrust and turning carry the ship out of the way of a slower rock.
    theAsteroids->Clear();
    theShip->position = {0, 0, 0};
    theShip->heading = 0;  // nose up
    Rock(12, 0, -1, 0, 12);
    EXPECT_GT(Foresight(*theShip).Clearance({0, true}, 1.2), Foresight(*theShip).Clearance({}, 1.2));
}

TEST_F(AutopilotTest, DodgesARockItCannotShoot) {
    Rock(14, 0.5f, -1, 0, 10);
    const int hull = theShip->hull;
    for (int i = 0; i < 150; ++i) {
        pilot.Drive(1.0 / 60);
        Frame(1.0f / 60);
    }
    EXPECT_EQ(theShip->hull, hull);
    EXPECT_EQ(theShip->lives, 4);
}

TEST_F(AutopilotTest, ShieldForAHitTooSoonToDodge) {
    Rock(2.2f, 0, -1, 0, 20);
    theShip->shieldEnergy = 2;
    pilot.Drive(1.0 / 60);
    EXPECT_TRUE(Down(settings.keyShield));

    // Still protected after a respawn: no shield wasted.
    theShip->invulnerable = 1;
    pilot.Drive(1.0 / 60);
    EXPECT_FALSE(Down(settings.keyShield));

    // Nothing near: the shield stays down.
    theShip->invulnerable = 0;
    theAsteroids->Clear();
    Rock(15, 15, 1, 1, 5);
    pilot.Drive(1.0 / 60);
    EXPECT_FALSE(Down(settings.keyShield));
}

TEST_F(AutopilotTest, StarburstIntoACrowd) {
    for (int i = 0; i < 5; ++i) Rock(-3.0f + 1.5f * i, 4, 0, 1, 1);
    pilot.Drive(1.0 / 60);
    EXPECT_FALSE(Down(settings.keyAltFire)) << "no starbursts to fire";
    theShip->starbursts = 2;
    pilot.Drive(1.0 / 60);
    EXPECT_TRUE(Down(settings.keyAltFire));
}

}  // namespace
