// How loud each sound of the default library is made, by its part in the mix.
// Loudness is ActiveRmsDbfs (contentgen/dsp.h): the RMS of the sound's
// active part, in dBFS. The slot volumes the games set come on top (explosions
// -5 dB, the saucer's loop -5 dB, the spinner's -2.5 dB, phasers -10 dB); the
// levels are chosen so that after them the explosion is the loudest sound in
// play and the loops sit well under the effects.
#pragma once

#include <string>

namespace content {

enum class SoundRole { Shot, Hit, Explosion, PowerUp, Tone, Loop };

struct RoleLevel {
    SoundRole role;
    const char* name;
    double loudnessDbfs;
};
extern const RoleLevel kRoleLevels[6];

// Every sound stays under this peak.
constexpr double kSoundPeakLimitDbfs = -1.0;

// The role of a sound of kSoundNames (bare file name); throws for another.
SoundRole RoleOfSound(const std::string& file);
double LoudnessOf(SoundRole role);

}  // namespace content
