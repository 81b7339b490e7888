#include <gtest/gtest.h>

#include <vector>

#include "platform/game_window.h"

namespace {

std::vector<GameEventType> g_seen;

void RecordingHandler(const GameEvent& event) {
    g_seen.push_back(event.type);
    if (event.type == GameEventType::Destroyed) PostQuit(7);
}

class GameWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearEventQueue();
        g_seen.clear();
    }
};

TEST_F(GameWindowTest, EventsComeOutInOrderWithTheirWindow) {
    GameWindow* w = CreateHeadlessWindow(RecordingHandler);
    PostEvent(w, CharacterEvent('a'));
    PostEvent(w, KeyDownEvent(0x72));
    QueuedEvent queued;
    ASSERT_TRUE(PollEvent(&queued));
    EXPECT_EQ(queued.window, w);
    EXPECT_EQ(queued.event, CharacterEvent('a'));
    ASSERT_TRUE(PollEvent(&queued));
    EXPECT_EQ(queued.event.type, GameEventType::KeyDown);
    EXPECT_EQ(queued.event.key, 0x72);
    EXPECT_FALSE(PollEvent(&queued));
}

TEST_F(GameWindowTest, CloseDestroysTheWindowWhichPostsQuit) {
    GameWindow* w = CreateHeadlessWindow(RecordingHandler);
    SendEvent(w, Event(GameEventType::CloseRequested));
    EXPECT_TRUE(w->destroyed);
    const std::vector<GameEventType> expected = {GameEventType::CloseRequested, GameEventType::Destroyed};
    EXPECT_EQ(g_seen, expected);
    QueuedEvent queued;
    ASSERT_TRUE(PollEvent(&queued));
    EXPECT_EQ(queued.window, nullptr);
    EXPECT_EQ(queued.event.type, GameEventType::Quit);
    EXPECT_EQ(queued.event.exitCode, 7);
    // A destroyed window gets nothing more and cannot be destroyed twice.
    EXPECT_FALSE(DestroyGameWindow(w));
    PostEvent(w, CharacterEvent('x'));
    ASSERT_TRUE(PollEvent(&queued));
    DispatchEvent(queued);
    EXPECT_EQ(g_seen.size(), 2u);
}

TEST_F(GameWindowTest, OtherEventsLeaveTheWindowOpen) {
    GameWindow* w = CreateHeadlessWindow(RecordingHandler);
    for (GameEventType type : {GameEventType::FocusLost, GameEventType::Exposed, GameEventType::PointerEntered})
        SendEvent(w, Event(type));
    SendEvent(w, KeyDownEvent(27));
    EXPECT_FALSE(w->destroyed);
    EXPECT_EQ(g_seen.size(), 4u);
}

TEST_F(GameWindowTest, AWindowWithoutAHandlerStillClosesWithoutPostingQuit) {
    GameWindow* w = CreateHeadlessWindow(nullptr);
    SendEvent(w, Event(GameEventType::CloseRequested));
    EXPECT_TRUE(w->destroyed);
    QueuedEvent queued;
    EXPECT_FALSE(PollEvent(&queued));
}

TEST_F(GameWindowTest, ThePumpRunsBeforeEveryPoll) {
    int pumps = 0;
    SetEventPump([&] { ++pumps; });
    QueuedEvent queued;
    PollEvent(&queued);
    PollEvent(&queued);
    SetEventPump(nullptr);
    EXPECT_EQ(pumps, 2);
}

}  // namespace
