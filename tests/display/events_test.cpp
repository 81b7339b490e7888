// SDL events become window messages and key state; no video needed.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/keyboard.h"
#include "platform/messages.h"
#include "platform/sdl_events.h"
#include "platform/vk_map.h"

namespace {

std::vector<MSG> Drain() {
    std::vector<MSG> out;
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) out.push_back(msg);
    return out;
}

SDL_Event Key(SDL_Scancode sc, bool down, bool repeat = false) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat;
    e.key.keysym.scancode = sc;
    return e;
}

SDL_Event WindowEvent(uint8_t kind) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = kind;
    return e;
}

class EventsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetEventPump(nullptr);
        ClearMessageQueue();
        ReleaseAllPhysicalKeys();
        window_ = CreateHeadlessWindow(DefWindowProc);
    }
    HWND window_ = nullptr;
};

TEST(VirtualKeys, ScancodesMapToWindowsCodes) {
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_A), 'A');
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_Z), 'Z');
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_0), '0');
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_1), '1');
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_9), '9');
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_F1), VK_F1);
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_F12), VK_F12);
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_LSHIFT), VK_SHIFT);
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_RSHIFT), VK_SHIFT);
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_RCTRL), VK_CONTROL);
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_LALT), VK_MENU);
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_RALT), VK_MENU);
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_UP), VK_UP);
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_PAGEDOWN), VK_NEXT);
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_KP_ENTER), VK_RETURN);
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_KP_0), 0x60);
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_KP_9), 0x69);
    EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_APPLICATION), 0);
}

TEST_F(EventsTest, KeysPostKeyDownAndHoldTheKeyState) {
    TranslateSdlEvent(Key(SDL_SCANCODE_LCTRL, true), window_);
    EXPECT_TRUE(GetKeyState(VK_CONTROL) & 0x8000);
    TranslateSdlEvent(Key(SDL_SCANCODE_LCTRL, false), window_);
    EXPECT_FALSE(GetKeyState(VK_CONTROL) & 0x8000);
    const auto messages = Drain();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].hwnd, window_);
    EXPECT_EQ(messages[0].message, WM_KEYDOWN);
    EXPECT_EQ(messages[0].wParam, WPARAM(VK_CONTROL));
    EXPECT_EQ(messages[0].lParam & (LPARAM{1} << 30), 0);
    EXPECT_EQ(messages[1].message, WM_KEYUP);
}

TEST_F(EventsTest, RepeatsAreMarkedAsPreviouslyDown) {
    TranslateSdlEvent(Key(SDL_SCANCODE_F3, true, /*repeat=*/true), window_);
    const auto messages = Drain();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].wParam, WPARAM(VK_F3));
    EXPECT_NE(messages[0].lParam & (LPARAM{1} << 30), 0);
}

TEST_F(EventsTest, EscapeEnterAndBackspaceAlsoPostCharacters) {
    TranslateSdlEvent(Key(SDL_SCANCODE_ESCAPE, true), window_);
    TranslateSdlEvent(Key(SDL_SCANCODE_RETURN, true), window_);
    TranslateSdlEvent(Key(SDL_SCANCODE_BACKSPACE, true), window_);
    TranslateSdlEvent(Key(SDL_SCANCODE_Q, true), window_);  // 'q' comes from text input
    const auto messages = Drain();
    ASSERT_EQ(messages.size(), 7u);
    const std::pair<uint32_t, WPARAM> expected[] = {{WM_KEYDOWN, VK_ESCAPE}, {WM_CHAR, 27}, {WM_KEYDOWN, VK_RETURN},
                                                    {WM_CHAR, 13},           {WM_KEYDOWN, VK_BACK}, {WM_CHAR, 8},
                                                    {WM_KEYDOWN, 'Q'}};
    for (size_t i = 0; i < messages.size(); ++i) {
        EXPECT_EQ(messages[i].message, expected[i].first) << i;
        EXPECT_EQ(messages[i].wParam, expected[i].second) << i;
    }
}

TEST_F(EventsTest, TextInputPostsOneCharacterPerCodePoint) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, "q\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xFFz", sizeof e.text.text);  // q é € 😀, a stray byte, z
    TranslateSdlEvent(e, window_);
    const auto messages = Drain();
    const std::vector<WPARAM> expected = {'q', 0xE9, 0x20AC, 0x1F600, 'z'};
    ASSERT_EQ(messages.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(messages[i].message, WM_CHAR);
        EXPECT_EQ(messages[i].wParam, expected[i]);
    }
}

TEST_F(EventsTest, WindowEventsPostCursorFocusAndClose) {
    TranslateSdlEvent(WindowEvent(SDL_WINDOWEVENT_ENTER), window_);
    TranslateSdlEvent(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), window_);
    TranslateSdlEvent(Key(SDL_SCANCODE_UP, true), window_);
    TranslateSdlEvent(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST), window_);
    EXPECT_FALSE(GetKeyState(VK_UP) & 0x8000) << "keys held when focus goes are released";
    TranslateSdlEvent(WindowEvent(SDL_WINDOWEVENT_CLOSE), window_);
    const auto messages = Drain();
    const std::vector<uint32_t> expected = {WM_SETCURSOR, WM_SETFOCUS, WM_KEYDOWN, WM_KILLFOCUS, WM_CLOSE};
    ASSERT_EQ(messages.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(messages[i].message, expected[i]) << i;
    EXPECT_EQ(messages[0].wParam, reinterpret_cast<WPARAM>(window_));
}

TEST_F(EventsTest, WithoutAWindowOnlyTheKeyStateChanges) {
    TranslateSdlEvent(Key(SDL_SCANCODE_SPACE, true), nullptr);
    EXPECT_TRUE(GetKeyState(VK_SPACE) & 0x8000);
    EXPECT_TRUE(Drain().empty());
}

}  // namespace
