// A looping sound that belongs to one owner, such as a field object. It plays
// on a voice of its slot's pool; when the pool hands that voice to a newer
// play, the owner's loop falls silent and stopping or moving it leaves the
// newer play alone. Letting go of it (Stop, or destroying it) stops the loop
// while it still has its voice.
#pragma once

#include <cstdint>

struct SoundBuffer;

class LoopingSound {
public:
    LoopingSound() = default;
    ~LoopingSound() { Stop(); }
    LoopingSound(const LoopingSound&) = delete;
    LoopingSound& operator=(const LoopingSound&) = delete;

    // Stops the loop held before, then plays the slot's next voice in a loop
    // at `pan` (PlaySound) and holds it. Nothing is held when the play is
    // refused.
    void Start(int slot, float pan);
    // Moves the loop, as it follows its owner.
    void Pan(float pan) const;
    void Stop();

private:
    // The voice while it still sounds this loop's play, else none.
    SoundBuffer* Voice() const;

    int slot_ = -1;
    int voiceIndex_ = -1;
    uint64_t play_ = 0;
};
