// Listeners for raw SDL events. The window layer's event pump hands every
// event it takes from SDL to the listeners (input devices, the launcher)
// before turning it into game events.
#pragma once

#include <functional>

union SDL_Event;

using NativeEventListener = std::function<void(const SDL_Event&)>;

// Returns an id for removal.
int AddNativeEventListener(NativeEventListener listener);
void RemoveNativeEventListener(int id);
void DispatchNativeEvent(const SDL_Event& event);
