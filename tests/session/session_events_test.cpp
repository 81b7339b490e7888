#include "framework/gameglobals.h"
#include "game/asteroid.h"
#include "game/highscore_board.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "persist/highscore.h"
#include "platform/keyboard.h"
#include "session_fixture.h"

namespace {

using SessionEventsTest = SessionTest;

TEST_F(SessionEventsTest, EscapePausesAndAnyOtherKeyButRResumes) {
    Char(27);
    EXPECT_EQ(paused, 1);
    Char('r');  // restart only works on the table: the pause stays
    EXPECT_EQ(paused, 1);
    EXPECT_EQ(gameState, GAME_STATE_PLAYING);
    Char('x');
    EXPECT_EQ(paused, 0);
}

TEST_F(SessionEventsTest, KeysThatTypeNothingResumeAPauseToo) {
    for (int key : {VK_TAB, VK_LEFT, VK_UP, VK_HOME, VK_NEXT, VK_F1, VK_F9}) {
        SCOPED_TRACE(key);
        Char(27);
        if (key == VK_TAB)
            Char(9);  // Tab arrives as a typed character too
        else
            Key(key);
        EXPECT_EQ(paused, 0);
    }
    // Modifiers and a held key's repeat leave the pause.
    Char(27);
    for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU}) Key(key);
    SendEvent(window, KeyDownEvent(VK_RIGHT, true));
    EXPECT_EQ(paused, 1);
    // While a name is entered, keys that type nothing change nothing.
    gameState = GAME_STATE_ENTER_NAME;
    Key(VK_LEFT);
    EXPECT_EQ(paused, 1);
}

TEST_F(SessionEventsTest, QuitOnlyAbandonsAPausedGame) {
    Char('q');
    EXPECT_EQ(theShip->lives, 4);
    Char(27);
    Char('Q');  // upper case counts the same
    EXPECT_EQ(theShip->lives, -1);
    EXPECT_EQ(paused, 0);
}

// A controller alone pauses, resumes, abandons a game, enters a name, plays
// again and leaves, as the keyboard's keys do.
TEST_F(SessionEventsTest, StartAndBackPauseAndQuitAsTheKeysDo) {
    auto press = [this](PadEventButton button) { SendEvent(window, PadButtonEvent(button)); };
    press(PAD_EVENT_START);
    EXPECT_EQ(paused, 1);
    press(PAD_EVENT_START);
    EXPECT_EQ(paused, 0);
    // Back pauses first: one stray press never ends a game.
    press(PAD_EVENT_BACK);
    EXPECT_EQ(paused, 1);
    EXPECT_EQ(theShip->lives, 4);
    press(PAD_EVENT_BACK);
    EXPECT_EQ(theShip->lives, -1);
    EXPECT_EQ(paused, 0);
    EXPECT_EQ(endRequested, 0);

    // The score made the table: either button accepts the name as it is.
    gameState = GAME_STATE_ENTER_NAME;
    ASSERT_TRUE(theHighScoreBoard->AddScore(500));
    Char('j');
    press(PAD_EVENT_BACK);
    EXPECT_EQ(theHighScoreBoard->done, 1);
    EXPECT_EQ(highScores[0].playerName, "j");
    EXPECT_EQ(endRequested, 0);

    // On the table Start plays again and Back leaves.
    gameState = GAME_STATE_HIGH_SCORES;
    press(PAD_EVENT_START);
    EXPECT_EQ(gameState, GAME_STATE_PLAYING);
    EXPECT_EQ(theShip->lives, 4);
    EXPECT_EQ(paused, 0);
    gameState = GAME_STATE_HIGH_SCORES;
    press(PAD_EVENT_BACK);
    EXPECT_EQ(endRequested, 1);
}

TEST_F(SessionEventsTest, CheatKeysNeedTheSetting) {
    Key(VK_F6);
    EXPECT_EQ(theShip->starbursts, 0);
    settings.enableCheat = 1;
    Key(VK_F6);
    EXPECT_EQ(theShip->starbursts, 250);
    double before = theShip->invulnerable;
    Key(VK_F3);
    Key(VK_F3);
    EXPECT_DOUBLE_EQ(theShip->invulnerable, before + 600.0);
    Key(VK_F5);
    EXPECT_EQ(theAsteroids->wave, 1);
    Key(VK_F7);
    EXPECT_EQ(theShip->missiles, 50);
    Key(VK_F4);
    EXPECT_EQ(theAsteroids->CountWithFlags(KIND_POWERUP), 1);
    Key(VK_F8);
    EXPECT_DOUBLE_EQ(theShip->respawnTimer, 2.0);
}

TEST_F(SessionEventsTest, NameEntryTakesEveryCharacterAsText) {
    gameState = GAME_STATE_ENTER_NAME;
    ASSERT_TRUE(theHighScoreBoard->AddScore(500));
    for (uint32_t ch : {uint32_t('q'), uint32_t('r'), 27u, uint32_t('a')}) Char(ch);
    EXPECT_EQ(highScores[0].playerName, "qra");  // Escape is a control character: ignored
    EXPECT_EQ(paused, 0);
    EXPECT_EQ(theShip->lives, 4);
    Char(13);
    EXPECT_EQ(theHighScoreBoard->done, 1);
    EXPECT_EQ(namesSaved, 1);
}

TEST_F(SessionEventsTest, DestroyPostsQuitOnlyOnceSetupArmedIt) {
    postQuitOnDestroy = 0;
    DestroyGameWindow(window);
    QueuedEvent queued;
    EXPECT_FALSE(PollEvent(&queued));
    GameWindow* second = CreateHeadlessWindow(game->GetEventHandler());
    postQuitOnDestroy = 1;
    DestroyGameWindow(second);
    ASSERT_TRUE(PollEvent(&queued));
    EXPECT_EQ(queued.event.type, GameEventType::Quit);
}

// The close button during play ends the loop before another frame is drawn.
TEST_F(SessionEventsTest, CloseDuringPlayEndsTheLoopBeforeTheNextFrame) {
    Frame();
    const uint64_t frames = device.Stats().frames;
    PostEvent(window, Event(GameEventType::CloseRequested));
    EXPECT_EQ(game->Run(), 0);
    EXPECT_TRUE(window->destroyed);
    EXPECT_EQ(device.Stats().frames, frames);
    EXPECT_EQ(gameState, GAME_STATE_PLAYING);
}

TEST_F(SessionEventsTest, KeyUpsExposureAndThePointerChangeNoPlay) {
    settings.enableCheat = 1;
    SendEvent(window, KeyUpEvent(VK_F6));
    SendEvent(window, Event(GameEventType::Exposed));
    SendEvent(window, Event(GameEventType::PointerEntered));
    EXPECT_EQ(theShip->starbursts, 0);
    EXPECT_EQ(paused, 0);
    EXPECT_FALSE(window->destroyed);
}

}  // namespace
