// Virtual-key codes for SDL scancodes: what key events carry, what the
// settings store and what GetKeyState is asked about.
#pragma once

#include <SDL_scancode.h>

// The virtual-key code of a physical key; 0 for keys the game has no code
// for. Left and right modifier keys share VK_SHIFT, VK_CONTROL and VK_MENU.
int VirtualKeyFromScancode(SDL_Scancode scancode);
// The physical key a virtual-key code stands for (the left one of a
// modifier pair, the main Enter); SDL_SCANCODE_UNKNOWN for codes of no key.
SDL_Scancode ScancodeFromVirtualKey(int virtualKey);
