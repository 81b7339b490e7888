#include "sound/looping_sound.h"

#include "sound/soundman.h"

void LoopingSound::Start(int slot, float pan) {
    Stop();
    if (slot < 0 || slot >= NUM_SOUND_SLOTS) return;
    const int voiceIndex = soundTable[slot].nextBuffer;
    SoundBuffer* voice = PlaySound(slot, true, pan);
    if (!voice) return;
    slot_ = slot;
    voiceIndex_ = voiceIndex;
    play_ = GetSoundPlay(voice);
}

void LoopingSound::Pan(float pan) const { PanSound(Voice(), pan); }

void LoopingSound::Stop() {
    StopSound(Voice());
    slot_ = voiceIndex_ = -1;
    play_ = 0;
}

SoundBuffer* LoopingSound::Voice() const {
    if (slot_ < 0) return nullptr;
    const TSoundSlot& slot = soundTable[slot_];
    if (voiceIndex_ >= slot.bufferCount) return nullptr;
    SoundBuffer* voice = slot.buffers[voiceIndex_];
    return GetSoundPlay(voice) == play_ ? voice : nullptr;
}
