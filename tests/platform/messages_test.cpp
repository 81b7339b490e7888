#include <gtest/gtest.h>

#include <vector>

#include "platform/messages.h"

namespace {

std::vector<uint32_t> g_seen;

LRESULT RecordingProc(HWND hwnd, uint32_t message, WPARAM wParam, LPARAM lParam) {
    g_seen.push_back(message);
    if (message == WM_DESTROY) PostQuitMessage(7);
    return DefWindowProc(hwnd, message, wParam, lParam);
}

class MessagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearMessageQueue();
        g_seen.clear();
    }
};

TEST_F(MessagesTest, MessagesComeOutInOrderAndPeekCanLeaveThem) {
    HWND w = CreateHeadlessWindow(RecordingProc);
    PostMessage(w, WM_CHAR, 'a', 0);
    PostMessage(w, WM_KEYDOWN, 0x72, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_CHAR);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 'a');
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_KEYDOWN);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessagesTest, CloseDestroysTheWindowWhichPostsQuit) {
    HWND w = CreateHeadlessWindow(RecordingProc);
    SendMessage(w, WM_CLOSE, 0, 0);
    EXPECT_TRUE(w->destroyed);
    ASSERT_EQ(g_seen.size(), 2u);
    EXPECT_EQ(g_seen[1], WM_DESTROY);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 7u);
    // A destroyed window gets nothing more and cannot be destroyed twice.
    EXPECT_FALSE(DestroyWindow(w));
    PostMessage(w, WM_CHAR, 'x', 0);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    DispatchMessage(&msg);
    EXPECT_EQ(g_seen.size(), 2u);
}

TEST_F(MessagesTest, ThePumpRunsBeforeEveryPeek) {
    int pumps = 0;
    SetEventPump([&] { ++pumps; });
    MSG msg;
    PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
    PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
    SetEventPump(nullptr);
    EXPECT_EQ(pumps, 2);
}

}  // namespace
