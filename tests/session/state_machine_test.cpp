#include "framework/display.h"
#include "framework/gameglobals.h"
#include "framework/timer.h"
#include "game/asteroid.h"
#include "game/highscore_board.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "persist/highscore.h"
#include "session_fixture.h"

namespace {

using StateMachineTest = SessionTest;

TEST_F(StateMachineTest, TheFirstFrameStartsWaveOneFromTheEmptyField) {
    Frame();
    EXPECT_EQ(theAsteroids->wave, 1);
    EXPECT_EQ(theShip->wave, 1);
    EXPECT_EQ(device.Stats().frames, 1u);
}

TEST_F(StateMachineTest, ALongFrameIsSimulatedAsOneSecond) {
    ResetFrameStatistics();
    Frame(3.0f);
    EXPECT_DOUBLE_EQ(frameClock.fpsTime, 1.0);
    EXPECT_EQ(frameClock.fpsFrames, 1);
}

TEST_F(StateMachineTest, WorldStandsStillWhilePaused) {
    Frame();
    theShip->velocity = {5, 0, 0};
    Vector3 before = theShip->position;
    paused = 1;
    Frame(0.5f);
    EXPECT_EQ(theShip->position, before);
    paused = 0;
    Frame(0.1f);
    EXPECT_NE(theShip->position.x, before.x);
}

TEST_F(StateMachineTest, LivesAtZeroPlayOnAndBelowZeroEndTheGame) {
    Frame();
    theShip->lives = 0;
    Frame();
    EXPECT_EQ(gameState, GAME_STATE_PLAYING);
    theShip->AddScore(700);
    theShip->lives = -1;
    Frame();
    EXPECT_EQ(gameState, GAME_STATE_ENTER_NAME);
    EXPECT_EQ(highScores[0].score, 700);
    for (char c : std::string("ACE\r")) Char(static_cast<uint8_t>(c));
    Frame();
    EXPECT_EQ(gameState, GAME_STATE_HIGH_SCORES);
    EXPECT_EQ(highScores[0].playerName, "ACE");
    EXPECT_EQ(namesSaved, 1);
}

TEST_F(StateMachineTest, ScoreThatDoesNotQualifyGoesStraightToTheTable) {
    for (THighScore& h : highScores) h.score = 1000;
    Frame();
    theShip->AddScore(100);
    theShip->EndGame();
    Frame();
    EXPECT_EQ(gameState, GAME_STATE_HIGH_SCORES);
    paused = 1;
    Frame();
    EXPECT_EQ(paused, 0);  // no pause on the table
}

TEST_F(StateMachineTest, RestartFromTheTableStartsWaveOneWithFullLives) {
    Frame();
    settings.enableCheat = 1;
    Key(0x74);  // F5: next wave
    EXPECT_EQ(theAsteroids->wave, 2);
    theShip->EndGame();
    Frame();
    ASSERT_EQ(gameState, GAME_STATE_HIGH_SCORES);
    Char('r');
    EXPECT_EQ(gameState, GAME_STATE_PLAYING);
    EXPECT_EQ(theShip->lives, 4);
    EXPECT_EQ(theShip->score, 0);
    EXPECT_EQ(theAsteroids->wave, 1);
}

TEST_F(StateMachineTest, QuitFromTheTableEndsTheSessionAfterTheNextFrame) {
    Frame();
    theShip->EndGame();
    Frame();
    Char('q');
    EXPECT_EQ(endRequested, 1);
    EXPECT_FALSE(window->destroyed);
    uint64_t frames = device.Stats().frames;
    Frame();
    EXPECT_EQ(device.Stats().frames, frames + 1);  // that frame is still shown
    EXPECT_EQ(quitting, 1);
    EXPECT_TRUE(window->destroyed);
    QueuedEvent queued;
    ASSERT_TRUE(PollEvent(&queued));
    EXPECT_EQ(queued.event.type, GameEventType::Quit);
    Frame();
    EXPECT_EQ(device.Stats().frames, frames + 1);  // nothing more is drawn
}

}  // namespace
