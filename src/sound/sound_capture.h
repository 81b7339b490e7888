// Capture of the mix into a WAV file through the loopback device.
#pragma once

#include <string>

constexpr int CAPTURE_SAMPLE_RATE = 22050;  // mono, 16-bit

// Opens the loopback output and the file. False when either fails.
bool StartSoundCapture(const std::string& path);
// Completes the file. False when it could not be written whole.
bool FinishSoundCapture();
