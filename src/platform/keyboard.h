// Keyboard state by virtual-key code, as the game polls it.
// The native layer reports physical keys; a program driver (autopilot,
// replay, tests) may hold keys down too. A key is down when either says so.
#pragma once

#include <cstdint>

constexpr int VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11,
              VK_MENU = 0x12, VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22,
              VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28,
              VK_F1 = 0x70, VK_F3 = 0x72, VK_F4 = 0x73, VK_F5 = 0x74, VK_F6 = 0x75, VK_F7 = 0x76,
              VK_F8 = 0x77, VK_F9 = 0x78, VK_F12 = 0x7B;

// High bit (0x8000, negative as int16) set when the key is down.
int16_t GetKeyState(int virtualKey);

// Physical state, written by the native input layer.
void SetPhysicalKey(int virtualKey, bool down);
void ReleaseAllPhysicalKeys();
// Program-driven state (autopilot, replays, tests).
void SetDrivenKey(int virtualKey, bool down);
void ReleaseAllDrivenKeys();
