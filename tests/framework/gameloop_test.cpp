#include <gtest/gtest.h>

#include <vector>

#include "fake_clock.h"
#include "framework/tgame.h"
#include "framework/timer.h"
#include "platform/messages.h"

namespace {

// A game whose frames and window messages are recorded in one trace.
class TracingGame : public TGame {
public:
    int Display(float dt) override {
        trace.push_back("frame");
        dts.push_back(dt);
        if (++frames == quitAfter) PostQuitMessage(3);
        if (frames == messageAt) PostMessage(window, WM_CHAR, 'x', 0);
        return 1;
    }
    std::vector<std::string> trace;
    std::vector<float> dts;
    int frames = 0, quitAfter = 3, messageAt = -1;
    HWND window = nullptr;
};

TracingGame* g_game = nullptr;

LRESULT Proc(HWND, uint32_t message, WPARAM, LPARAM) {
    if (message == WM_CHAR) g_game->trace.push_back("char");
    return 0;
}

class GameLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearMessageQueue();
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

TEST_F(GameLoopTest, MessagesAreHandledBeforeTheNextFrame) {
    TracingGame game;
    g_game = &game;
    game.window = CreateHeadlessWindow(Proc);
    game.messageAt = 1;
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

}  // namespace
