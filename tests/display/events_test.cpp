// SDL events become game events and key state; no video needed.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/keyboard.h"
#include "platform/game_window.h"
#include "platform/sdl_events.h"
#include "platform/vk_map.h"

namespace {

std::vector<QueuedEvent> Drain() {
    std::vector<QueuedEvent> out;
    QueuedEvent queued;
    while (PollEvent(&queued)) out.push_back(queued);
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
        ClearEventQueue();
        ReleaseAllPhysicalKeys();
        window_ = CreateHeadlessWindow(nullptr);
    }
    GameWindow* window_ = nullptr;
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

TEST(VirtualKeys, EachCodeLeadsBackToItsFirstPhysicalKey) {
    for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc) {
        const int vk = VirtualKeyFromScancode(SDL_Scancode(sc));
        if (!vk) continue;
        EXPECT_EQ(VirtualKeyFromScancode(ScancodeFromVirtualKey(vk)), vk) << sc;
    }
    EXPECT_EQ(ScancodeFromVirtualKey('A'), SDL_SCANCODE_A);
    EXPECT_EQ(ScancodeFromVirtualKey('0'), SDL_SCANCODE_0);
    EXPECT_EQ(ScancodeFromVirtualKey(VK_SHIFT), SDL_SCANCODE_LSHIFT);
    EXPECT_EQ(ScancodeFromVirtualKey(VK_RETURN), SDL_SCANCODE_RETURN);
    for (int none : {0, -1, 0x07, 0xFF}) EXPECT_EQ(ScancodeFromVirtualKey(none), SDL_SCANCODE_UNKNOWN) << none;
}

TEST_F(EventsTest, KeysPostKeyDownAndHoldTheKeyState) {
    TranslateSdlEvent(Key(SDL_SCANCODE_LCTRL, true), window_);
    EXPECT_TRUE(GetKeyState(VK_CONTROL) & 0x8000);
    TranslateSdlEvent(Key(SDL_SCANCODE_LCTRL, false), window_);
    EXPECT_FALSE(GetKeyState(VK_CONTROL) & 0x8000);
    const auto events = Drain();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].window, window_);
    EXPECT_EQ(events[0].event, KeyDownEvent(VK_CONTROL, /*repeat=*/false));
    EXPECT_EQ(events[1].event, KeyUpEvent(VK_CONTROL));
}

TEST_F(EventsTest, RepeatsAreMarkedAsPreviouslyDown) {
    TranslateSdlEvent(Key(SDL_SCANCODE_F3, true, /*repeat=*/true), window_);
    const auto events = Drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].event.key, VK_F3);
    EXPECT_TRUE(events[0].event.repeat);
}

TEST_F(EventsTest, EscapeEnterBackspaceAndTabAlsoPostCharacters) {
    TranslateSdlEvent(Key(SDL_SCANCODE_ESCAPE, true), window_);
    TranslateSdlEvent(Key(SDL_SCANCODE_RETURN, true), window_);
    TranslateSdlEvent(Key(SDL_SCANCODE_BACKSPACE, true), window_);
    TranslateSdlEvent(Key(SDL_SCANCODE_TAB, true), window_);
    TranslateSdlEvent(Key(SDL_SCANCODE_Q, true), window_);  // 'q' comes from text input
    const auto events = Drain();
    const std::vector<GameEvent> expected = {KeyDownEvent(VK_ESCAPE), CharacterEvent(27), KeyDownEvent(VK_RETURN),
                                             CharacterEvent(13),      KeyDownEvent(VK_BACK), CharacterEvent(8),
                                             KeyDownEvent(VK_TAB),    CharacterEvent(9),     KeyDownEvent('Q')};
    ASSERT_EQ(events.size(), expected.size());
    for (size_t i = 0; i < events.size(); ++i) EXPECT_EQ(events[i].event, expected[i]) << i;
}

TEST_F(EventsTest, TextInputPostsOneCharacterPerCodePoint) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, "q\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xFFz", sizeof e.text.text);  // q é € 😀, a stray byte, z
    TranslateSdlEvent(e, window_);
    const auto events = Drain();
    const std::vector<uint32_t> expected = {'q', 0xE9, 0x20AC, 0x1F600, 'z'};
    ASSERT_EQ(events.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(events[i].event, CharacterEvent(expected[i])) << i;
}

TEST_F(EventsTest, WindowEventsPostPointerExposureFocusAndClose) {
    TranslateSdlEvent(WindowEvent(SDL_WINDOWEVENT_ENTER), window_);
    TranslateSdlEvent(WindowEvent(SDL_WINDOWEVENT_EXPOSED), window_);
    TranslateSdlEvent(WindowEvent(SDL_WINDOWEVENT_MOVED), window_);  // nothing the game handles
    TranslateSdlEvent(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), window_);
    TranslateSdlEvent(Key(SDL_SCANCODE_UP, true), window_);
    TranslateSdlEvent(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST), window_);
    EXPECT_FALSE(GetKeyState(VK_UP) & 0x8000) << "keys held when focus goes are released";
    TranslateSdlEvent(WindowEvent(SDL_WINDOWEVENT_CLOSE), window_);
    const auto events = Drain();
    const std::vector<GameEventType> expected = {GameEventType::PointerEntered, GameEventType::Exposed,
                                                 GameEventType::FocusGained,    GameEventType::KeyDown,
                                                 GameEventType::FocusLost,      GameEventType::CloseRequested};
    ASSERT_EQ(events.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(events[i].event.type, expected[i]) << i;
        EXPECT_EQ(events[i].window, window_) << i;
    }
}

// Start and Back reach the window as the pause and quit keys do; the other
// buttons, and any release, are read by role instead.
TEST_F(EventsTest, AControllersStartAndBackPostPadButtons) {
    auto button = [](uint8_t which, bool down) {
        SDL_Event e{};
        e.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
        e.cbutton.button = which;
        e.cbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
        return e;
    };
    for (uint8_t which : {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_BUTTON_GUIDE,
                          SDL_CONTROLLER_BUTTON_BACK, SDL_CONTROLLER_BUTTON_DPAD_UP}) {
        TranslateSdlEvent(button(which, true), window_);
        TranslateSdlEvent(button(which, false), window_);
    }
    TranslateSdlEvent(button(SDL_CONTROLLER_BUTTON_START, true), nullptr);
    const auto events = Drain();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].event, PadButtonEvent(PAD_EVENT_START));
    EXPECT_EQ(events[1].event, PadButtonEvent(PAD_EVENT_BACK));
}

TEST_F(EventsTest, WithoutAWindowOnlyTheKeyStateChanges) {
    TranslateSdlEvent(Key(SDL_SCANCODE_SPACE, true), nullptr);
    EXPECT_TRUE(GetKeyState(VK_SPACE) & 0x8000);
    EXPECT_TRUE(Drain().empty());
}

}  // namespace
