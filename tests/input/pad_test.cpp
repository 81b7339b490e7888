#include <set>
#include <string>
#include <tuple>

#include "input/pad_bindings.h"
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

TEST_F(PadTest, ByDefaultTheStickOrDpadSteersAndThrusts) {
    Attach(SDL_JOYSTICK_TYPE_GAMECONTROLLER, PAD_AXES, PAD_BUTTONS, PAD_HATS);
    ASSERT_TRUE(theJoystick->found);
    SDL_JoystickSetVirtualAxis(Virtual(), 0, SDL_JOYSTICK_AXIS_MIN);
    SDL_JoystickSetVirtualAxis(Virtual(), 1, SDL_JOYSTICK_AXIS_MIN);
    ASSERT_EQ(theJoystick->Poll(), 0);
    EXPECT_EQ(theJoystick->x, -1000);
    EXPECT_EQ(theJoystick->y, -1000);

    // Half way counts as all the way; a twentieth of the travel not at all.
    SDL_JoystickSetVirtualAxis(Virtual(), 0, 16384);
    SDL_JoystickSetVirtualAxis(Virtual(), 1, 1600);
    ASSERT_EQ(theJoystick->Poll(), 0);
    EXPECT_EQ(theJoystick->x, 1000);
    EXPECT_EQ(theJoystick->y, 0);

    // Down is no role: the stick pulled back neither steers nor thrusts, nor
    // presses a role button.
    SDL_JoystickSetVirtualAxis(Virtual(), 0, 0);
    SDL_JoystickSetVirtualAxis(Virtual(), 1, SDL_JOYSTICK_AXIS_MAX);
    ASSERT_EQ(theJoystick->Poll(), 0);
    EXPECT_EQ(theJoystick->x, 0);
    EXPECT_EQ(theJoystick->y, 0);
    for (int role = 0; role < PAD_ROLE_BUTTONS; ++role) EXPECT_EQ(theJoystick->held[role], 0) << role;

    SDL_JoystickSetVirtualAxis(Virtual(), 1, 0);
    SDL_JoystickSetVirtualButton(Virtual(), VIRTUAL_DPAD_LEFT, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(Virtual(), VIRTUAL_DPAD_UP, SDL_PRESSED);
    ASSERT_EQ(theJoystick->Poll(), 0);
    EXPECT_EQ(theJoystick->x, -1000);
    EXPECT_EQ(theJoystick->y, -1000);
}

// A role and how the ship sees it on the joystick.
struct Role {
    const char* name;
    int32_t TSettings::*binding;
    bool (*active)(const TJoystick&);
};
const Role kRoles[] = {
    {"fire", &TSettings::padFire, [](const TJoystick& j) { return j.held[PAD_ROLE_FIRE] != 0; }},
    {"alt fire", &TSettings::padAltFire, [](const TJoystick& j) { return j.held[PAD_ROLE_ALT_FIRE] != 0; }},
    {"shield", &TSettings::padShield, [](const TJoystick& j) { return j.held[PAD_ROLE_SHIELD] != 0; }},
    {"thrust", &TSettings::padThrust, [](const TJoystick& j) { return j.y < 0; }},
    {"left", &TSettings::padLeft, [](const TJoystick& j) { return j.x < 0; }},
    {"right", &TSettings::padRight, [](const TJoystick& j) { return j.x > 0; }},
};

// A control of a game controller, its name, and what pushes it. (SDL's
// virtual controller has no touchpad to push.)
struct ControllerControl {
    int32_t code;
    const char* name;
    bool isAxis;
    int which;  // SDL_GameControllerButton or SDL_GameControllerAxis
    Sint16 pushed;
};
const ControllerControl kControllerControls[] = {
    {0, "A", false, SDL_CONTROLLER_BUTTON_A, 1},
    {1, "B", false, SDL_CONTROLLER_BUTTON_B, 1},
    {2, "X", false, SDL_CONTROLLER_BUTTON_X, 1},
    {3, "Y", false, SDL_CONTROLLER_BUTTON_Y, 1},
    {4, "LB", false, SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 1},
    {5, "RB", false, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 1},
    {6, "Back", false, SDL_CONTROLLER_BUTTON_BACK, 1},
    {7, "Start", false, SDL_CONTROLLER_BUTTON_START, 1},
    {8, "Left stick press", false, SDL_CONTROLLER_BUTTON_LEFTSTICK, 1},
    {9, "Right stick press", false, SDL_CONTROLLER_BUTTON_RIGHTSTICK, 1},
    {10, "Guide", false, SDL_CONTROLLER_BUTTON_GUIDE, 1},
    {11, "Misc", false, SDL_CONTROLLER_BUTTON_MISC1, 1},
    {12, "Paddle 1", false, SDL_CONTROLLER_BUTTON_PADDLE1, 1},
    {15, "Paddle 4", false, SDL_CONTROLLER_BUTTON_PADDLE4, 1},
    {PAD_DPAD_UP, "D-pad up", false, SDL_CONTROLLER_BUTTON_DPAD_UP, 1},
    {PAD_DPAD_DOWN, "D-pad down", false, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 1},
    {PAD_DPAD_LEFT, "D-pad left", false, SDL_CONTROLLER_BUTTON_DPAD_LEFT, 1},
    {PAD_DPAD_RIGHT, "D-pad right", false, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 1},
    {PAD_LSTICK_UP, "Left stick up", true, SDL_CONTROLLER_AXIS_LEFTY, SDL_JOYSTICK_AXIS_MIN},
    {PAD_LSTICK_DOWN, "Left stick down", true, SDL_CONTROLLER_AXIS_LEFTY, SDL_JOYSTICK_AXIS_MAX},
    {PAD_LSTICK_LEFT, "Left stick left", true, SDL_CONTROLLER_AXIS_LEFTX, SDL_JOYSTICK_AXIS_MIN},
    {PAD_LSTICK_RIGHT, "Left stick right", true, SDL_CONTROLLER_AXIS_LEFTX, SDL_JOYSTICK_AXIS_MAX},
    {PAD_RSTICK_UP, "Right stick up", true, SDL_CONTROLLER_AXIS_RIGHTY, SDL_JOYSTICK_AXIS_MIN},
    {PAD_RSTICK_DOWN, "Right stick down", true, SDL_CONTROLLER_AXIS_RIGHTY, SDL_JOYSTICK_AXIS_MAX},
    {PAD_RSTICK_LEFT, "Right stick left", true, SDL_CONTROLLER_AXIS_RIGHTX, SDL_JOYSTICK_AXIS_MIN},
    {PAD_RSTICK_RIGHT, "Right stick right", true, SDL_CONTROLLER_AXIS_RIGHTX, SDL_JOYSTICK_AXIS_MAX},
    {PAD_LT, "LT", true, SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_JOYSTICK_AXIS_MAX},
    {PAD_RT, "RT", true, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, SDL_JOYSTICK_AXIS_MAX},
};

class ControllerRolesTest : public PadTest {
protected:
    void SetUp() override {
        PadTest::SetUp();
        // Every button and axis SDL knows of a controller.
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "Full Controller";
        ASSERT_GE(SDL_JoystickAttachVirtualEx(&desc), 0) << SDL_GetError();
        Pump();
        ASSERT_NE(theJoystick->controller, nullptr);
        RestTriggers();
    }
    // Puts a controller control where `value` says through its joystick binding.
    void Set(const ControllerControl& control, Sint16 value) {
        auto* pad = static_cast<SDL_GameController*>(theJoystick->controller);
        const SDL_GameControllerButtonBind bind =
            control.isAxis ? SDL_GameControllerGetBindForAxis(pad, SDL_GameControllerAxis(control.which))
                           : SDL_GameControllerGetBindForButton(pad, SDL_GameControllerButton(control.which));
        if (bind.bindType == SDL_CONTROLLER_BINDTYPE_BUTTON)
            SDL_JoystickSetVirtualButton(Virtual(), bind.value.button, value ? SDL_PRESSED : SDL_RELEASED);
        else if (bind.bindType == SDL_CONTROLLER_BINDTYPE_AXIS)
            SDL_JoystickSetVirtualAxis(Virtual(), bind.value.axis, value);
        else
            ADD_FAILURE() << control.name << " has no binding on the virtual controller";
    }
    // A trigger at rest is at the low end of its joystick axis.
    void RestTriggers() {
        for (const ControllerControl& c : kControllerControls)
            if (c.code == PAD_LT || c.code == PAD_RT) Set(c, SDL_JOYSTICK_AXIS_MIN);
    }
};

TEST_F(ControllerRolesTest, EveryButtonAndAxisServesEveryRole) {
    for (const Role& role : kRoles) {
        for (const Role& other : kRoles) settings.*other.binding = PAD_NONE;
        for (const ControllerControl& control : kControllerControls) {
            SCOPED_TRACE(std::string(role.name) + " on " + control.name);
            settings.*role.binding = control.code;
            ASSERT_EQ(theJoystick->Poll(), 0);
            EXPECT_FALSE(role.active(*theJoystick)) << "at rest";
            Set(control, control.pushed);
            ASSERT_EQ(theJoystick->Poll(), 0);
            EXPECT_TRUE(role.active(*theJoystick));
            for (const Role& other : kRoles) {
                if (&other == &role) continue;
                EXPECT_FALSE(other.active(*theJoystick)) << other.name;
            }
            Set(control, 0);
            RestTriggers();
        }
    }
}

TEST_F(ControllerRolesTest, AnUnboundRoleStaysOffWhateverIsPushed) {
    for (const Role& role : kRoles) settings.*role.binding = PAD_NONE;
    for (const ControllerControl& control : kControllerControls) Set(control, control.pushed);
    ASSERT_EQ(theJoystick->Poll(), 0);
    for (const Role& role : kRoles) EXPECT_FALSE(role.active(*theJoystick)) << role.name;
}

TEST(PadNameTest, AControllerNamesItsControlsByItsLayout) {
    for (const ControllerControl& control : kControllerControls)
        EXPECT_EQ(PadControlName(control.code, PadLayout::Controller), control.name) << control.code;
    EXPECT_EQ(PadControlName(16, PadLayout::Controller), "Touchpad");
    EXPECT_EQ(PadControlName(PAD_MOVE_LEFT, PadLayout::Controller), "Stick/D-pad left");
    // Buttons beyond the layout's and codes of nothing.
    EXPECT_EQ(PadControlName(20, PadLayout::Controller), "Button 21");
    for (int32_t code : {int32_t{PAD_NONE}, int32_t{PAD_CONTROL_END}, -7}) EXPECT_EQ(PadControlName(code, PadLayout::Controller), "");
}

TEST(PadNameTest, ARawPadNamesItsButtonsHatAndAxesByNumber) {
    EXPECT_EQ(PadControlName(0, PadLayout::Raw), "Button 1");
    EXPECT_EQ(PadControlName(PAD_BUTTON_END - 1, PadLayout::Raw), "Button 256");
    EXPECT_EQ(PadControlName(PAD_DPAD_UP, PadLayout::Raw), "Hat up");
    EXPECT_EQ(PadControlName(PAD_LSTICK_LEFT, PadLayout::Raw), "Axis 1 -");
    EXPECT_EQ(PadControlName(PAD_RSTICK_DOWN, PadLayout::Raw), "Axis 4 +");
    EXPECT_EQ(PadControlName(PAD_RT, PadLayout::Raw), "Axis 6 +");
}

TEST(PadNameTest, TheListsOfferNoneThenEachControlOnce) {
    for (auto [layout, rawButtons, buttons] : {std::tuple{PadLayout::Controller, 99, 17}, {PadLayout::Raw, 5, 5}}) {
        ListModel list;
        list.selected = 3;
        FillPadCombo(list, layout, rawButtons);
        EXPECT_EQ(list.selected, -1);
        ASSERT_EQ(list.items.size(), size_t(1 + buttons + PAD_CONTROL_END - PAD_DPAD_UP));
        EXPECT_EQ(list.items[0].value, PAD_NONE);
        std::set<std::string> names;
        for (const ListItem& item : list.items) {
            EXPECT_EQ(item.text, item.value == PAD_NONE ? "(none)" : PadControlName(item.value, layout));
            EXPECT_TRUE(names.insert(item.text).second) << "twice: " << item.text;
        }
        EXPECT_EQ(list.items[buttons].value, buttons - 1);
        EXPECT_EQ(list.items.back().value, PAD_CONTROL_END - 1);
    }
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

TEST_F(PadTest, APlainJoystickKeepsItsRawButtonsAxesAndHat) {
    Attach(SDL_JOYSTICK_TYPE_FLIGHT_STICK, 2, 5, 1);
    ASSERT_TRUE(theJoystick->found);
    EXPECT_EQ(theJoystick->controller, nullptr);
    EXPECT_EQ(theJoystick->Layout(), PadLayout::Raw);
    EXPECT_EQ(theJoystick->rawButtons, 5);
    settings.padFire = 4;
    settings.padShield = PAD_RSTICK_UP;  // an axis it lacks
    SDL_JoystickSetVirtualAxis(Virtual(), 0, SDL_JOYSTICK_AXIS_MAX);
    SDL_JoystickSetVirtualAxis(Virtual(), 1, -16384);
    SDL_JoystickSetVirtualButton(Virtual(), 4, SDL_PRESSED);
    ASSERT_EQ(theJoystick->Poll(), 0);
    EXPECT_EQ(theJoystick->x, 1000);
    EXPECT_EQ(theJoystick->y, -1000);
    EXPECT_EQ(theJoystick->held[PAD_ROLE_FIRE], 1);
    EXPECT_EQ(theJoystick->held[PAD_ROLE_SHIELD], 0);

    SDL_JoystickSetVirtualAxis(Virtual(), 0, 0);
    SDL_JoystickSetVirtualAxis(Virtual(), 1, 0);
    SDL_JoystickSetVirtualHat(Virtual(), 0, SDL_HAT_LEFTDOWN);
    ASSERT_EQ(theJoystick->Poll(), 0);
    EXPECT_EQ(theJoystick->x, -1000);
    EXPECT_EQ(theJoystick->y, 0);
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
