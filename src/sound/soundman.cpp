#include "sound/soundman.h"

#include <AL/al.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "gamelib/libman.h"
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

struct SoundBuffer {
    std::shared_ptr<SoundData> data;
    ALuint source = 0;
    ~SoundBuffer() {
        if (source) alDeleteSources(1, &source);
    }
};

TSoundSlot soundTable[NUM_SOUND_SLOTS];

namespace {

bool g_loopingStarted = false;
// The player's sound switch: off, plays are silently refused.
bool g_enabled = true;

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

bool AttachSource(SoundBuffer& voice) {
    alGetError();
    alGenSources(1, &voice.source);
    if (alGetError() != AL_NO_ERROR) {
        voice.source = 0;
        return false;
    }
    alSourcei(voice.source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSourcei(voice.source, AL_BUFFER, ALint(voice.data->buffer));
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
    if (voice && volume <= 0 && volume >= MIN_VOLUME) alSourcef(voice->source, AL_GAIN, float(VolumeToGain(volume)));
}

}  // namespace

bool InitSound(GameWindow*, const std::string& captureWavPath) {
    ShutdownSound();
    if (captureWavPath.empty()) {
        if (!OpenPlaybackOutput()) {
            std::fprintf(stderr, "rockpile: no audio device; playing without sound\n");
            return false;
        }
    } else if (!StartSoundCapture(captureWavPath)) {
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
    if (!FillSoundBuffer(voice.get(), 0, bytes + WAV_HEADER_SIZE, wav.dataSize) || !AttachSource(*voice))
        return nullptr;
    return voice.release();
}

SoundBuffer* DuplicateSoundBuffer(const SoundBuffer* buffer) {
    if (!buffer) return nullptr;
    auto voice = std::make_unique<SoundBuffer>();
    voice->data = buffer->data;
    return AttachSource(*voice) ? voice.release() : nullptr;
}

void DeleteSoundBuffer(SoundBuffer* buffer) { delete buffer; }

bool FillSoundBuffer(SoundBuffer* buffer, size_t offset, const uint8_t* source, size_t length) {
    if (!buffer || !source || length == 0) return false;
    SoundData& d = *buffer->data;
    if (offset > d.pcm.size() || length > d.pcm.size() - offset || buffer->data.use_count() > 1) return false;
    if (buffer->source) {
        alSourceStop(buffer->source);
        alSourcei(buffer->source, AL_BUFFER, 0);
    }
    std::memcpy(d.pcm.data() + offset, source, length);
    const bool uploaded = Upload(d);
    if (buffer->source) alSourcei(buffer->source, AL_BUFFER, ALint(d.buffer));
    return uploaded;
}

void SetSoundVolume(int slot, int volume) {
    if (!ValidSlot(slot)) return;
    const TSoundSlot& s = soundTable[slot];
    for (int i = 0; i < s.bufferCount; ++i) SetVoiceVolume(s.buffers[i], volume);
}

void SetSoundEnabled(bool enabled) { g_enabled = enabled; }

SoundBuffer* PlaySound(int slot, bool loop) {
    if (!g_enabled || !ValidSlot(slot)) return nullptr;
    TSoundSlot& s = soundTable[slot];
    if (s.nextBuffer < 0 || s.nextBuffer >= s.bufferCount) return nullptr;
    SoundBuffer* voice = s.buffers[s.nextBuffer];
    if (!voice) return nullptr;
    alSourceRewind(voice->source);
    alSourcei(voice->source, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
    alSourcePlay(voice->source);
    if (++s.nextBuffer >= s.bufferCount) s.nextBuffer = 0;
    if (loop) g_loopingStarted = true;
    return voice;
}

void StopSound(SoundBuffer* buffer) {
    if (buffer) alSourceStop(buffer->source);
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
    alGetSourcei(buffer->source, AL_SOURCE_STATE, &state);
    alGetSourcei(buffer->source, AL_LOOPING, &looping);
    if (state != AL_PLAYING) return 0;
    return SOUND_STATUS_PLAYING | (looping ? SOUND_STATUS_LOOPING : 0);
}

int GetSoundPosition(const SoundBuffer* buffer) {
    ALint offset = 0;
    if (buffer) alGetSourcei(buffer->source, AL_SAMPLE_OFFSET, &offset);
    return offset;
}
