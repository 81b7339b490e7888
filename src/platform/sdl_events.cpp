#include "platform/sdl_events.h"

#include <SDL.h>

#include <string_view>

#include "platform/keyboard.h"
#include "platform/native_events.h"
#include "platform/sdl_window.h"
#include "platform/vk_map.h"

namespace {

// Calls `emit` with each code point of a UTF-8 string; bytes that do not
// form a valid sequence are skipped.
template <typename Emit>
void ForEachCodePoint(std::string_view text, Emit emit) {
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > text.size()) {
            ++i;
            continue;
        }
        uint32_t cp = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) valid = false;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (valid) {
            emit(cp);
            i += length;
        } else {
            ++i;
        }
    }
}

uint32_t CharacterForKey(SDL_Scancode sc) {
    switch (sc) {
        case SDL_SCANCODE_ESCAPE: return 27;
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_KP_ENTER: return 13;
        case SDL_SCANCODE_BACKSPACE: return 8;
        case SDL_SCANCODE_TAB: return 9;
        default: return 0;
    }
}

void TranslateKey(const SDL_KeyboardEvent& key, GameWindow* window) {
    const int vk = VirtualKeyFromScancode(key.keysym.scancode);
    const bool down = key.type == SDL_KEYDOWN;
    if (vk) SetPhysicalKey(vk, down);
    if (!window) return;
    if (!down) {
        if (vk) PostEvent(window, KeyUpEvent(vk));
        return;
    }
    if (vk) PostEvent(window, KeyDownEvent(vk, key.repeat != 0));
    if (uint32_t ch = CharacterForKey(key.keysym.scancode)) PostEvent(window, CharacterEvent(ch));
}

void TranslateWindowEvent(const SDL_WindowEvent& event, GameWindow* window) {
    switch (event.event) {
        case SDL_WINDOWEVENT_ENTER:
            if (window) PostEvent(window, Event(GameEventType::PointerEntered));
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            if (window) PostEvent(window, Event(GameEventType::Exposed));
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            if (window) PostEvent(window, Event(GameEventType::FocusGained));
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            ReleaseAllPhysicalKeys();
            if (window) PostEvent(window, Event(GameEventType::FocusLost));
            break;
        case SDL_WINDOWEVENT_CLOSE:
            if (window) PostEvent(window, Event(GameEventType::CloseRequested));
            break;
        default: break;
    }
}

void TranslatePadButton(const SDL_ControllerButtonEvent& button, GameWindow* window) {
    if (!window) return;
    if (button.button == SDL_CONTROLLER_BUTTON_START) PostEvent(window, PadButtonEvent(PAD_EVENT_START));
    if (button.button == SDL_CONTROLLER_BUTTON_BACK) PostEvent(window, PadButtonEvent(PAD_EVENT_BACK));
}

// The window an event is for; a controller's press goes to the window with
// the keyboard focus, as a key would.
uint32_t EventWindowId(const SDL_Event& event) {
    switch (event.type) {
        case SDL_CONTROLLERBUTTONDOWN: {
            SDL_Window* focus = SDL_GetKeyboardFocus();
            return focus ? SDL_GetWindowID(focus) : 0;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP: return event.key.windowID;
        case SDL_TEXTINPUT: return event.text.windowID;
        case SDL_WINDOWEVENT: return event.window.windowID;
        default: return 0;
    }
}

}  // namespace

void TranslateSdlEvent(const SDL_Event& event, GameWindow* window) {
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: TranslateKey(event.key, window); break;
        case SDL_TEXTINPUT:
            if (window) ForEachCodePoint(event.text.text, [&](uint32_t cp) { PostEvent(window, CharacterEvent(cp)); });
            break;
        case SDL_WINDOWEVENT: TranslateWindowEvent(event.window, window); break;
        case SDL_CONTROLLERBUTTONDOWN: TranslatePadButton(event.cbutton, window); break;
        default: break;
    }
}

void PumpSdlEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        DispatchNativeEvent(event);
        const uint32_t id = EventWindowId(event);
        TranslateSdlEvent(event, id ? WindowFromSdlId(id) : nullptr);
    }
}
