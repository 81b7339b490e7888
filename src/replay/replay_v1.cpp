#include "replay/replay_v1.h"

#include <limits>

namespace {

// The message numbers version 1 recorded.
constexpr uint64_t kSetFocus = 0x0007, kKillFocus = 0x0008, kKeyDown = 0x0100, kChar = 0x0102;
constexpr int64_t kPreviouslyDown = int64_t{1} << 30;

}  // namespace

std::optional<GameEvent> EventFromVersion1Message(uint64_t message, uint64_t wParam, int64_t lParam) {
    switch (message) {
        case kKeyDown:
            if (wParam > static_cast<uint64_t>(std::numeric_limits<int>::max())) return std::nullopt;
            return KeyDownEvent(static_cast<int>(wParam), (lParam & kPreviouslyDown) != 0);
        case kChar:
            if (wParam > std::numeric_limits<uint32_t>::max()) return std::nullopt;
            return CharacterEvent(static_cast<uint32_t>(wParam));
        case kSetFocus: return Event(GameEventType::FocusGained);
        case kKillFocus: return Event(GameEventType::FocusLost);
        default: return std::nullopt;
    }
}
