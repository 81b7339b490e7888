// The canonical 44-byte PCM WAV header: "RIFF" at 0, "WAVE" at 8, a 16-byte
// "fmt " chunk at 12 and "data" at 36, samples from byte 44.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

constexpr size_t WAV_HEADER_SIZE = 44;

struct WavFormat {
    int channels = 0;
    uint32_t samplesPerSec = 0;
    int bitsPerSample = 0;
    int blockAlign = 0;        // bits / 8 × channels (integer division)
    uint64_t bytesPerSec = 0;  // blockAlign × samplesPerSec
    uint32_t dataSize = 0;     // bytes of samples after the header
};

// Reads the header of `length` bytes. Refused (false) when the bytes are
// shorter than the header, a tag does not match, or the data size runs past
// the bytes given. The format is taken as PCM; RIFF size, format tag, byte
// rate and block align in the file are not read.
bool ReadWavHeader(const uint8_t* bytes, size_t length, WavFormat& format);

// The header of a PCM file in `format`, with `dataSize` bytes of samples.
std::array<uint8_t, WAV_HEADER_SIZE> MakeWavHeader(int channels, int samplesPerSec, int bitsPerSample,
                                                   uint32_t dataSize);
