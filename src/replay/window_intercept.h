// Standing between the game window and its procedure: one interception at a
// time sees every message first and decides whether the game gets it.
#pragma once

#include <functional>

#include "platform/messages.h"

// Returns whether the message goes on to the game's procedure.
using MessageFilter = std::function<bool(uint32_t message, WPARAM wParam, LPARAM lParam)>;

// A procedure to install on the game window in place of `game`.
WNDPROC InterceptWindowProc(WNDPROC game, MessageFilter filter);
// Ends the interception; the returned procedure then passes everything on.
void EndWindowInterception();

// The messages whose handling changes play: keys (the screenshot key
// excepted), characters and focus changes.
bool IsPlayMessage(uint32_t message, WPARAM wParam);
