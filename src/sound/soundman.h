// The sound manager: 16 slots of short PCM sounds, each with a pool of
// voices that plays in turn, so a sound can overlap itself.
//
// Use from a game:
//   at Play:        InitSound(window, captureWavPath) after the display is up;
//   each frame:     SoundCaptureAdvance(elapsedSeconds) (does nothing unless
//                   capturing);
//   at the game's end or before the next Play: ShutdownSound().
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/game_window.h"

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

// One voice of a slot's pool. Opaque to callers; a looping sound that
// belongs to an owner is held as a LoopingSound (sound/looping_sound.h).
struct SoundBuffer;

// A slot: its voices, the one that plays next (-1: the slot is disabled) and
// how many there are.
struct TSoundSlot {
    SoundBuffer* buffers[MAX_BUFFERS] = {};
    int nextBuffer = -1;
    int bufferCount = 0;
};
extern TSoundSlot soundTable[NUM_SOUND_SLOTS];

// Sets up sound for a game (once per Play) and loads every slot from the
// game library. With no audio device the game goes on silent and one line on
// standard error says so; false is returned. `captureWavPath` non-empty
// renders the mix through a loopback device instead of playing it: 16-bit,
// 22,050 frames per second, mono, or left and right when sounds are placed,
// advanced by SoundCaptureAdvance and written to that file as a WAV at
// ShutdownSound.
bool InitSound(GameWindow* window, const std::string& captureWavPath = {});
// Releases every voice and the device and completes a capture file.
void ShutdownSound();

// Loads "sounds\<name>" from the game library into `slot` with `wantBuffers`
// voices. Returns the slot, or -1 (missing sound: the slot is left as it was;
// a bad WAV: the slot stays disabled).
int LoadSound(const char* name, int slot, int wantBuffers);
// The same from WAV bytes in memory.
int LoadSoundData(const uint8_t* bytes, size_t length, int slot, int wantBuffers);
// A new voice holding the WAV's samples, or none when the header is refused
// (see ReadWavHeader) or the format cannot be played (1 or 2 channels of 8 or
// 16 bits only). Owned by the caller until stored in a slot.
SoundBuffer* LoadWav(const uint8_t* bytes, size_t length);
// A further voice sharing `buffer`'s samples, or none.
SoundBuffer* DuplicateSoundBuffer(const SoundBuffer* buffer);
void DeleteSoundBuffer(SoundBuffer* buffer);
// Copies `length` bytes into the voice's samples at byte `offset`, stopping
// the voice. Fails for a length of 0, a range past the samples, or samples
// already shared with another voice.
bool FillSoundBuffer(SoundBuffer* buffer, size_t offset, const uint8_t* source, size_t length);

// Volume of every voice of the slot in hundredths of a decibel: 0 is full
// volume, -10,000 silence. Values outside that range are refused and leave
// the volume as it was.
void SetSoundVolume(int slot, int volume);

// The player's sound switch ("enableSound"); on until set.
void SetSoundEnabled(bool enabled);
// The player's placement switch: on, each voice is placed between the left
// and right speakers by its pan (sound/pan_law.h); off, every voice plays in
// the middle and a capture is mono. Off until set; takes effect at the next
// InitSound.
void SetSoundPlacement(bool placed);
// Rewinds and plays the slot's next voice at `pan`, restarting it if it
// still sounds. None when sound is switched off, the slot is disabled or
// empty. Sounds without a place keep the middle, 0.
SoundBuffer* PlaySound(int slot, bool loop, float pan = 0.0f);
// Moves a playing voice, as a loop that follows its object.
void PanSound(SoundBuffer* buffer, float pan);
void StopSound(SoundBuffer* buffer);
// Stops the voices playing in a loop (only after a looping play).
void StopLoopingSounds();

constexpr uint32_t SOUND_STATUS_PLAYING = 1;
constexpr uint32_t SOUND_STATUS_LOOPING = 4;
// Playing and looping flags of a voice (0 for none).
uint32_t GetSoundStatus(const SoundBuffer* buffer);
// Which play the voice sounds: every PlaySound numbers its play anew, never
// twice in a run (0 for none, or a voice not played yet).
uint64_t GetSoundPlay(const SoundBuffer* buffer);
// Play position of a voice in sample frames.
int GetSoundPosition(const SoundBuffer* buffer);

// Capture mode: renders the mix for `seconds` more of game time into the
// capture file. Does nothing otherwise.
void SoundCaptureAdvance(double seconds);
// Capture mode: renders the next `frames` sample frames of the mix (left
// and right interleaved when sounds are placed), appends them to the capture
// file and returns them (empty otherwise).
std::vector<int16_t> RenderSoundMix(int frames);
