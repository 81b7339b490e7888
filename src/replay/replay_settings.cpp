#include "replay/replay_settings.h"

#include <array>
#include <cstring>
#include <type_traits>

#include "framework/gameglobals.h"
#include "persist/highscore.h"

namespace {

using namespace setting_columns;

// Everything the simulation, the ship's controls or the session's event handling
// read is recorded (the replay column); display, sound and drawing options
// are left out.
constexpr int CountRecorded() {
    int count = 0;
#define COUNT(type, field, store, key, written, def, low, high, reset, place, control) count += (place) != NOT_RECORDED;
    ROCKPILE_SETTINGS(COUNT)
#undef COUNT
    return count;
}
constexpr int kRecorded = CountRecorded();

// Every place from 0 to kRecorded - 1 is taken once.
constexpr bool PlacesAreDistinct() {
    std::array<int, kRecorded> taken{};
    bool distinct = true;
    auto take = [&](int place) {
        if (place == NOT_RECORDED) return;
        if (place < 0 || place >= kRecorded || taken[place]++) distinct = false;
    };
#define TAKE(type, field, store, key, written, def, low, high, reset, place, control) take(place);
    ROCKPILE_SETTINGS(TAKE)
#undef TAKE
    return distinct;
}
static_assert(PlacesAreDistinct(), "each recorded setting needs its own place in the replay column, 0 upwards");

// A replay keeps 32 bits per setting: floats as their bit pattern (copied,
// as the browser build's C++ library has no std::bit_cast).
template <class T>
int32_t Bits(const T& value) {
    if constexpr (std::is_floating_point_v<T>) {
        static_assert(sizeof(T) == sizeof(int32_t));
        int32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        return bits;
    } else {
        return static_cast<int32_t>(value);
    }
}

template <class T>
T FromBits(int32_t bits) {
    if constexpr (std::is_floating_point_v<T>) {
        T value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    } else {
        return static_cast<T>(bits);
    }
}

// The name a replay records a setting under: its field's name.
#define RECORDED_NAME(field) (static_cast<void>(&TSettings::field), #field)

}  // namespace

void CaptureReplaySettings(Replay& replay) {
    std::array<ReplaySetting, kRecorded> recorded;
    auto record = [&](int place, const char* name, int32_t value) {
        if (place != NOT_RECORDED) recorded[place] = {name, value};
    };
#define RECORD(type, field, store, key, written, def, low, high, reset, place, control) \
    record(place, RECORDED_NAME(field), Bits(settings.field));
    ROCKPILE_SETTINGS(RECORD)
#undef RECORD
    replay.settings.assign(recorded.begin(), recorded.end());
    replay.highScores.clear();
    for (const THighScore& h : highScores) replay.highScores.push_back({h.playerName, h.score});
}

bool ApplyReplaySettings(const Replay& replay, std::string& unknown) {
    for (const ReplaySetting& r : replay.settings) {
        bool found = false;
#define APPLY(type, field, store, key, written, def, low, high, reset, place, control) \
    if ((place) != NOT_RECORDED && r.name == RECORDED_NAME(field)) {                \
        settings.field = FromBits<type>(r.value);                                    \
        found = true;                                                                \
    }
        ROCKPILE_SETTINGS(APPLY)
#undef APPLY
        if (!found) {
            unknown = r.name;
            return false;
        }
    }
    ClearHighScores();
    for (size_t i = 0; i < replay.highScores.size() && i < NUM_HIGH_SCORES; ++i) {
        highScores[i].playerName = replay.highScores[i].name;
        highScores[i].score = replay.highScores[i].score;
    }
    return true;
}

void ApplyRecordedInputDevice(const Replay& replay) {
    for (const ReplaySetting& r : replay.settings)
        if (r.name == RECORDED_NAME(inputDevice)) settings.inputDevice = FromBits<decltype(settings.inputDevice)>(r.value);
}
