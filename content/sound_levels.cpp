#include "sound_levels.h"

#include <stdexcept>

namespace content {
namespace {

struct SoundRoleRow {
    const char* file;
    SoundRole role;
};
const SoundRoleRow kSoundRoles[] = {
    {"phasers3.wav", SoundRole::Shot},       {"ricochet.wav", SoundRole::Shot},
    {"thunderous hit.wav", SoundRole::Hit},  {"explosion3.wav", SoundRole::Explosion},
    {"bomb7.wav", SoundRole::Explosion},     {"powerup_x.wav", SoundRole::PowerUp},
    {"tone1.wav", SoundRole::Tone},          {"tone2.wav", SoundRole::Tone},
    {"tone3.wav", SoundRole::Tone},          {"tone4.wav", SoundRole::Tone},
    {"spinner.wav", SoundRole::Loop},        {"borg.wav", SoundRole::Loop},
    {"uforep.wav", SoundRole::Loop},
};

}  // namespace

// In play, after the slot volumes: explosion -22, power-up -24, ricochet
// shots -24, hits -25, phaser shots -34, loops -35 (borg), -37.5 (spinner),
// -40 (saucer). Explosions are limited by their peaks: the bomb's crest
// leaves about 16 dB between its loudness and its peak.
const RoleLevel kRoleLevels[6] = {
    {SoundRole::Shot, "shots", -24.0},        {SoundRole::Hit, "hits", -25.0},
    {SoundRole::Explosion, "explosions", -17.0}, {SoundRole::PowerUp, "power-ups", -24.0},
    {SoundRole::Tone, "tones", -24.0},        {SoundRole::Loop, "loops", -35.0},
};

SoundRole RoleOfSound(const std::string& file) {
    for (const SoundRoleRow& row : kSoundRoles)
        if (file == row.file) return row.role;
    throw std::invalid_argument("no loudness role for the sound " + file);
}

double LoudnessOf(SoundRole role) {
    for (const RoleLevel& level : kRoleLevels)
        if (level.role == role) return level.loudnessDbfs;
    throw std::invalid_argument("a sound role without a loudness");
}

}  // namespace content
