#include "replay/window_intercept.h"

#include <utility>

#include "platform/keyboard.h"

namespace {

EventFilter g_filter;

}  // namespace

GameEventHandler InterceptEvents(GameEventHandler game, EventFilter filter) {
    g_filter = std::move(filter);
    return [game = std::move(game)](const GameEvent& event) {
        if (g_filter && !g_filter(event)) return;
        if (game) game(event);
    };
}

void EndEventInterception() { g_filter = nullptr; }

bool IsPlayEvent(const GameEvent& event) {
    switch (event.type) {
        case GameEventType::KeyDown: return event.key != VK_F12;
        case GameEventType::Character:
        case GameEventType::PadButton:
        case GameEventType::FocusGained:
        case GameEventType::FocusLost: return true;
        default: return false;
    }
}
