#include "input/key_state.h"

#include <SDL.h>

#include <array>

#include "platform/keyboard.h"
#include "platform/vk_map.h"

void SyncPhysicalKeys(const uint8_t* scancodeState, int numScancodes) {
    std::array<bool, 256> mapped{}, down{};
    for (int sc = 0; sc < numScancodes; ++sc) {
        const int vk = VirtualKeyFromScancode(static_cast<SDL_Scancode>(sc));
        if (vk <= 0 || vk >= 256) continue;
        mapped[vk] = true;
        down[vk] = down[vk] || scancodeState[sc];
    }
    for (int vk = 0; vk < 256; ++vk)
        if (mapped[vk]) SetPhysicalKey(vk, down[vk]);
}

void PollKeyboardState() {
    int count = 0;
    const uint8_t* state = SDL_GetKeyboardState(&count);
    if (state) SyncPhysicalKeys(state, count);
}
