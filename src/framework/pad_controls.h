// The controls of a pad that a role can be bound to, as the settings store
// them: buttons by number, then the d-pad, the directions of the sticks and
// the triggers. A game controller reads them by its layout (button 0 is A);
// a joystick without a controller mapping reads its raw buttons, its first
// hat as the d-pad and its axes in order.
#pragma once

#include <cstdint>

enum PadControl : int32_t {
    PAD_NONE = -1,
    PAD_BUTTON_0 = 0,  // button n is PAD_BUTTON_0 + n
    PAD_BUTTON_END = 256,
    PAD_DPAD_UP = PAD_BUTTON_END,
    PAD_DPAD_DOWN,
    PAD_DPAD_LEFT,
    PAD_DPAD_RIGHT,
    PAD_LSTICK_UP,
    PAD_LSTICK_DOWN,
    PAD_LSTICK_LEFT,
    PAD_LSTICK_RIGHT,
    PAD_RSTICK_UP,
    PAD_RSTICK_DOWN,
    PAD_RSTICK_LEFT,
    PAD_RSTICK_RIGHT,
    PAD_LT,
    PAD_RT,
    // The left stick or the d-pad, whichever is pushed that way.
    PAD_MOVE_UP,
    PAD_MOVE_DOWN,
    PAD_MOVE_LEFT,
    PAD_MOVE_RIGHT,
    PAD_CONTROL_END,
};
