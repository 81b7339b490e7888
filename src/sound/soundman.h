// The sound manager: 16 slots of short PCM sounds, each with a pool of
// voices that plays in turn, so a sound can overlap itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/messages.h"

constexpr int NUM_SOUND_SLOTS = 16;
constexpr int MAX_BUFFERS = 16;

// Sound slots the game plays.
enum SoundSlot : int {
    SOUND_HIT = 1,         // "thunderous hit.wav"
    SOUND_EXPLOSION = 2,   // "explosion3.wav"
    SOUND_POWERUP = 3,     // "powerup_x.wav"
    SOUND_TONE1 = 4,
    SOUND_TONE2 = 5,
    SOUND_TONE3 = 6,
    SOUND_TONE4 = 7,
    SOUND_BOMB = 8,        // "bomb7.wav"
    SOUND_SPINNER = 9,     // "spinner.wav"
    SOUND_PHASERS = 10,    // "phasers3.wav"
    SOUND_RICOCHET = 11,   // "ricochet.wav"
    SOUND_BORG = 12,       // "borg.wav"
    SOUND_UFO = 13,        // "uforep.wav"
};

// One voice of a slot's pool. Opaque to callers, who keep it only to stop a
// looping sound.
struct SoundBuffer;

// Sets up sound for a game (once per Play). With no audio device the game
// goes on silent. `captureWavPath` non-empty renders the mix into that WAV
// file instead of playing it.
bool InitSound(HWND window, const std::string& captureWavPath = {});
// Releases every voice and the device (end of program or before re-init).
void ShutdownSound();

SoundBuffer* PlaySound(int slot, bool loop);
void StopSound(SoundBuffer* buffer);
void StopLoopingSounds();
