#include "platform/game_window.h"

#include <deque>
#include <memory>
#include <vector>

namespace {

std::deque<QueuedEvent> g_queue;
std::function<void()> g_pump;
std::function<void(GameWindow*)> g_destroyHook;
// Windows live until the program ends: queued events may still name them.
std::vector<std::unique_ptr<GameWindow>> g_windows;

}  // namespace

GameWindow* CreateHeadlessWindow(GameEventHandler handler) {
    g_windows.push_back(std::make_unique<GameWindow>());
    g_windows.back()->handler = std::move(handler);
    return g_windows.back().get();
}

bool DestroyGameWindow(GameWindow* window) {
    if (!window || window->destroyed) return false;
    window->destroyed = true;
    if (window->handler) window->handler(Event(GameEventType::Destroyed));
    if (g_destroyHook) g_destroyHook(window);
    return true;
}

void PostEvent(GameWindow* window, const GameEvent& event) { g_queue.push_back({window, event}); }

void PostQuit(int exitCode) { PostEvent(nullptr, QuitEvent(exitCode)); }

bool PollEvent(QueuedEvent* out) {
    if (g_pump) g_pump();
    if (g_queue.empty()) return false;
    *out = g_queue.front();
    g_queue.pop_front();
    return true;
}

void DispatchEvent(const QueuedEvent& queued) {
    GameWindow* window = queued.window;
    if (!window || window->destroyed) return;
    if (window->handler) window->handler(queued.event);
    if (queued.event.type == GameEventType::CloseRequested) DestroyGameWindow(window);
}

void SendEvent(GameWindow* window, const GameEvent& event) { DispatchEvent({window, event}); }

void ClearEventQueue() { g_queue.clear(); }

void SetEventPump(std::function<void()> pump) { g_pump = std::move(pump); }
void SetNativeDestroyHook(std::function<void(GameWindow*)> hook) { g_destroyHook = std::move(hook); }
