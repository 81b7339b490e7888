// Game windows, each with its event handler, and the event queue the game
// loop drains. A window may be backed by a native (SDL) window or be a plain
// handle with only a handler, which is how headless runs and tests work.
#pragma once

#include <functional>

#include "platform/game_event.h"

using GameEventHandler = std::function<void(const GameEvent&)>;

struct GameWindow {
    GameEventHandler handler;
    void* native = nullptr;  // the SDL_Window, when there is one
    bool destroyed = false;
    // Run once, while the native window still exists, just before it is
    // closed: what draws into it lets go first (a driver may keep the memory
    // of a GL context whose window went before it).
    std::function<void()> beforeNativeClose;
};

// An event on its way to a window; the quit event goes to none.
struct QueuedEvent {
    GameWindow* window = nullptr;
    GameEvent event;
};

// Creates a plain window that only hands events to `handler` (may be empty).
GameWindow* CreateHeadlessWindow(GameEventHandler handler);
// Sends Destroyed to the handler, then releases the native window through
// the destroy hook. The window itself stays valid (marked destroyed).
bool DestroyGameWindow(GameWindow* window);

// Events posted to a window or, for the quit, to none; taken in order.
void PostEvent(GameWindow* window, const GameEvent& event);
void PostQuit(int exitCode);
// Runs the event pump, then takes the oldest queued event; false when none.
bool PollEvent(QueuedEvent* out);
// Hands the event to its window's handler (nothing for a destroyed window);
// a close request then destroys the window.
void DispatchEvent(const QueuedEvent& queued);
void SendEvent(GameWindow* window, const GameEvent& event);
// Drops every queued event (between games and in tests).
void ClearEventQueue();

// The native layer installs these: the pump turns pending native events into
// posted events before a poll; the destroy hook closes a native window.
void SetEventPump(std::function<void()> pump);
void SetNativeDestroyHook(std::function<void(GameWindow*)> hook);
