// The OpenAL device and context the sounds play on: the default playback
// device, or a loopback device whose mix is rendered on demand into memory.
#pragma once

#include <cstdint>
#include <vector>

// Opens the default playback device. False, with nothing printed, when there
// is none.
bool OpenPlaybackOutput();
// Opens a loopback device mixing 16-bit samples of 1 (mono) or 2 (left and
// right) channels at `sampleRate`.
bool OpenLoopbackOutput(int sampleRate, int channels);
void CloseSoundOutput();
bool SoundOutputOpen();
bool SoundOutputIsLoopback();
// The loopback device's channels; 0 for none.
int LoopbackChannels();

// Loopback only: the next `frames` sample frames of the mix, channels
// interleaved (empty otherwise).
std::vector<int16_t> RenderLoopback(int frames);
