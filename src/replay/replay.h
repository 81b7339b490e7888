// A recorded game: what it needs to start exactly as it did (game, settings
// that change play, the high score table, the generator's state at setup)
// and, per frame, the elapsed time, the input the ship read and the play
// events handled before the frame, plus world-state hashes to check against
// on playback.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/game_event.h"

// Version 1 kept window messages where version 2 keeps game events; it is
// still read.
constexpr uint32_t REPLAY_FORMAT_VERSION = 2;
// A world-state hash is taken at the start of every frame whose number is a
// multiple of this.
constexpr int64_t REPLAY_HASH_INTERVAL = 300;

// Bits of ReplayFrame::keys: the bound keys the ship polls, by role.
enum ReplayKey : uint8_t {
    REPLAY_KEY_LEFT = 1 << 0,
    REPLAY_KEY_RIGHT = 1 << 1,
    REPLAY_KEY_THRUST = 1 << 2,
    REPLAY_KEY_BRAKE = 1 << 3,
    REPLAY_KEY_FIRE = 1 << 4,
    REPLAY_KEY_ALT_FIRE = 1 << 5,
    REPLAY_KEY_SHIELD = 1 << 6,
};

// The device state the ship read in a frame: mouse (input device 0) or
// joystick (input device 2); buttons 0 to 2 as bits (the mouse's buttons or
// the joystick's role buttons). Bit 3, a joystick brake that recordings of
// earlier builds hold, is read and has no effect: no game used it.
struct ReplayDevice {
    int32_t x = 0, y = 0, dx = 0;
    uint8_t buttons = 0;
    bool operator==(const ReplayDevice&) const = default;
};

struct ReplayFrame {
    float dt = 0;
    uint8_t keys = 0;
    ReplayDevice device;
    std::vector<GameEvent> events;  // play events handled before this frame
    bool operator==(const ReplayFrame&) const = default;
};

struct ReplayCheck {
    int64_t frame = 0;
    uint64_t hash = 0;
    bool operator==(const ReplayCheck&) const = default;
};

struct ReplaySetting {
    std::string name;
    int32_t value = 0;  // floats as their bit pattern
    bool operator==(const ReplaySetting&) const = default;
};

struct ReplayScore {
    std::string name;
    int32_t score = 0;
    bool operator==(const ReplayScore&) const = default;
};

struct Replay {
    int32_t gameId = 0;
    std::string gameTitle;
    uint32_t seed = 0;  // generator state right before setup
    std::vector<ReplaySetting> settings;
    std::vector<ReplayScore> highScores;
    int32_t mouseMinX = 0, mouseMaxX = 0;
    std::vector<ReplayFrame> frames;
    std::vector<ReplayCheck> checks;
    bool operator==(const Replay&) const = default;
};
