// SDL events as game events. Every event goes to the native listeners
// first; key events also keep the physical key state for GetKeyState.
#pragma once

#include "platform/game_window.h"

union SDL_Event;

// Posts the game events `event` stands for to `window` (none when it is
// null) and updates the physical key state:
//  - key down: KeyDown with the virtual-key code, plus Character 27, 13 or 8
//    for Escape, Enter and Backspace; key up: KeyUp;
//  - text input: one Character per Unicode code point;
//  - a controller's Start or Back going down: PadButton, to the window that
//    has the keyboard focus (the caller's `window` for such an event);
//  - pointer entering: PointerEntered; exposure: Exposed; focus: FocusGained /
//    FocusLost (all keys are released on losing focus); close button:
//    CloseRequested.
void TranslateSdlEvent(const SDL_Event& event, GameWindow* window);

// Takes every pending SDL event: listeners, then the game events for
// the game window the event names. Installed with SetEventPump.
void PumpSdlEvents();
