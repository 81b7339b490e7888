// Virtual-key codes for SDL scancodes: what key events carry, what the
// settings store and what GetKeyState is asked about.
#pragma once

#include <SDL_scancode.h>

// The virtual-key code of a physical key; 0 for keys the game has no code
// for. Left and right modifier keys share VK_SHIFT, VK_CONTROL and VK_MENU.
int VirtualKeyFromScancode(SDL_Scancode scancode);
