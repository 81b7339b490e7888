#include "sound/soundman.h"

#include <AL/al.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "gamelib/libman.h"
#include "platform/target.h"
#include "sound/pan_law.h"
#include "sound/sound_capture.h"
#include "sound/sound_output.h"
#include "sound/wav.h"

// The samples of one sound, shared by the voices of its slot.
struct SoundData {
    ALuint buffer = 0;
    ALenum format = 0;
    WavFormat wav;
    std::vector<uint8_t> pcm;
    ~SoundData() {
        if (buffer) alDeleteBuffers(1, &buffer);
    }
};

// A voice plays through one source at the listener or, when sounds are
// placed, through a left and a right source started together, each given
// its speaker's share of the voice's gain.
struct SoundBuffer {
    std::shared_ptr<SoundData> data;
    std::array<ALuint, 2> sources{};
    int sourceCount = 0;
    float volumeGain = 1.0f;
    float pan = 0.0f;
    uint64_t play = 0;
    ~SoundBuffer() {
        if (sourceCount) alDeleteSources(sourceCount, sources.data());
    }
    // The source its state and position are read from.
    ALuint StatusSource() const { return sources[0]; }
};

TSoundSlot soundTable[NUM_SOUND_SLOTS];

namespace {

// The sources of a voice change state together. Emscripten's OpenAL takes
// the names in its vector calls for sources and fails, so the browser build
// changes them one at a time.
void ForEachSource(const SoundBuffer& voice, void (*one)(ALuint), void (*all)(ALsizei, const ALuint*)) {
    if (!voice.sourceCount) return;
    if (!kBrowserPage) return all(voice.sourceCount, voice.sources.data());
    for (int i = 0; i < voice.sourceCount; ++i) one(voice.sources[size_t(i)]);
}

bool g_loopingStarted = false;
// The number of the latest play (GetSoundPlay).
uint64_t g_plays = 0;
// The player's sound switch: off, plays are silently refused.
bool g_enabled = true;
// The player's placement switch, and whether the open output places sounds.
bool g_placementWanted = false;
bool g_placing = false;

// Where the left and right sources of a placed voice stand: at the speakers.
constexpr float SPEAKER_X[2] = {-1.0f, 1.0f};

struct SlotLoad {
    int slot;
    const char* name;
    int buffers;
};
// Loaded in this order.
constexpr SlotLoad SLOT_LOADS[] = {
    {10, "phasers3.wav", 8}, {11, "ricochet.wav", 8}, {1, "thunderous hit.wav", 16}, {2, "explosion3.wav", 16},
    {3, "powerup_x.wav", 4}, {12, "borg.wav", 4},     {13, "uforep.wav", 4},         {9, "spinner.wav", 10},
    {4, "tone1.wav", 2},     {5, "tone2.wav", 2},     {6, "tone3.wav", 2},           {7, "tone4.wav", 2},
    {8, "bomb7.wav", 4},
};
struct SlotVolume {
    int slot;
    int volume;
};
// Set in this order; the requests above 0 are refused and keep full volume.
constexpr SlotVolume SLOT_VOLUMES[] = {{13, -500}, {9, -250},  {11, 250}, {4, 1000}, {5, 1000},
                                       {6, 1000},  {7, 1000}, {10, -1000}, {2, -500}};

constexpr int MIN_VOLUME = -10000;

bool ValidSlot(int slot) { return slot >= 0 && slot < NUM_SOUND_SLOTS; }

ALenum AlFormatOf(const WavFormat& f) {
    if (f.channels == 1 && f.bitsPerSample == 8) return AL_FORMAT_MONO8;
    if (f.channels == 1 && f.bitsPerSample == 16) return AL_FORMAT_MONO16;
    if (f.channels == 2 && f.bitsPerSample == 8) return AL_FORMAT_STEREO8;
    if (f.channels == 2 && f.bitsPerSample == 16) return AL_FORMAT_STEREO16;
    return 0;
}

// Hands the whole samples (in whole frames) to OpenAL.
bool Upload(SoundData& d) {
    const size_t bytes = d.pcm.size() / size_t(d.wav.blockAlign) * size_t(d.wav.blockAlign);
    alGetError();
    alBufferData(d.buffer, d.format, d.pcm.data(), ALsizei(bytes), ALsizei(d.wav.samplesPerSec));
    return alGetError() == AL_NO_ERROR;
}

void ApplyGains(const SoundBuffer& voice) {
    if (voice.sourceCount == 1) {
        alSourcef(voice.StatusSource(), AL_GAIN, voice.volumeGain);
        return;
    }
    const StereoGains speakers = PanGains(voice.pan);
    alSourcef(voice.sources[0], AL_GAIN, voice.volumeGain * speakers.left);
    alSourcef(voice.sources[1], AL_GAIN, voice.volumeGain * speakers.right);
}

bool AttachSources(SoundBuffer& voice) {
    const int count = g_placing ? 2 : 1;
    alGetError();
    alGenSources(count, voice.sources.data());
    if (alGetError() != AL_NO_ERROR) return false;
    voice.sourceCount = count;
    for (int i = 0; i < count; ++i) {
        const ALuint source = voice.sources[size_t(i)];
        alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
        if (g_placing) alSource3f(source, AL_POSITION, SPEAKER_X[i], 0.0f, 0.0f);
        alSourcei(source, AL_BUFFER, ALint(voice.data->buffer));
    }
    ApplyGains(voice);
    return alGetError() == AL_NO_ERROR;
}

void ClearSlot(TSoundSlot& slot) {
    for (SoundBuffer*& b : slot.buffers) {
        DeleteSoundBuffer(b);
        b = nullptr;
    }
    slot.nextBuffer = -1;
    slot.bufferCount = 0;
}

// Hundredths of a decibel as amplitude.
double VolumeToGain(int volume) { return std::pow(10.0, volume / 2000.0); }

void SetVoiceVolume(SoundBuffer* voice, int volume) {
    if (!voice || volume > 0 || volume < MIN_VOLUME) return;
    voice->volumeGain = float(VolumeToGain(volume));
    ApplyGains(*voice);
}

}  // namespace

bool InitSound(GameWindow*, const std::string& captureWavPath) {
    ShutdownSound();
    g_placing = g_placementWanted;
    if (captureWavPath.empty()) {
        if (!OpenPlaybackOutput()) {
            std::fprintf(stderr, "rockpile: no audio device; playing without sound\n");
            return false;
        }
    } else if (!StartSoundCapture(captureWavPath, g_placing ? 2 : 1)) {
        std::fprintf(stderr, "rockpile: cannot capture sound into '%s'; playing without sound\n",
                     captureWavPath.c_str());
        return false;
    }
    for (const SlotLoad& load : SLOT_LOADS) LoadSound(load.name, load.slot, load.buffers);
    for (const SlotVolume& v : SLOT_VOLUMES) SetSoundVolume(v.slot, v.volume);
    return true;
}

void ShutdownSound() {
    for (TSoundSlot& slot : soundTable) ClearSlot(slot);
    g_loopingStarted = false;
    if (SoundOutputIsLoopback() && !FinishSoundCapture())
        std::fprintf(stderr, "rockpile: the sound capture file could not be written whole\n");
    CloseSoundOutput();
}

int LoadSound(const char* name, int slot, int wantBuffers) {
    if (!name || !ValidSlot(slot)) return -1;
    char path[300];
    std::snprintf(path, sizeof path, "sounds\\%s", name);
    TLibEntry* entry = LibGetFile(path);
    if (!entry) return -1;
    const int result = LoadSoundData(entry->data, entry->length, slot, wantBuffers);
    LibReleaseFile(entry);
    return result;
}

int LoadSoundData(const uint8_t* bytes, size_t length, int slot, int wantBuffers) {
    if (!ValidSlot(slot)) return -1;
    TSoundSlot& s = soundTable[slot];
    ClearSlot(s);
    wantBuffers = std::min(wantBuffers, MAX_BUFFERS);
    for (int i = 0; i < wantBuffers; ++i) {
        SoundBuffer* voice = i == 0 ? LoadWav(bytes, length) : DuplicateSoundBuffer(s.buffers[0]);
        if (!voice) return -1;
        s.buffers[s.bufferCount++] = voice;
    }
    s.nextBuffer = 0;
    return slot;
}

SoundBuffer* LoadWav(const uint8_t* bytes, size_t length) {
    WavFormat wav;
    if (!SoundOutputOpen() || !ReadWavHeader(bytes, length, wav)) return nullptr;
    const ALenum format = AlFormatOf(wav);
    if (!format || wav.samplesPerSec == 0 || wav.dataSize < uint32_t(wav.blockAlign)) return nullptr;
    auto data = std::make_shared<SoundData>();
    alGetError();
    alGenBuffers(1, &data->buffer);
    if (alGetError() != AL_NO_ERROR) {
        data->buffer = 0;
        return nullptr;
    }
    data->format = format;
    data->wav = wav;
    data->pcm.resize(wav.dataSize);
    auto voice = std::make_unique<SoundBuffer>();
    voice->data = std::move(data);
    if (!FillSoundBuffer(voice.get(), 0, bytes + WAV_HEADER_SIZE, wav.dataSize) || !AttachSources(*voice))
        return nullptr;
    return voice.release();
}

SoundBuffer* DuplicateSoundBuffer(const SoundBuffer* buffer) {
    if (!buffer) return nullptr;
    auto voice = std::make_unique<SoundBuffer>();
    voice->data = buffer->data;
    return AttachSources(*voice) ? voice.release() : nullptr;
}

void DeleteSoundBuffer(SoundBuffer* buffer) { delete buffer; }

bool FillSoundBuffer(SoundBuffer* buffer, size_t offset, const uint8_t* source, size_t length) {
    if (!buffer || !source || length == 0) return false;
    SoundData& d = *buffer->data;
    if (offset > d.pcm.size() || length > d.pcm.size() - offset || buffer->data.use_count() > 1) return false;
    ForEachSource(*buffer, alSourceStop, alSourceStopv);
    for (int i = 0; i < buffer->sourceCount; ++i) alSourcei(buffer->sources[size_t(i)], AL_BUFFER, 0);
    std::memcpy(d.pcm.data() + offset, source, length);
    const bool uploaded = Upload(d);
    for (int i = 0; i < buffer->sourceCount; ++i) alSourcei(buffer->sources[size_t(i)], AL_BUFFER, ALint(d.buffer));
    return uploaded;
}

void SetSoundVolume(int slot, int volume) {
    if (!ValidSlot(slot)) return;
    const TSoundSlot& s = soundTable[slot];
    for (int i = 0; i < s.bufferCount; ++i) SetVoiceVolume(s.buffers[i], volume);
}

void SetSoundEnabled(bool enabled) { g_enabled = enabled; }

void SetSoundPlacement(bool placed) { g_placementWanted = placed; }

SoundBuffer* PlaySound(int slot, bool loop, float pan) {
    if (!g_enabled || !ValidSlot(slot)) return nullptr;
    TSoundSlot& s = soundTable[slot];
    if (s.nextBuffer < 0 || s.nextBuffer >= s.bufferCount) return nullptr;
    SoundBuffer* voice = s.buffers[s.nextBuffer];
    if (!voice) return nullptr;
    ForEachSource(*voice, alSourceRewind, alSourceRewindv);
    for (int i = 0; i < voice->sourceCount; ++i)
        alSourcei(voice->sources[size_t(i)], AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
    PanSound(voice, pan);
    ForEachSource(*voice, alSourcePlay, alSourcePlayv);
    voice->play = ++g_plays;
    if (++s.nextBuffer >= s.bufferCount) s.nextBuffer = 0;
    if (loop) g_loopingStarted = true;
    return voice;
}

void PanSound(SoundBuffer* buffer, float pan) {
    if (!buffer) return;
    buffer->pan = pan;
    ApplyGains(*buffer);
}

void StopSound(SoundBuffer* buffer) {
    if (buffer) ForEachSource(*buffer, alSourceStop, alSourceStopv);
}

void StopLoopingSounds() {
    if (!g_loopingStarted) return;
    for (const TSoundSlot& s : soundTable)
        for (int i = 0; i < s.bufferCount; ++i) {
            const uint32_t status = GetSoundStatus(s.buffers[i]);
            if ((status & SOUND_STATUS_PLAYING) && (status & SOUND_STATUS_LOOPING)) StopSound(s.buffers[i]);
        }
    g_loopingStarted = false;
}

uint32_t GetSoundStatus(const SoundBuffer* buffer) {
    if (!buffer) return 0;
    ALint state = 0, looping = 0;
    alGetSourcei(buffer->StatusSource(), AL_SOURCE_STATE, &state);
    alGetSourcei(buffer->StatusSource(), AL_LOOPING, &looping);
    if (state != AL_PLAYING) return 0;
    return SOUND_STATUS_PLAYING | (looping ? SOUND_STATUS_LOOPING : 0);
}

uint64_t GetSoundPlay(const SoundBuffer* buffer) { return buffer ? buffer->play : 0; }

int GetSoundPosition(const SoundBuffer* buffer) {
    ALint offset = 0;
    if (buffer) alGetSourcei(buffer->StatusSource(), AL_SAMPLE_OFFSET, &offset);
    return offset;
}
