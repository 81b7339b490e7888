#include "framework/timer.h"
#include "game/background.h"
#include "game/scoreboard.h"
#include "gamelib/edgerender.h"
#include "world_fixture.h"

namespace {

using SessionReset = WorldTest;

TEST_F(SessionReset, ClearsTheFlagsAndDestroysTheSessionsObjects) {
    quitting = paused = endRequested = postQuitOnDestroy = 1;
    outlineEdgesEnabled = 1;
    frameClock.fpsMin = 3;
    theScoreBoard = std::make_unique<TScoreBoard>();
    theBackground = std::make_unique<TBackground>(&device);
    TExplosions* explosions = theExplosions.get();

    ResetSessionGlobals();
    EXPECT_EQ(quitting + paused + endRequested + postQuitOnDestroy, 0);
    EXPECT_EQ(outlineEdgesEnabled, 0);
    EXPECT_DOUBLE_EQ(frameClock.fpsMin, 500.0);
    EXPECT_EQ(theAsteroids, nullptr);
    EXPECT_EQ(theShip, nullptr);
    EXPECT_EQ(theProjectiles, nullptr);
    EXPECT_EQ(theScoreBoard, nullptr);
    EXPECT_EQ(theBackground, nullptr);
    // The next setup replaces the explosions itself.
    EXPECT_EQ(theExplosions.get(), explosions);

    ResetSessionGlobals();  // absent objects are skipped
    EXPECT_EQ(theShip, nullptr);
}

}  // namespace
