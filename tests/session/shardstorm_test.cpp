#include "game/asteroid.h"
#include "game/gamepacks.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "persist/highscore.h"
#include "session_fixture.h"

namespace {

class ShardstormTest : public SessionTest {
protected:
    void SetUp() override {
        BuildSession(3);
        storm = static_cast<TShardstorm*>(game);
        theAsteroids->fallingMode = 1;
        theAsteroids->timedSpawns = 1;
        storm->OnNewGame();
    }
    TShardstorm* storm = nullptr;
};

TEST_F(ShardstormTest, SpeedRampStepsStrictlyAboveEachTenThousand) {
    theShip->peakScore = 10000;
    Frame();
    EXPECT_FLOAT_EQ(theAsteroids->speedMin, 10.0f);
    theShip->peakScore = 10001;
    Frame();
    EXPECT_EQ(storm->nextSpeedUpScore, 20000);
    theShip->peakScore = 40001;  // caught up one step per frame
    Frame();
    Frame();
    EXPECT_NEAR(theAsteroids->speedMin, 13.31f, 1e-4);
    EXPECT_NEAR(theAsteroids->speedMax, 26.62f, 1e-4);
    EXPECT_NEAR(theAsteroids->spawnInterval, 0.729f, 1e-5);
    EXPECT_EQ(storm->nextSpeedUpScore, 40000);
}

TEST_F(ShardstormTest, RestartRestoresTheDifficultysPace) {
    theShip->peakScore = 50001;
    for (int i = 0; i < 5; ++i) Frame();
    ASSERT_GT(theAsteroids->speedMin, 10.0f);
    for (THighScore& h : highScores) h.score = 100000;
    theShip->EndGame();
    Frame();
    ASSERT_EQ(gameState, GAME_STATE_HIGH_SCORES);
    Char('r');
    EXPECT_EQ(storm->nextSpeedUpScore, 10000);
    EXPECT_FLOAT_EQ(theAsteroids->speedMin, 10.0f);
    EXPECT_FLOAT_EQ(theAsteroids->speedMax, 20.0f);
    EXPECT_FLOAT_EQ(theAsteroids->spawnInterval, 1.0f);
}

TEST_F(ShardstormTest, TheTableRecordsThePeakScore) {
    theShip->AddScore(15000);
    theShip->SubtractScore(5000);
    theShip->EndGame();
    Frame();
    EXPECT_EQ(highScores[0].score, 15000);
}

TEST_F(ShardstormTest, QuitEndsTheSessionInsideTheFrame) {
    theShip->EndGame();
    Frame();
    Char('q');
    Frame();
    EXPECT_TRUE(window->destroyed);
    EXPECT_EQ(theShip, nullptr);  // the objects go at clean-up
    QueuedEvent queued;
    ASSERT_TRUE(PollEvent(&queued));
    EXPECT_EQ(queued.event.type, GameEventType::Quit);
}

}  // namespace
