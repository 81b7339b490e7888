#include "sound/wav_writer.h"

#include <limits>

#include "sound/wav.h"

bool WavFileWriter::Open(const std::string& path, int channels, int samplesPerSec) {
    Close();
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) return false;
    channels_ = channels;
    samplesPerSec_ = samplesPerSec;
    dataSize_ = 0;
    const auto header = MakeWavHeader(channels_, samplesPerSec_, 16, 0);
    failed_ = std::fwrite(header.data(), 1, header.size(), file_) != header.size();
    return !failed_;
}

bool WavFileWriter::Append(const int16_t* samples, size_t count) {
    if (!file_ || failed_) return false;
    const uint64_t bytes = uint64_t(count) * 2;
    if (dataSize_ + bytes > std::numeric_limits<uint32_t>::max() - WAV_HEADER_SIZE) return false;
    // Little-endian on disk, as on every target this builds for.
    failed_ = std::fwrite(samples, 2, count, file_) != count;
    if (!failed_) dataSize_ += uint32_t(bytes);
    return !failed_;
}

bool WavFileWriter::Close() {
    if (!file_) return false;
    const auto header = MakeWavHeader(channels_, samplesPerSec_, 16, dataSize_);
    bool ok = !failed_ && std::fseek(file_, 0, SEEK_SET) == 0 &&
              std::fwrite(header.data(), 1, header.size(), file_) == header.size();
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    return ok;
}
