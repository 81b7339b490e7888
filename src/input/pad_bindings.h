// The pad controls a role can be bound to (framework/pad_controls.h): their
// names on the Controls tab, the lists it offers and their state on a pad.
#pragma once

#include <cstdint>
#include <string>

#include "framework/display_lists.h"
#include "framework/pad_controls.h"

typedef struct _SDL_GameController SDL_GameController;
typedef struct _SDL_Joystick SDL_Joystick;

// How a pad's controls are named: by a game controller's layout, or as the
// raw buttons, hat and axes of a joystick without a controller mapping.
enum class PadLayout { Controller, Raw };

// The control's name; empty for a code that names nothing.
std::string PadControlName(int32_t code, PadLayout layout);
// "(none)" valued PAD_NONE, then each control a pad of that layout offers
// (a raw one its first `rawButtons` buttons), valued with its code.
void FillPadCombo(ListModel& list, PadLayout layout, int rawButtons);
// Whether the control is pushed now on the opened pad: `controller` when it
// has a controller mapping (null otherwise), `joystick` always. A stick or
// trigger counts from a tenth of its travel.
bool PadControlDown(SDL_GameController* controller, SDL_Joystick* joystick, int32_t code);
