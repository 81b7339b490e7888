#include <gtest/gtest.h>

#include <SDL.h>

#include <string>
#include <vector>

#include "input/arcademisc.h"
#include "input/key_state.h"
#include "platform/keyboard.h"

namespace {

std::vector<int> BindableCodes() {
    std::vector<int> codes;
    for (int code = 0; code <= 254; ++code)
        if (KeyName(code)) codes.push_back(code);
    return codes;
}

TEST(KeyNameTest, NamesTheBindableKeysOnly) {
    EXPECT_STREQ(KeyName(8), "backspace");
    EXPECT_STREQ(KeyName(17), "control");
    EXPECT_STREQ(KeyName(33), "pg up");
    EXPECT_STREQ(KeyName(37), "left arrow");
    EXPECT_STREQ(KeyName(40), "down arrow");
    EXPECT_STREQ(KeyName('0'), "0");
    EXPECT_STREQ(KeyName('Z'), "Z");
    for (int code : {0, 7, 10, 41, 47, 58, 64, 91, 97, 112, 255, -1, 1000}) EXPECT_EQ(KeyName(code), nullptr) << code;
    EXPECT_EQ(BindableCodes().size(), 16u + 10u + 26u);
}

TEST(KeyNameTest, DigitAndLetterNamesShareOneBuffer) {
    const char* a = KeyName('A');
    const char* seven = KeyName('7');
    EXPECT_EQ(a, seven);
    EXPECT_STREQ(a, "7");
    EXPECT_STREQ(KeyName(32), "space");  // fixed names are not in the buffer
    EXPECT_STREQ(seven, "7");
}

TEST(KeyComboTest, FillListsTheNamesInCodeOrder) {
    KeyCombo list;
    list.items = {"stale"};
    list.selected = 0;
    FillKeyCombo(list);
    ASSERT_EQ(list.items.size(), 52u);
    EXPECT_EQ(list.items[0], "backspace");
    EXPECT_EQ(list.items[15], "down arrow");
    EXPECT_EQ(list.items[16], "0");
    EXPECT_EQ(list.items[26], "A");
    EXPECT_EQ(list.items[51], "Z");
    EXPECT_EQ(list.selected, -1);
}

TEST(KeyComboTest, EveryBindableCodeRoundTripsThroughTheList) {
    KeyCombo list;
    FillKeyCombo(list);
    for (int code : BindableCodes()) {
        SelectKeyInCombo(list, code);
        EXPECT_EQ(KeyFromCombo(list), code) << code;
    }
}

TEST(KeyComboTest, UnnamedOrUnlistedCodesLeaveTheSelection) {
    KeyCombo list;
    FillKeyCombo(list);
    SelectKeyInCombo(list, 37);
    SelectKeyInCombo(list, 91);
    EXPECT_EQ(list.Text(), "left arrow");
    KeyCombo partial{{"A", "B"}, 1, {'A', 'B'}};
    SelectKeyInCombo(partial, 'C');
    EXPECT_EQ(partial.selected, 1);
}

TEST(KeyComboTest, TheChosenItemGivesItsCodeWhateverItsText) {
    // Two labels alike (a layout may print the same on two keys) stay apart.
    KeyCombo list{{"left arrow", "Q", "Q", ""}, 0, {37, 'A', 'Q', 34}};
    EXPECT_EQ(KeyFromCombo(list), 37);
    list.selected = 1;
    EXPECT_EQ(KeyFromCombo(list), 'A');
    list.selected = 2;
    EXPECT_EQ(KeyFromCombo(list), 'Q');
    SelectKeyInCombo(list, 'A');
    EXPECT_EQ(list.selected, 1);
    list.selected = 3;
    EXPECT_EQ(KeyFromCombo(list), 34);
    for (int none : {-1, 4}) {
        list.selected = none;
        EXPECT_EQ(KeyFromCombo(list), -1) << none;
    }
}

// A French layout on the keys the game names by label: the letters that
// move, the top row's unshifted characters, and the keys it leaves alone.
SDL_Keycode Azerty(SDL_Scancode scancode) {
    switch (scancode) {
        case SDL_SCANCODE_A: return SDLK_q;
        case SDL_SCANCODE_Q: return SDLK_a;
        case SDL_SCANCODE_W: return SDLK_z;
        case SDL_SCANCODE_Z: return SDLK_w;
        case SDL_SCANCODE_M: return SDLK_COMMA;
        case SDL_SCANCODE_1: return SDLK_AMPERSAND;
        case SDL_SCANCODE_2: return 0xE9;  // é
        case SDL_SCANCODE_LSHIFT: return SDLK_LSHIFT;
        case SDL_SCANCODE_9: return SDLK_UNKNOWN;  // says nothing
        default: break;
    }
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return SDLK_a + (scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) return SDLK_1 + (scancode - SDL_SCANCODE_1);
    return scancode == SDL_SCANCODE_0 ? SDLK_0 : SDLK_UNKNOWN;
}

TEST(KeyLayoutTest, LettersAndDigitsAreNamedByTheLayoutsLabels) {
    EXPECT_STREQ(KeyName('A', Azerty), "Q");  // the US "A" position
    EXPECT_STREQ(KeyName('Q', Azerty), "A");
    EXPECT_STREQ(KeyName('W', Azerty), "Z");
    EXPECT_STREQ(KeyName('Z', Azerty), "W");
    EXPECT_STREQ(KeyName('M', Azerty), ",");
    EXPECT_STREQ(KeyName('1', Azerty), "&");
    EXPECT_STREQ(KeyName('2', Azerty), "\xC3\xA9");
    EXPECT_STREQ(KeyName('B', Azerty), "B");
    EXPECT_STREQ(KeyName('9', Azerty), "9") << "the US name where the layout says nothing";
    // Named keys keep their names; codes of no key stay unnamed.
    EXPECT_STREQ(KeyName(16, Azerty), "shift");
    EXPECT_STREQ(KeyName(37, Azerty), "left arrow");
    EXPECT_EQ(KeyName(91, Azerty), nullptr);
}

class KeyPollTest : public ::testing::Test {
protected:
    void TearDown() override { ReleaseAllPhysicalKeys(); }
    static bool Down(int code) { return GetKeyState(code) & 0x8000; }
    std::vector<uint8_t> state_ = std::vector<uint8_t>(SDL_NUM_SCANCODES, 0);
};

TEST_F(KeyPollTest, EveryBindableKeyIsPolledFromItsScancodes) {
    const std::vector<int> codes = BindableCodes();
    for (int code : codes) {
        SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN;
        for (int sc = 0; sc < SDL_NUM_SCANCODES && !scancode; ++sc) {
            std::fill(state_.begin(), state_.end(), 0);
            state_[sc] = 1;
            SyncPhysicalKeys(state_.data(), int(state_.size()));
            if (Down(code)) scancode = SDL_Scancode(sc);
        }
        ASSERT_NE(scancode, SDL_SCANCODE_UNKNOWN) << "no key gives " << KeyName(code);
        for (int other : codes) {
            if (other == code) continue;
            EXPECT_FALSE(Down(other)) << KeyName(other) << " with " << KeyName(code);
        }
        state_[scancode] = 0;
        SyncPhysicalKeys(state_.data(), int(state_.size()));
        EXPECT_FALSE(Down(code)) << KeyName(code);
    }
}

TEST_F(KeyPollTest, AModifierStaysDownWhileEitherSideIsHeld) {
    state_[SDL_SCANCODE_LSHIFT] = 1;
    state_[SDL_SCANCODE_RSHIFT] = 1;
    SyncPhysicalKeys(state_.data(), int(state_.size()));
    state_[SDL_SCANCODE_LSHIFT] = 0;
    SyncPhysicalKeys(state_.data(), int(state_.size()));
    EXPECT_TRUE(Down(VK_SHIFT));
    state_[SDL_SCANCODE_RSHIFT] = 0;
    SyncPhysicalKeys(state_.data(), int(state_.size()));
    EXPECT_FALSE(Down(VK_SHIFT));
}

}  // namespace
