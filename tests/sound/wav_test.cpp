#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "sound/wav.h"
#include "sound/wav_writer.h"
#include "tone_wav.h"

namespace {

TEST(WavHeaderTest, ReadsTheFormatAndDerivesBlockAlignAndByteRate) {
    // 8-bit stereo at 11,025 Hz: 1 byte × 2 channels per frame.
    auto bytes = ToneWav(440, 0.1, 0.5, 2, 8, 11025);
    WavFormat f;
    ASSERT_TRUE(ReadWavHeader(bytes.data(), bytes.size(), f));
    EXPECT_EQ(f.channels, 2);
    EXPECT_EQ(f.samplesPerSec, 11025u);
    EXPECT_EQ(f.bitsPerSample, 8);
    EXPECT_EQ(f.blockAlign, 2);
    EXPECT_EQ(f.bytesPerSec, 22050u);
    EXPECT_EQ(f.dataSize, bytes.size() - WAV_HEADER_SIZE);
}

TEST(WavHeaderTest, IgnoresTheFieldsItDoesNotUse) {
    auto bytes = ToneWav(440, 0.1);
    // RIFF size, format tag, byte rate and block align may hold anything.
    for (size_t offset : {4, 5, 6, 7, 20, 21, 28, 29, 30, 31, 32, 33}) bytes[offset] = 0xEE;
    WavFormat f;
    ASSERT_TRUE(ReadWavHeader(bytes.data(), bytes.size(), f));
    EXPECT_EQ(f.channels, 1);
    EXPECT_EQ(f.blockAlign, 2);
    EXPECT_EQ(f.bytesPerSec, 44100u);
}

TEST(WavHeaderTest, RefusesEachWrongTag) {
    const auto good = ToneWav(440, 0.1);
    for (size_t offset : {0, 8, 12, 36}) {
        auto bytes = good;
        bytes[offset + 1] ^= 0x20;
        WavFormat f;
        EXPECT_FALSE(ReadWavHeader(bytes.data(), bytes.size(), f)) << "tag at " << offset;
    }
}

TEST(WavHeaderTest, RefusesAnExtraChunkBeforeTheData) {
    // A valid file with a "LIST" chunk between "fmt " and "data".
    const auto tone = ToneWav(440, 0.1);
    std::vector<uint8_t> bytes(tone.begin(), tone.begin() + 36);
    const uint8_t list[] = {'L', 'I', 'S', 'T', 4, 0, 0, 0, 'I', 'N', 'F', 'O'};
    bytes.insert(bytes.end(), std::begin(list), std::end(list));
    bytes.insert(bytes.end(), tone.begin() + 36, tone.end());
    WavFormat f;
    EXPECT_FALSE(ReadWavHeader(bytes.data(), bytes.size(), f));
}

TEST(WavHeaderTest, RefusesDataRunningPastTheBytesGiven) {
    const auto bytes = ToneWav(440, 0.1);
    WavFormat f;
    EXPECT_TRUE(ReadWavHeader(bytes.data(), bytes.size(), f));
    EXPECT_FALSE(ReadWavHeader(bytes.data(), bytes.size() - 1, f));
    EXPECT_FALSE(ReadWavHeader(bytes.data(), WAV_HEADER_SIZE - 1, f));
    EXPECT_FALSE(ReadWavHeader(nullptr, 0, f));
    // A data size near 4 GiB must not wrap around.
    auto huge = bytes;
    std::memset(huge.data() + 40, 0xFF, 4);
    EXPECT_FALSE(ReadWavHeader(huge.data(), huge.size(), f));
}

TEST(WavFileWriterTest, WritesAHeaderThatMatchesTheSamples) {
    const auto path = std::filesystem::temp_directory_path() / ("rockpile-wav-" + std::to_string(::getpid()));
    const int16_t samples[] = {0, 1000, -1000, 32767, -32768};
    {
        WavFileWriter writer;
        ASSERT_TRUE(writer.Open(path.string(), 1, 22050));
        ASSERT_TRUE(writer.Append(samples, 3));
        ASSERT_TRUE(writer.Append(samples + 3, 2));
        ASSERT_TRUE(writer.Close());
    }
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    WavFormat f;
    ASSERT_TRUE(ReadWavHeader(bytes.data(), bytes.size(), f));
    EXPECT_EQ(f.channels, 1);
    EXPECT_EQ(f.bitsPerSample, 16);
    EXPECT_EQ(f.dataSize, sizeof samples);
    EXPECT_EQ(bytes.size(), WAV_HEADER_SIZE + sizeof samples);
    EXPECT_EQ(std::memcmp(bytes.data() + WAV_HEADER_SIZE, samples, sizeof samples), 0);
    EXPECT_EQ(bytes[4] | bytes[5] << 8, int(36 + sizeof samples));  // RIFF size
}

TEST(WavFileWriterTest, FailsForAFileThatCannotBeCreated) {
    WavFileWriter writer;
    EXPECT_FALSE(writer.Open("/nonexistent-folder/out.wav", 1, 22050));
    const int16_t s = 0;
    EXPECT_FALSE(writer.Append(&s, 1));
}

}  // namespace
