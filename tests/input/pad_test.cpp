#include "input_fixture.h"

namespace {

constexpr int PAD_AXES = 6, PAD_BUTTONS = 15, PAD_HATS = 1;
// Button numbers of SDL's virtual controller mapping.
constexpr int VIRTUAL_A = 0, VIRTUAL_B = 1, VIRTUAL_X = 2, VIRTUAL_DPAD_UP = 11, VIRTUAL_DPAD_LEFT = 13;

GameWindow* TestWindow() {
    static GameWindow window;
    return &window;
}

class PadTest : public InputTest {
protected:
    void TearDown() override {
        for (int i = SDL_NumJoysticks() - 1; i >= 0; --i)
            if (SDL_JoystickIsVirtual(i)) SDL_JoystickDetachVirtual(i);
        Pump();
        InputTest::TearDown();
    }
    // Attaches a virtual device and lets the devices see it arrive.
    int Attach(SDL_JoystickType type, int axes, int buttons, int hats) {
        const int index = SDL_JoystickAttachVirtual(type, axes, buttons, hats);
        Pump();
        return index;
    }
    static SDL_Joystick* Virtual() { return static_cast<SDL_Joystick*>(theJoystick->native); }
};

TEST_F(PadTest, APadPluggedInIsFoundAndDroppedWhenPulledOut) {
    ASSERT_FALSE(theJoystick->found) << "this machine has a pad attached";
    const int index = Attach(SDL_JOYSTICK_TYPE_GAMECONTROLLER, PAD_AXES, PAD_BUTTONS, PAD_HATS);
    ASSERT_GE(index, 0) << SDL_GetError();
    EXPECT_TRUE(theJoystick->found);
    EXPECT_TRUE(theJoystick->created);
    EXPECT_EQ(theJoystick->productName, "Virtual Controller");
    EXPECT_NE(theJoystick->controller, nullptr);
    EXPECT_EQ(theJoystick->Poll(), 0);

    SDL_JoystickDetachVirtual(index);
    Pump();
    EXPECT_FALSE(theJoystick->found);
    EXPECT_TRUE(theJoystick->productName.empty());
    EXPECT_EQ(theJoystick->Poll(), -1);
}

TEST_F(PadTest, PullingOutThePadInUseMovesToAnotherAttachedOne) {
    const int first = Attach(SDL_JOYSTICK_TYPE_GAMECONTROLLER, PAD_AXES, PAD_BUTTONS, PAD_HATS);
    Attach(SDL_JOYSTICK_TYPE_FLIGHT_STICK, 2, 5, 1);
    ASSERT_EQ(theJoystick->productName, "Virtual Controller");
    SDL_JoystickDetachVirtual(first);
    Pump();
    EXPECT_TRUE(theJoystick->found);
    EXPECT_EQ(theJoystick->productName, "Virtual Flight Stick");
}

TEST_F(PadTest, ControllerStickAndDpadGiveAxesFromMinusToPlusOneThousand) {
    Attach(SDL_JOYSTICK_TYPE_GAMECONTROLLER, PAD_AXES, PAD_BUTTONS, PAD_HATS);
    ASSERT_TRUE(theJoystick->found);
    SDL_JoystickSetVirtualAxis(Virtual(), 0, SDL_JOYSTICK_AXIS_MIN);
    SDL_JoystickSetVirtualAxis(Virtual(), 1, SDL_JOYSTICK_AXIS_MAX);
    ASSERT_EQ(theJoystick->Poll(), 0);
    EXPECT_EQ(theJoystick->x, -1000);
    EXPECT_EQ(theJoystick->y, 1000);

    SDL_JoystickSetVirtualAxis(Virtual(), 0, 16384);
    SDL_JoystickSetVirtualAxis(Virtual(), 1, 0);
    ASSERT_EQ(theJoystick->Poll(), 0);
    EXPECT_EQ(theJoystick->x, 500);
    EXPECT_EQ(theJoystick->y, 0);

    // The d-pad deflects fully, over the stick.
    SDL_JoystickSetVirtualButton(Virtual(), VIRTUAL_DPAD_LEFT, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(Virtual(), VIRTUAL_DPAD_UP, SDL_PRESSED);
    ASSERT_EQ(theJoystick->Poll(), 0);
    EXPECT_EQ(theJoystick->x, -1000);
    EXPECT_EQ(theJoystick->y, -1000);
}

TEST_F(PadTest, FaceButtonsAreHeldAcrossPollsAndReleasedOnce) {
    Attach(SDL_JOYSTICK_TYPE_GAMECONTROLLER, PAD_AXES, PAD_BUTTONS, PAD_HATS);
    ASSERT_TRUE(theJoystick->found);
    const int faces[] = {VIRTUAL_A, VIRTUAL_B, VIRTUAL_X};
    for (int b = 0; b < 3; ++b) {
        SDL_JoystickSetVirtualButton(Virtual(), faces[b], SDL_PRESSED);
        for (int poll = 0; poll < 3; ++poll) {
            ASSERT_EQ(theJoystick->Poll(), 0);
            EXPECT_EQ(theJoystick->held[b], 1) << b;
            EXPECT_EQ(theJoystick->released[b], 0) << b;
            EXPECT_EQ(theJoystick->pressed[b], 0) << b;  // the joystick fills no pressed flags
        }
        SDL_JoystickSetVirtualButton(Virtual(), faces[b], SDL_RELEASED);
        ASSERT_EQ(theJoystick->Poll(), 0);
        EXPECT_EQ(theJoystick->held[b], 0) << b;
        EXPECT_EQ(theJoystick->released[b], 1) << b;
        ASSERT_EQ(theJoystick->Poll(), 0);
        EXPECT_EQ(theJoystick->released[b], 0) << b;
    }
}

TEST_F(PadTest, APlainJoystickReadsItsFirstAxesHatAndButtons) {
    Attach(SDL_JOYSTICK_TYPE_FLIGHT_STICK, 2, 5, 1);
    ASSERT_TRUE(theJoystick->found);
    EXPECT_EQ(theJoystick->controller, nullptr);
    EXPECT_EQ(theJoystick->buttonCount, 5);
    SDL_JoystickSetVirtualAxis(Virtual(), 0, SDL_JOYSTICK_AXIS_MAX);
    SDL_JoystickSetVirtualAxis(Virtual(), 1, -16384);
    SDL_JoystickSetVirtualButton(Virtual(), 4, SDL_PRESSED);
    ASSERT_EQ(theJoystick->Poll(), 0);
    EXPECT_EQ(theJoystick->x, 1000);
    EXPECT_EQ(theJoystick->y, -500);
    EXPECT_EQ(theJoystick->held[4], 1);

    SDL_JoystickSetVirtualHat(Virtual(), 0, SDL_HAT_LEFTDOWN);
    ASSERT_EQ(theJoystick->Poll(), 0);
    EXPECT_EQ(theJoystick->x, -1000);
    EXPECT_EQ(theJoystick->y, 1000);
}

TEST_F(PadTest, PlayKeepsTheJoystickOnlyWhenAPadIsFound) {
    EXPECT_EQ(SelectInputDeviceForPlay(TestWindow(), INPUT_JOYSTICK, 5), INPUT_KEYBOARD);

    Attach(SDL_JOYSTICK_TYPE_GAMECONTROLLER, PAD_AXES, PAD_BUTTONS, PAD_HATS);
    EXPECT_EQ(SelectInputDeviceForPlay(TestWindow(), INPUT_JOYSTICK, 5), INPUT_JOYSTICK);
    EXPECT_EQ(theJoystick->window, TestWindow());
}

TEST(InputSelectionTest, WithoutVideoOrDevicesPlayFallsBackToTheKeyboard) {
    int windowPlaceholder = 0;
    GameWindow* window = reinterpret_cast<GameWindow*>(&windowPlaceholder);
    ASSERT_EQ(CreateInputDevices(), 0);
    ASSERT_FALSE(SDL_WasInit(SDL_INIT_VIDEO));
    EXPECT_EQ(SelectInputDeviceForPlay(window, INPUT_MOUSE, 5), INPUT_KEYBOARD);
    EXPECT_FALSE(theMouse->created);
    EXPECT_EQ(SelectInputDeviceForPlay(window, INPUT_KEYBOARD, 5), INPUT_KEYBOARD);

    DestroyInputDevices();
    EXPECT_EQ(theMouse, nullptr);
    EXPECT_EQ(theJoystick, nullptr);
    for (InputDevice device : {INPUT_MOUSE, INPUT_JOYSTICK})
        EXPECT_EQ(SelectInputDeviceForPlay(window, device, 5), INPUT_KEYBOARD);
}

}  // namespace
