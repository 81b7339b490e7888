// The OpenAL device and context the sounds play on: the default playback
// device, or a loopback device whose mix is rendered on demand into memory.
#pragma once

#include <cstdint>
#include <vector>

// Opens the default playback device. False, with nothing printed, when there
// is none.
bool OpenPlaybackOutput();
// Opens a loopback device mixing mono 16-bit samples at `sampleRate`.
bool OpenLoopbackOutput(int sampleRate);
void CloseSoundOutput();
bool SoundOutputOpen();
bool SoundOutputIsLoopback();

// Loopback only: the next `frames` samples of the mix (empty otherwise).
std::vector<int16_t> RenderLoopback(int frames);
