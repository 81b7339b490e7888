#include "sound/wav.h"

#include <cstring>

namespace {

uint32_t ReadU32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t ReadU16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

void WriteU32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}
void WriteU16(uint8_t* p, uint16_t v) { p[0] = uint8_t(v), p[1] = uint8_t(v >> 8); }

bool TagAt(const uint8_t* header, size_t offset, const char* tag) {
    return std::memcmp(header + offset, tag, 4) == 0;
}

}  // namespace

bool ReadWavHeader(const uint8_t* bytes, size_t length, WavFormat& format) {
    if (!bytes || length < WAV_HEADER_SIZE) return false;
    if (!TagAt(bytes, 0, "RIFF") || !TagAt(bytes, 8, "WAVE") || !TagAt(bytes, 12, "fmt ") ||
        !TagAt(bytes, 36, "data"))
        return false;
    WavFormat f;
    f.channels = ReadU16(bytes + 22);
    f.samplesPerSec = ReadU32(bytes + 24);
    f.bitsPerSample = ReadU16(bytes + 34);
    f.blockAlign = f.bitsPerSample / 8 * f.channels;
    f.bytesPerSec = uint64_t(f.blockAlign) * f.samplesPerSec;
    f.dataSize = ReadU32(bytes + 40);
    if (f.dataSize > length - WAV_HEADER_SIZE) return false;
    format = f;
    return true;
}

std::array<uint8_t, WAV_HEADER_SIZE> MakeWavHeader(int channels, int samplesPerSec, int bitsPerSample,
                                                   uint32_t dataSize) {
    std::array<uint8_t, WAV_HEADER_SIZE> h{};
    const uint16_t blockAlign = uint16_t(bitsPerSample / 8 * channels);
    std::memcpy(h.data(), "RIFF", 4);
    WriteU32(h.data() + 4, uint32_t(WAV_HEADER_SIZE - 8) + dataSize);
    std::memcpy(h.data() + 8, "WAVE", 4);
    std::memcpy(h.data() + 12, "fmt ", 4);
    WriteU32(h.data() + 16, 16);
    WriteU16(h.data() + 20, 1);  // PCM
    WriteU16(h.data() + 22, uint16_t(channels));
    WriteU32(h.data() + 24, uint32_t(samplesPerSec));
    WriteU32(h.data() + 28, uint32_t(blockAlign) * uint32_t(samplesPerSec));
    WriteU16(h.data() + 32, blockAlign);
    WriteU16(h.data() + 34, uint16_t(bitsPerSample));
    std::memcpy(h.data() + 36, "data", 4);
    WriteU32(h.data() + 40, dataSize);
    return h;
}
