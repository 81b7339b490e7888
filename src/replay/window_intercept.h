// Standing between the game window and its event handler: one interception
// at a time sees every event first and decides whether the game gets it.
#pragma once

#include <functional>

#include "platform/game_window.h"

// Returns whether the event goes on to the game's handler.
using EventFilter = std::function<bool(const GameEvent& event)>;

// A handler to install on the game window in place of `game`.
GameEventHandler InterceptEvents(GameEventHandler game, EventFilter filter);
// Ends the interception; the returned handler then passes everything on.
void EndEventInterception();

// The events whose handling changes play: key downs (the screenshot key
// excepted), characters, a controller's Start and Back, and focus changes.
bool IsPlayEvent(const GameEvent& event);
