// Streams 16-bit PCM samples into a WAV file with the canonical 44-byte
// header; the header's sizes are filled in when the file is closed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class WavFileWriter {
public:
    WavFileWriter() = default;
    ~WavFileWriter() { Close(); }
    WavFileWriter(const WavFileWriter&) = delete;
    WavFileWriter& operator=(const WavFileWriter&) = delete;

    bool Open(const std::string& path, int channels, int samplesPerSec);
    bool Append(const int16_t* samples, size_t count);
    // Writes the final header. False when any write failed.
    bool Close();
    bool IsOpen() const { return file_ != nullptr; }

private:
    std::FILE* file_ = nullptr;
    int channels_ = 0;
    int samplesPerSec_ = 0;
    uint32_t dataSize_ = 0;
    bool failed_ = false;
};
