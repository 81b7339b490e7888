#include "platform/keyboard.h"

#include <array>

namespace {
std::array<bool, 256> g_physical{};
std::array<bool, 256> g_driven{};

bool InRange(int vk) { return vk >= 0 && vk < 256; }
}  // namespace

int16_t GetKeyState(int virtualKey) {
    if (!InRange(virtualKey)) return 0;
    return (g_physical[virtualKey] || g_driven[virtualKey]) ? static_cast<int16_t>(0x8000) : 0;
}

void SetPhysicalKey(int virtualKey, bool down) {
    if (InRange(virtualKey)) g_physical[virtualKey] = down;
}

void ReleaseAllPhysicalKeys() { g_physical.fill(false); }

void SetDrivenKey(int virtualKey, bool down) {
    if (InRange(virtualKey)) g_driven[virtualKey] = down;
}

void ReleaseAllDrivenKeys() { g_driven.fill(false); }
