#include <gtest/gtest.h>

#include <vector>

#include "fake_clock.h"
#include "framework/gameloop.h"
#include "framework/tgame.h"
#include "framework/timer.h"
#include "platform/game_window.h"

namespace {

// A game whose frames and window events are recorded in one trace.
class TracingGame : public TGame {
public:
    int Display(float dt) override {
        trace.push_back("frame");
        dts.push_back(dt);
        if (++frames == quitAfter) PostQuit(3);
        if (frames == eventAt) PostEvent(window, CharacterEvent('x'));
        return 1;
    }
    std::vector<std::string> trace;
    std::vector<float> dts;
    int frames = 0, quitAfter = 3, eventAt = -1;
    GameWindow* window = nullptr;
};

TracingGame* g_game = nullptr;

void Handler(const GameEvent& event) {
    if (event.type == GameEventType::Character) g_game->trace.push_back("char");
}

class GameLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearEventQueue();
        SetClock(&clock_);
        frameClock.timingFallback = 0;
    }
    void TearDown() override { SetClock(nullptr); }
    FakeClock clock_;
};

TEST_F(GameLoopTest, QuitEndsTheLoopBeforeTheNextFrameAndReturnsItsCode) {
    TracingGame game;
    g_game = &game;
    EXPECT_EQ(game.Run(), 3);
    EXPECT_EQ(game.frames, 3);
    EXPECT_FLOAT_EQ(game.dts[0], 0.0f);  // first frame after Run starts
}

TEST_F(GameLoopTest, EventsAreHandledBeforeTheNextFrame) {
    TracingGame game;
    g_game = &game;
    game.window = CreateHeadlessWindow(Handler);
    game.eventAt = 1;
    game.Run();
    std::vector<std::string> expected = {"frame", "char", "frame", "frame"};
    EXPECT_EQ(game.trace, expected);
}

TEST_F(GameLoopTest, TimeIsMeasuredBetweenFrames) {
    TracingGame game;
    g_game = &game;
    clock_.counts = {0, 0, 16, 33};
    game.Run();
    ASSERT_EQ(game.dts.size(), 3u);
    EXPECT_FLOAT_EQ(game.dts[1], 0.016f);
    EXPECT_FLOAT_EQ(game.dts[2], 0.017f);
}

// One call per frame: each call handles what is pending, then draws; the
// call that takes the quit draws nothing and leaves later events queued.
TEST_F(GameLoopTest, EachFrameCallDrainsPendingEventsThenDraws) {
    TracingGame game;
    g_game = &game;
    game.quitAfter = -1;
    game.window = CreateHeadlessWindow(Handler);
    GameLoop loop(game);
    loop.Start();
    PostEvent(game.window, CharacterEvent('a'));
    PostEvent(game.window, CharacterEvent('b'));
    EXPECT_TRUE(loop.Frame());
    EXPECT_TRUE(loop.Frame());
    std::vector<std::string> expected = {"char", "char", "frame", "frame"};
    EXPECT_EQ(game.trace, expected);

    PostEvent(game.window, CharacterEvent('c'));
    PostQuit(9);
    PostEvent(game.window, CharacterEvent('d'));
    EXPECT_FALSE(loop.Frame());
    EXPECT_EQ(loop.exitCode(), 9);
    expected.push_back("char");
    EXPECT_EQ(game.trace, expected) << "nothing after the quit is handled or drawn";
    QueuedEvent left;
    ASSERT_TRUE(PollEvent(&left));
    EXPECT_EQ(left.event, CharacterEvent('d'));
}

}  // namespace
