// Reading replay format 1, which kept the window messages a frame handled:
// each one becomes the game event it stood for.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/game_event.h"

// The play event a version 1 message stood for: key down (a repeat when
// bit 30 of the message's extra word is set), character, focus gained or
// lost. None for any other message or a value the event cannot hold.
std::optional<GameEvent> EventFromVersion1Message(uint64_t message, uint64_t wParam, int64_t lParam);
