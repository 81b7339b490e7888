// What the platform layer tells a game window: keys, typed characters, a
// controller's Start and Back, focus, the pointer, the close button, and the
// end of the window and of the loop.
#pragma once

#include <cstdint>

enum class GameEventType : uint8_t {
    KeyDown,         // key, repeat
    KeyUp,           // key
    Character,       // character
    PadButton,       // key: a PadEventButton pressed
    FocusGained,
    FocusLost,
    PointerEntered,  // the pointer moved into the window
    Exposed,         // the window's picture needs drawing again
    CloseRequested,  // the close button; the window is destroyed after its handler
    Destroyed,       // the window is going away
    Quit,            // exitCode; ends the game loop
};

// The controller buttons that reach the game window as events, as the
// keyboard's pause and quit keys do; the others are read by role each frame.
enum PadEventButton : int { PAD_EVENT_START = 1, PAD_EVENT_BACK = 2 };

struct GameEvent {
    GameEventType type = GameEventType::Exposed;  // a default event only asks for a redraw
    int key = 0;             // virtual-key code (vk_map.h)
    bool repeat = false;     // a held key's automatic repeat
    uint32_t character = 0;  // Unicode code point
    int exitCode = 0;
    bool operator==(const GameEvent&) const = default;
};

inline GameEvent KeyDownEvent(int key, bool repeat = false) {
    return {.type = GameEventType::KeyDown, .key = key, .repeat = repeat};
}
inline GameEvent KeyUpEvent(int key) { return {.type = GameEventType::KeyUp, .key = key}; }
inline GameEvent CharacterEvent(uint32_t character) {
    return {.type = GameEventType::Character, .character = character};
}
inline GameEvent PadButtonEvent(PadEventButton button) { return {.type = GameEventType::PadButton, .key = button}; }
inline GameEvent QuitEvent(int exitCode) { return {.type = GameEventType::Quit, .exitCode = exitCode}; }
inline GameEvent Event(GameEventType type) { return {.type = type}; }
