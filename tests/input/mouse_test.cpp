#include "input_fixture.h"

namespace {

GameWindow* TestWindow() {
    static GameWindow window;
    return &window;
}

SDL_Event Motion(int xrel, int yrel) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.xrel = xrel;
    e.motion.yrel = yrel;
    return e;
}

SDL_Event Button(uint8_t button, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = button;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    return e;
}

class MouseTest : public InputTest {
protected:
    void SetUp() override {
        InputTest::SetUp();
        ASSERT_EQ(SelectInputDeviceForPlay(TestWindow(), INPUT_MOUSE, 0), INPUT_MOUSE);  // velocity 0.25
    }
    static void Send(const SDL_Event& e) { DispatchNativeEvent(e); }
};

TEST_F(MouseTest, PlayOpensTheMouseWithTheTrackBarVelocity) {
    EXPECT_TRUE(theMouse->created);
    EXPECT_EQ(theMouse->window, TestWindow());
    EXPECT_DOUBLE_EQ(theMouse->velocity, 0.25);
    EXPECT_EQ(SelectInputDeviceForPlay(TestWindow(), INPUT_MOUSE, 5), INPUT_MOUSE);
    EXPECT_DOUBLE_EQ(theMouse->velocity, 1.5);
}

TEST_F(MouseTest, MovementScalesByVelocityAndTruncates) {
    Send(Motion(50, 0));
    ASSERT_EQ(theMouse->Poll(), 0);
    EXPECT_EQ(theMouse->dx, 12);
    EXPECT_EQ(theMouse->x, 12);
    EXPECT_EQ(theMouse->dy, 0);

    Send(Motion(0, -6));
    ASSERT_EQ(theMouse->Poll(), 0);
    EXPECT_EQ(theMouse->dx, 0);  // movement lasts one poll
    EXPECT_EQ(theMouse->dy, -1);
    EXPECT_EQ(theMouse->y, 0);  // clamped at the lower limit
    EXPECT_EQ(theMouse->x, 12);
}

TEST_F(MouseTest, SuccessiveMovementsAlongOneAxisAddUpBeforeScaling) {
    for (int i = 0; i < 30; ++i) Send(Motion(1, 2));
    ASSERT_EQ(theMouse->Poll(), 0);
    EXPECT_EQ(theMouse->dx, 7);  // 30 × 0.25
    EXPECT_EQ(theMouse->dy, 15);
}

TEST_F(MouseTest, PositionStaysInsideTheBounds) {
    theMouse->SetPosition(2000, -5);
    EXPECT_EQ(theMouse->x, 1000);
    EXPECT_EQ(theMouse->y, 0);
    theMouse->SetPosition(-5, 2000);
    EXPECT_EQ(theMouse->x, 0);
    EXPECT_EQ(theMouse->y, 1000);

    theMouse->SetPosition(990, 10);
    Send(Motion(400, -400));
    ASSERT_EQ(theMouse->Poll(), 0);
    EXPECT_EQ(theMouse->x, 1000);
    EXPECT_EQ(theMouse->y, 0);
    EXPECT_EQ(theMouse->dx, 100);  // movement itself is not clamped
}

TEST_F(MouseTest, AClickWithinOnePollIsPressedAndReleased) {
    Send(Button(SDL_BUTTON_LEFT, true));
    Send(Button(SDL_BUTTON_LEFT, false));
    ASSERT_EQ(theMouse->Poll(), 0);
    EXPECT_EQ(theMouse->pressed[0], 1);
    EXPECT_EQ(theMouse->released[0], 1);
    EXPECT_EQ(theMouse->held[0], 0);

    ASSERT_EQ(theMouse->Poll(), 0);
    EXPECT_EQ(theMouse->pressed[0], 0);
    EXPECT_EQ(theMouse->released[0], 0);
}

TEST_F(MouseTest, AHeldButtonIsPressedOnceAndHeldUntilLetGo) {
    Send(Button(SDL_BUTTON_RIGHT, true));
    ASSERT_EQ(theMouse->Poll(), 0);
    EXPECT_EQ(theMouse->pressed[1], 1);
    EXPECT_EQ(theMouse->held[1], 1);
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(theMouse->Poll(), 0);
        EXPECT_EQ(theMouse->pressed[1], 0);
        EXPECT_EQ(theMouse->held[1], 1);
        EXPECT_EQ(theMouse->released[1], 0);
    }
    Send(Button(SDL_BUTTON_RIGHT, false));
    ASSERT_EQ(theMouse->Poll(), 0);
    EXPECT_EQ(theMouse->held[1], 0);
    EXPECT_EQ(theMouse->released[1], 1);
}

TEST_F(MouseTest, ButtonsMapLeftRightMiddleAndIgnoreTheRest) {
    Send(Button(SDL_BUTTON_MIDDLE, true));
    Send(Button(SDL_BUTTON_X1, true));
    ASSERT_EQ(theMouse->Poll(), 0);
    EXPECT_EQ(theMouse->held[2], 1);
    EXPECT_EQ(theMouse->held[0] + theMouse->held[1] + theMouse->held[3] + theMouse->held[4], 0);
}

TEST_F(MouseTest, TheBufferKeepsSixteenRecordsUntilPolled) {
    for (int i = 0; i < 12; ++i) {
        Send(Button(SDL_BUTTON_LEFT, true));
        Send(Button(SDL_BUTTON_LEFT, false));
    }
    MouseEvent records[32];
    int count = 32;
    ASSERT_EQ(theMouse->ReadDevice(records, count), 0);
    EXPECT_EQ(count, TDIMouse::BUFFER_SIZE);
    count = 32;
    ASSERT_EQ(theMouse->ReadDevice(records, count), 0);
    EXPECT_EQ(count, 0);
}

TEST_F(MouseTest, GameEndReleasesTheMouseAndStopsBuffering) {
    ReleaseInputAfterPlay();
    EXPECT_FALSE(theMouse->created);
    Send(Motion(50, 0));
    EXPECT_EQ(theMouse->Poll(), -1);
    EXPECT_EQ(theMouse->x, 0);
}

}  // namespace
