#include "input/pad_bindings.h"

#include <SDL.h>

#include <iterator>

namespace {

// Where a control's state comes from: a button, one end of an axis, or a
// direction of the first hat.
struct Source {
    enum Kind { BUTTON, AXIS_LOW, AXIS_HIGH, HAT } kind;
    int index;  // button, axis, or hat direction bits
};

struct NamedButton {
    SDL_GameControllerButton button;
    const char* name;
};

// A game controller's buttons in code order; A, B, X, Y first as the
// buttons 0 to 3 of a raw pad.
constexpr NamedButton CONTROLLER_BUTTONS[] = {
    {SDL_CONTROLLER_BUTTON_A, "A"},
    {SDL_CONTROLLER_BUTTON_B, "B"},
    {SDL_CONTROLLER_BUTTON_X, "X"},
    {SDL_CONTROLLER_BUTTON_Y, "Y"},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, "LB"},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, "RB"},
    {SDL_CONTROLLER_BUTTON_BACK, "Back"},
    {SDL_CONTROLLER_BUTTON_START, "Start"},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, "Left stick press"},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, "Right stick press"},
    {SDL_CONTROLLER_BUTTON_GUIDE, "Guide"},
    {SDL_CONTROLLER_BUTTON_MISC1, "Misc"},
    {SDL_CONTROLLER_BUTTON_PADDLE1, "Paddle 1"},
    {SDL_CONTROLLER_BUTTON_PADDLE2, "Paddle 2"},
    {SDL_CONTROLLER_BUTTON_PADDLE3, "Paddle 3"},
    {SDL_CONTROLLER_BUTTON_PADDLE4, "Paddle 4"},
    {SDL_CONTROLLER_BUTTON_TOUCHPAD, "Touchpad"},
};
constexpr int CONTROLLER_BUTTON_COUNT = static_cast<int>(std::size(CONTROLLER_BUTTONS));

struct Direction {
    const char* controllerName;
    Source controller;  // index: an SDL_GameControllerButton or SDL_GameControllerAxis
    const char* rawName;
    Source raw;
};

// The controls from PAD_DPAD_UP to PAD_RT, in code order.
const Direction DIRECTIONS[] = {
    {"D-pad up", {Source::BUTTON, SDL_CONTROLLER_BUTTON_DPAD_UP}, "Hat up", {Source::HAT, SDL_HAT_UP}},
    {"D-pad down", {Source::BUTTON, SDL_CONTROLLER_BUTTON_DPAD_DOWN}, "Hat down", {Source::HAT, SDL_HAT_DOWN}},
    {"D-pad left", {Source::BUTTON, SDL_CONTROLLER_BUTTON_DPAD_LEFT}, "Hat left", {Source::HAT, SDL_HAT_LEFT}},
    {"D-pad right", {Source::BUTTON, SDL_CONTROLLER_BUTTON_DPAD_RIGHT}, "Hat right", {Source::HAT, SDL_HAT_RIGHT}},
    {"Left stick up", {Source::AXIS_LOW, SDL_CONTROLLER_AXIS_LEFTY}, "Axis 2 -", {Source::AXIS_LOW, 1}},
    {"Left stick down", {Source::AXIS_HIGH, SDL_CONTROLLER_AXIS_LEFTY}, "Axis 2 +", {Source::AXIS_HIGH, 1}},
    {"Left stick left", {Source::AXIS_LOW, SDL_CONTROLLER_AXIS_LEFTX}, "Axis 1 -", {Source::AXIS_LOW, 0}},
    {"Left stick right", {Source::AXIS_HIGH, SDL_CONTROLLER_AXIS_LEFTX}, "Axis 1 +", {Source::AXIS_HIGH, 0}},
    {"Right stick up", {Source::AXIS_LOW, SDL_CONTROLLER_AXIS_RIGHTY}, "Axis 4 -", {Source::AXIS_LOW, 3}},
    {"Right stick down", {Source::AXIS_HIGH, SDL_CONTROLLER_AXIS_RIGHTY}, "Axis 4 +", {Source::AXIS_HIGH, 3}},
    {"Right stick left", {Source::AXIS_LOW, SDL_CONTROLLER_AXIS_RIGHTX}, "Axis 3 -", {Source::AXIS_LOW, 2}},
    {"Right stick right", {Source::AXIS_HIGH, SDL_CONTROLLER_AXIS_RIGHTX}, "Axis 3 +", {Source::AXIS_HIGH, 2}},
    {"LT", {Source::AXIS_HIGH, SDL_CONTROLLER_AXIS_TRIGGERLEFT}, "Axis 5 +", {Source::AXIS_HIGH, 4}},
    {"RT", {Source::AXIS_HIGH, SDL_CONTROLLER_AXIS_TRIGGERRIGHT}, "Axis 6 +", {Source::AXIS_HIGH, 5}},
};
static_assert(std::size(DIRECTIONS) == PAD_MOVE_UP - PAD_DPAD_UP);

// PAD_MOVE_UP to PAD_MOVE_RIGHT: the left stick or the d-pad.
const char* const MOVE_NAMES[2][4] = {
    {"Stick/D-pad up", "Stick/D-pad down", "Stick/D-pad left", "Stick/D-pad right"},
    {"Axis 2 -/hat up", "Axis 2 +/hat down", "Axis 1 -/hat left", "Axis 1 +/hat right"},
};

constexpr int AXIS_PRESSED = 32767 / 10;

bool IsMove(int32_t code) { return code >= PAD_MOVE_UP && code < PAD_CONTROL_END; }
bool IsDirection(int32_t code) { return code >= PAD_DPAD_UP && code < PAD_MOVE_UP; }

bool AxisDown(Source::Kind kind, int value) {
    return kind == Source::AXIS_LOW ? value <= -AXIS_PRESSED : value >= AXIS_PRESSED;
}

bool ControllerDown(SDL_GameController* pad, Source source) {
    if (source.kind == Source::BUTTON)
        return SDL_GameControllerGetButton(pad, static_cast<SDL_GameControllerButton>(source.index)) != 0;
    return AxisDown(source.kind, SDL_GameControllerGetAxis(pad, static_cast<SDL_GameControllerAxis>(source.index)));
}

bool RawDown(SDL_Joystick* joystick, Source source) {
    switch (source.kind) {
        case Source::BUTTON:
            return source.index < SDL_JoystickNumButtons(joystick) && SDL_JoystickGetButton(joystick, source.index);
        case Source::HAT:
            return SDL_JoystickNumHats(joystick) > 0 && (SDL_JoystickGetHat(joystick, 0) & source.index) != 0;
        default:
            return source.index < SDL_JoystickNumAxes(joystick) &&
                   AxisDown(source.kind, SDL_JoystickGetAxis(joystick, source.index));
    }
}

}  // namespace

std::string PadControlName(int32_t code, PadLayout layout) {
    const bool controller = layout == PadLayout::Controller;
    if (code >= PAD_BUTTON_0 && code < PAD_BUTTON_END) {
        if (controller && code < CONTROLLER_BUTTON_COUNT) return CONTROLLER_BUTTONS[code].name;
        return "Button " + std::to_string(code + 1);
    }
    if (IsDirection(code)) {
        const Direction& d = DIRECTIONS[code - PAD_DPAD_UP];
        return controller ? d.controllerName : d.rawName;
    }
    if (IsMove(code)) return MOVE_NAMES[controller ? 0 : 1][code - PAD_MOVE_UP];
    return "";
}

void FillPadCombo(ListModel& list, PadLayout layout, int rawButtons) {
    list.Clear();
    list.items.push_back({"(none)", PAD_NONE, {}});
    const int buttons = layout == PadLayout::Controller ? CONTROLLER_BUTTON_COUNT : rawButtons;
    for (int code = PAD_BUTTON_0; code < buttons && code < PAD_BUTTON_END; ++code)
        list.items.push_back({PadControlName(code, layout), code, {}});
    for (int code = PAD_DPAD_UP; code < PAD_CONTROL_END; ++code)
        list.items.push_back({PadControlName(code, layout), code, {}});
}

bool PadControlDown(SDL_GameController* controller, SDL_Joystick* joystick, int32_t code) {
    if (IsMove(code)) {
        const int32_t offset = code - PAD_MOVE_UP;
        return PadControlDown(controller, joystick, PAD_LSTICK_UP + offset) ||
               PadControlDown(controller, joystick, PAD_DPAD_UP + offset);
    }
    if (code >= PAD_BUTTON_0 && code < PAD_BUTTON_END) {
        if (!controller) return RawDown(joystick, {Source::BUTTON, code});
        return code < CONTROLLER_BUTTON_COUNT &&
               SDL_GameControllerGetButton(controller, CONTROLLER_BUTTONS[code].button) != 0;
    }
    if (!IsDirection(code)) return false;
    const Direction& d = DIRECTIONS[code - PAD_DPAD_UP];
    return controller ? ControllerDown(controller, d.controller) : RawDown(joystick, d.raw);
}
