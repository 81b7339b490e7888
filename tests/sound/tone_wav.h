// WAV files of sine tones and of noise for the sound tests.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "sound/wav.h"

inline std::vector<uint8_t> ToneWav(double frequency, double seconds, double amplitude = 0.5, int channels = 1,
                                    int bits = 16, int rate = 22050) {
    const int frames = int(seconds * rate);
    const uint32_t dataSize = uint32_t(frames * channels * (bits / 8));
    const auto header = MakeWavHeader(channels, rate, bits, dataSize);
    std::vector<uint8_t> bytes(header.begin(), header.end());
    for (int i = 0; i < frames; ++i) {
        const double s = amplitude * std::sin(2.0 * M_PI * frequency * i / rate);
        for (int c = 0; c < channels; ++c) {
            if (bits == 8) {
                bytes.push_back(uint8_t(128 + int(std::lround(s * 127))));
            } else {
                const auto v = uint16_t(int16_t(std::lround(s * 32767)));
                bytes.push_back(uint8_t(v));
                bytes.push_back(uint8_t(v >> 8));
            }
        }
    }
    return bytes;
}

// Mono 16-bit white noise spread evenly between -amplitude and amplitude of full
// scale. Copies of it started at different times do not correlate, so their
// powers add up in a mix: the mix's power counts the copies sounding.
inline std::vector<uint8_t> NoiseWav(double seconds, double amplitude, int rate = 22050) {
    const int frames = int(seconds * rate);
    const auto header = MakeWavHeader(1, rate, 16, uint32_t(frames * 2));
    std::vector<uint8_t> bytes(header.begin(), header.end());
    uint32_t state = 2463534242u;
    for (int i = 0; i < frames; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        const double s = amplitude * (2.0 * (state / 4294967296.0) - 1.0);
        const auto v = uint16_t(int16_t(std::lround(s * 32767)));
        bytes.push_back(uint8_t(v));
        bytes.push_back(uint8_t(v >> 8));
    }
    return bytes;
}
