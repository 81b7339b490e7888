// The sounds: canonical 44-byte headers the sound manager accepts, mono
// 22,050 Hz 16-bit, each as loud as its role with peaks under -1 dBFS, short
// one-shots, seamless loops.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "dsp.h"
#include "library_fixture.h"
#include "names.h"
#include "sound/wav.h"
#include "sound_levels.h"

namespace {

uint32_t Read32(const contentgen::Bytes& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

std::vector<int> Samples(const contentgen::Bytes& b) {
    std::vector<int> out;
    for (size_t i = 44; i + 1 < b.size(); i += 2) out.push_back(static_cast<int16_t>(b[i] | (b[i + 1] << 8)));
    return out;
}

bool IsLoop(const std::string& name) { return content::RoleOfSound(name) == content::SoundRole::Loop; }

TEST(Sounds, HeadersAreCanonicalAndReadByTheSoundManagersReader) {
    for (const std::string& name : content::kSoundNames) {
        SCOPED_TRACE(name);
        const contentgen::Bytes& b = contenttest::Entry(content::SoundEntry(name));
        ASSERT_GT(b.size(), 44u);
        EXPECT_EQ(std::memcmp(b.data(), "RIFF", 4), 0);
        EXPECT_EQ(std::memcmp(b.data() + 8, "WAVE", 4), 0);
        EXPECT_EQ(std::memcmp(b.data() + 12, "fmt ", 4), 0);
        EXPECT_EQ(std::memcmp(b.data() + 36, "data", 4), 0);
        EXPECT_EQ(Read32(b, 16), 16u);
        EXPECT_EQ(Read32(b, 4), b.size() - 8);
        EXPECT_EQ(Read32(b, 40), b.size() - 44);
        WavFormat format;
        ASSERT_TRUE(ReadWavHeader(b.data(), b.size(), format));
        EXPECT_EQ(format.channels, 1);
        EXPECT_EQ(format.samplesPerSec, 22050u);
        EXPECT_EQ(format.bitsPerSample, 16);
    }
}

TEST(Sounds, EachIsAsLoudAsItsRoleWithPeaksUnderMinusOneDecibel) {
    const double limit = 32767.0 * std::pow(10.0, content::kSoundPeakLimitDbfs / 20.0);
    for (const std::string& name : content::kSoundNames) {
        std::vector<int> s = Samples(contenttest::Entry(content::SoundEntry(name)));
        int peak = 0;
        for (int v : s) peak = std::max(peak, std::abs(v));
        EXPECT_LT(peak, limit) << name;
        contentgen::Signal signal(s.begin(), s.end());
        for (float& v : signal) v /= 32767.0f;
        EXPECT_NEAR(contentgen::ActiveRmsDbfs(signal), content::LoudnessOf(content::RoleOfSound(name)), 0.1) << name;
    }
}

TEST(Sounds, TheRolesKeepTheMixInOrder) {
    using content::LoudnessOf;
    using content::SoundRole;
    for (SoundRole effect : {SoundRole::Shot, SoundRole::Hit, SoundRole::PowerUp, SoundRole::Tone}) {
        EXPECT_GT(LoudnessOf(SoundRole::Explosion), LoudnessOf(effect));
        EXPECT_GT(LoudnessOf(effect), LoudnessOf(SoundRole::Loop));
    }
    EXPECT_THROW(content::RoleOfSound("unknown.wav"), std::invalid_argument);
}

TEST(Sounds, OneShotsAreShortAndEndInSilence) {
    for (const std::string& name : content::kSoundNames) {
        if (IsLoop(name)) continue;
        std::vector<int> s = Samples(contenttest::Entry(content::SoundEntry(name)));
        double seconds = s.size() / 22050.0;
        EXPECT_LT(seconds, 2.0) << name;
        EXPECT_GT(seconds, 0.1) << name;
        EXPECT_LE(std::abs(s.back()), 64) << name;
    }
}

TEST(Sounds, LoopsJoinWithoutAClick) {
    int loops = 0;
    for (const std::string& name : content::kSoundNames) {
        if (!IsLoop(name)) continue;
        ++loops;
        std::vector<int> s = Samples(contenttest::Entry(content::SoundEntry(name)));
        ASSERT_GT(s.size(), 11025u) << name;
        // The step from the last sample back to the first is no bigger than
        // the steps inside the sound, and the level does not jump either.
        std::vector<int> steps;
        for (size_t i = 0; i + 1 < s.size(); ++i) steps.push_back(std::abs(s[i + 1] - s[i]));
        std::sort(steps.begin(), steps.end());
        int wrap = std::abs(s.front() - s.back());
        EXPECT_LE(wrap, steps[steps.size() * 99 / 100]) << name;
        auto rms = [&](size_t from, size_t count) {
            double sum = 0;
            for (size_t i = from; i < from + count; ++i) sum += static_cast<double>(s[i]) * s[i];
            return std::sqrt(sum / count);
        };
        const size_t window = 1102;  // 50 ms
        double head = rms(0, window), tail = rms(s.size() - window, window);
        EXPECT_LT(std::fabs(head - tail), 0.35 * std::max(head, tail)) << name;
    }
    EXPECT_EQ(loops, 3);
}

}  // namespace
