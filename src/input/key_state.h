// Keyboard polling by virtual-key code from SDL's keyboard state.
#pragma once

#include <cstdint>

// Sets the physical key table (GetKeyState) from a scancode state array:
// a virtual key is down when any of its scancodes is.
void SyncPhysicalKeys(const uint8_t* scancodeState, int numScancodes);
// The same from SDL's current keyboard state; call once per frame before the
// keys are read.
void PollKeyboardState();
