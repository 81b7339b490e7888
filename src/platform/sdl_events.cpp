#include "platform/sdl_events.h"

#include <SDL.h>

#include <string_view>

#include "platform/keyboard.h"
#include "platform/native_events.h"
#include "platform/sdl_window.h"
#include "platform/vk_map.h"

namespace {

constexpr LPARAM kHitClient = 1;

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

WPARAM CharForKey(SDL_Scancode sc) {
    switch (sc) {
        case SDL_SCANCODE_ESCAPE: return 27;
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_KP_ENTER: return 13;
        case SDL_SCANCODE_BACKSPACE: return 8;
        default: return 0;
    }
}

void TranslateKey(const SDL_KeyboardEvent& key, HWND window) {
    const int vk = VirtualKeyFromScancode(key.keysym.scancode);
    const bool down = key.type == SDL_KEYDOWN;
    if (vk) SetPhysicalKey(vk, down);
    if (!window) return;
    // lParam as Windows fills it: repeat count 1, scan code, previous state
    // (bit 30) and transition (bit 31).
    LPARAM lParam = 1 | (static_cast<LPARAM>(key.keysym.scancode & 0xFF) << 16);
    if (!down) {
        lParam |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
        if (vk) PostMessage(window, WM_KEYUP, vk, lParam);
        return;
    }
    if (key.repeat) lParam |= LPARAM{1} << 30;
    if (vk) PostMessage(window, WM_KEYDOWN, vk, lParam);
    if (WPARAM ch = CharForKey(key.keysym.scancode)) PostMessage(window, WM_CHAR, ch, lParam);
}

void TranslateWindowEvent(const SDL_WindowEvent& event, HWND window) {
    switch (event.event) {
        case SDL_WINDOWEVENT_ENTER:
            if (window)
                PostMessage(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                            kHitClient | (static_cast<LPARAM>(0x0200) << 16));  // WM_MOUSEMOVE
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            if (window) PostMessage(window, WM_SETFOCUS, 0, 0);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            ReleaseAllPhysicalKeys();
            if (window) PostMessage(window, WM_KILLFOCUS, 0, 0);
            break;
        case SDL_WINDOWEVENT_CLOSE:
            if (window) PostMessage(window, WM_CLOSE, 0, 0);
            break;
        default: break;
    }
}

uint32_t EventWindowId(const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: return event.key.windowID;
        case SDL_TEXTINPUT: return event.text.windowID;
        case SDL_WINDOWEVENT: return event.window.windowID;
        default: return 0;
    }
}

}  // namespace

void TranslateSdlEvent(const SDL_Event& event, HWND window) {
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: TranslateKey(event.key, window); break;
        case SDL_TEXTINPUT:
            if (window) ForEachCodePoint(event.text.text, [&](uint32_t cp) { PostMessage(window, WM_CHAR, cp, 1); });
            break;
        case SDL_WINDOWEVENT: TranslateWindowEvent(event.window, window); break;
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
