// Capture of the mix into a WAV file through the loopback device.
#pragma once

#include <string>

constexpr int CAPTURE_SAMPLE_RATE = 22050;  // 16-bit

// Opens the loopback output of 1 or 2 channels and the file. False when
// either fails.
bool StartSoundCapture(const std::string& path, int channels);
// Completes the file. False when it could not be written whole.
bool FinishSoundCapture();
