#include "platform/native_events.h"

#include <map>

namespace {
std::map<int, NativeEventListener> g_listeners;
int g_nextId = 1;
}  // namespace

int AddNativeEventListener(NativeEventListener listener) {
    g_listeners[g_nextId] = std::move(listener);
    return g_nextId++;
}

void RemoveNativeEventListener(int id) { g_listeners.erase(id); }

void DispatchNativeEvent(const SDL_Event& event) {
    for (auto& [id, listener] : g_listeners) listener(event);
}
