// SDL events as window messages. Every event goes to the native listeners
// first; key events also keep the physical key state for GetKeyState.
#pragma once

#include "platform/messages.h"

union SDL_Event;

// Posts the messages `event` stands for to `window` (none when it is null)
// and updates the physical key state:
//  - key down: WM_KEYDOWN with the virtual-key code, plus WM_CHAR 27, 13 or 8
//    for Escape, Enter and Backspace; key up: WM_KEYUP;
//  - text input: one WM_CHAR per Unicode code point;
//  - pointer entering: WM_SETCURSOR; focus: WM_SETFOCUS / WM_KILLFOCUS (all
//    keys are released on losing focus); close button: WM_CLOSE.
void TranslateSdlEvent(const SDL_Event& event, HWND window);

// Takes every pending SDL event: listeners, then the messages for the
// game window the event names. Installed with SetEventPump.
void PumpSdlEvents();
