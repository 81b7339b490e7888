// The generator's noise, encoders, sound tools, random numbers and lettering.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "dsp.h"
#include "encoders.h"
#include "lettering.h"
#include "noise.h"
#include "platform/image_decode.h"
#include "rng.h"

namespace {

using namespace contentgen;

TEST(Noise, TileNoiseAndItsSumsRepeatWithTheirPeriod) {
    for (double x : {0.3, 2.7, 5.05}) {
        for (double y : {0.1, 3.9}) {
            EXPECT_DOUBLE_EQ(TileNoise(x, y, 4, 7), TileNoise(x + 4, y, 4, 7));
            EXPECT_DOUBLE_EQ(TileNoise(x, y, 4, 7), TileNoise(x, y - 8, 4, 7));
            EXPECT_NEAR(TileFbm(x, y, 3, 5, 9), TileFbm(x + 3, y + 3, 3, 5, 9), 1e-12);
            EXPECT_NEAR(TileTurbulence(x, y, 2, 4, 9), TileTurbulence(x - 2, y, 2, 4, 9), 1e-12);
            double v = TileFbm(x, y, 3, 5, 9);
            EXPECT_GE(v, 0.0);
            EXPECT_LT(v, 1.0);
        }
    }
    EXPECT_NEAR(TileCellDistance(0.01, 0.5, 5, 3), TileCellDistance(0.99 + 0.02, 0.5, 5, 3), 1e-9);
    EXPECT_NE(TileNoise(0.5, 0.5, 4, 1), TileNoise(0.5, 0.5, 4, 2));
}

TEST(Noise, CellBordersAreThinLinesBetweenCells) {
    double lowest = 1, highest = 0;
    for (int i = 0; i < 400; ++i) {
        double x = i / 400.0;
        double gap = TileCellBorder(x, 0.37, 6, 5);
        EXPECT_GE(gap, 0.0);
        EXPECT_NEAR(gap, TileCellBorder(x + 1.0, 0.37 - 1.0, 6, 5), 1e-9);
        lowest = std::min(lowest, gap);
        highest = std::max(highest, gap);
        EXPECT_LE(TileCellDistance(x, 0.37, 6, 5), 1.5);
    }
    EXPECT_LT(lowest, 0.05);   // the line crosses borders
    EXPECT_GT(highest, 0.25);  // and passes near cell points
}

TEST(Rng, TheSameSeedGivesTheSameSequence) {
    Rng a(42), b(42), c(43);
    bool differs = false;
    for (int i = 0; i < 100; ++i) {
        uint64_t x = a.Next();
        EXPECT_EQ(x, b.Next());
        differs |= x != c.Next();
    }
    EXPECT_TRUE(differs);
    for (int i = 0; i < 1000; ++i) {
        int k = a.Int(7);
        EXPECT_GE(k, 0);
        EXPECT_LT(k, 7);
        double u = a.Uniform();
        EXPECT_GE(u, 0.0);
        EXPECT_LT(u, 1.0);
    }
}

TEST(Encoders, WavHasTheCanonicalHeaderAndRoundedClampedSamples) {
    Bytes wav = EncodeWav({0.0f, 0.5f, -1.0f, 2.0f});
    ASSERT_EQ(wav.size(), 44u + 8u);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(wav.begin() + 36, wav.begin() + 40), "data");
    auto sample = [&](int i) { return static_cast<int16_t>(wav[44 + 2 * i] | (wav[45 + 2 * i] << 8)); };
    EXPECT_EQ(sample(0), 0);
    EXPECT_EQ(sample(1), 16384);
    EXPECT_EQ(sample(2), -32767);
    EXPECT_EQ(sample(3), 32767);
    EXPECT_EQ(wav[24] | (wav[25] << 8), kSampleRate & 0xFFFF);
}

TEST(Encoders, BmpRowsArePaddedBottomUpBgr) {
    Image image(3, 2);
    image.At(0, 0) = {1, 0, 0};  // top-left red
    image.At(2, 1) = {0, 0, 1};  // bottom-right blue
    Bytes bmp = EncodeBmp(image);
    ASSERT_EQ(bmp.size(), 54u + 2 * 12u);  // rows of 9 bytes padded to 12
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[28], 24);
    // First stored row is the bottom one: its last pixel is blue (B first).
    EXPECT_EQ(bmp[54 + 6], 255);
    EXPECT_EQ(bmp[54 + 8], 0);
    // Second stored row is the top one: red in its first pixel's third byte.
    EXPECT_EQ(bmp[54 + 12 + 2], 255);
    DecodedImage decoded;
    ASSERT_TRUE(DecodeImage(bmp.data(), bmp.size(), decoded));
    EXPECT_EQ(decoded.argb[0] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(decoded.argb[5] & 0xFFFFFF, 0x0000FFu);
}

TEST(Encoders, JpegsDecodeToThePictureTheyWereMadeFrom) {
    Image image(64, 32, {0.2f, 0.4f, 0.8f});
    for (int x = 32; x < 64; ++x)
        for (int y = 0; y < 32; ++y) image.At(x, y) = {0.9f, 0.9f, 0.1f};
    Bytes jpeg = EncodeJpeg(image, 90);
    DecodedImage decoded;
    ASSERT_TRUE(DecodeImage(jpeg.data(), jpeg.size(), decoded));
    EXPECT_EQ(decoded.width, 64u);
    EXPECT_EQ(decoded.height, 32u);
    uint32_t left = decoded.argb[16 * 64 + 8], right = decoded.argb[16 * 64 + 56];
    EXPECT_NEAR(static_cast<int>(left & 255), 204, 6);
    EXPECT_NEAR(static_cast<int>((right >> 16) & 255), 230, 6);
    Image back = DecodeJpeg(jpeg);
    EXPECT_NEAR(back.At(8, 16).b, 0.8f, 0.03f);
    EXPECT_THROW(DecodeJpeg(Bytes{1, 2, 3}), std::runtime_error);
}

Signal SineSignal(double seconds, double amplitude) {
    Signal s(SampleCount(seconds));
    for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<float>(std::sin(i * 0.05) * amplitude);
    return s;
}

TEST(SoundTools, LoudnessCountsTheActivePartOnly) {
    // A steady sine: its RMS, 3 dB under its peak.
    EXPECT_NEAR(ActiveRmsDbfs(SineSignal(1.0, 0.5)), 20 * std::log10(0.5) - 3.01, 0.05);
    // Silence after it, and a tail 30 dB down, are left out.
    Signal sound = SineSignal(0.5, 0.5), tail = SineSignal(1.0, 0.5 * std::pow(10.0, -30.0 / 20));
    sound.insert(sound.end(), tail.begin(), tail.end());
    sound.resize(sound.size() + SampleCount(2.0), 0.0f);
    EXPECT_NEAR(ActiveRmsDbfs(sound), ActiveRmsDbfs(SineSignal(0.5, 0.5)), 0.05);
    // A part 10 dB down counts: the level lies between the two parts.
    Signal quieter = SineSignal(0.5, 0.5);
    const Signal step = SineSignal(0.5, 0.5 * std::pow(10.0, -10.0 / 20));
    quieter.insert(quieter.end(), step.begin(), step.end());
    EXPECT_NEAR(ActiveRmsDbfs(quieter), 10 * std::log10((0.125 + 0.0125) / 2), 0.25);  // a block spans the step
    // A sound shorter than a block, and silence.
    EXPECT_NEAR(ActiveRmsDbfs(SineSignal(0.02, 0.5)), ActiveRmsDbfs(SineSignal(1.0, 0.5)), 0.2);
    EXPECT_TRUE(std::isinf(ActiveRmsDbfs(Signal(4000, 0.0f))));
    EXPECT_TRUE(std::isinf(ActiveRmsDbfs(Signal())));
}

TEST(SoundTools, StereoChannelsAddTheirPower) {
    const Signal mono = SineSignal(1.0, 0.5);
    Signal left(2 * mono.size()), both(2 * mono.size());
    for (size_t i = 0; i < mono.size(); ++i) {
        left[2 * i] = mono[i];
        both[2 * i] = both[2 * i + 1] = mono[i] * static_cast<float>(M_SQRT1_2);
    }
    EXPECT_NEAR(ActiveRmsDbfs(left, 2), ActiveRmsDbfs(mono), 0.01);
    EXPECT_NEAR(ActiveRmsDbfs(both, 2), ActiveRmsDbfs(mono), 0.01);
}

TEST(SoundTools, NormalisingSetsTheLoudnessAndFadesEndInSilence) {
    Signal s = SineSignal(0.3, 0.3);
    NormalizeLoudness(s, -20.0);
    EXPECT_NEAR(ActiveRmsDbfs(s), -20.0, 1e-3);
    EXPECT_NEAR(PeakDbfs(s), -20.0 + 3.01, 0.01);
    Signal silence(100, 0.0f);
    NormalizeLoudness(silence, -20.0);
    EXPECT_EQ(silence, Signal(100, 0.0f));
    float before = s[500];
    FadeOut(s, 0.01);
    EXPECT_EQ(s.back(), 0.0f);
    EXPECT_EQ(s[500], before);  // only the last 10 ms change
    EXPECT_TRUE(std::isinf(PeakDbfs(Signal(10, 0.0f))));
}

TEST(SoundTools, ClosingALoopMakesTheWrapAsSmoothAsTheInside) {
    // 3.3 cycles of a sine do not line up at the end on their own.
    const size_t loop = 1000, overlap = 100;
    Signal s(loop + overlap);
    for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<float>(std::sin(2 * 3.14159265 * 3.3 * i / loop));
    float before = std::fabs(s[loop - 1] - s[0]);
    CloseLoop(s, overlap);
    ASSERT_EQ(s.size(), loop);
    float wrap = std::fabs(s[loop - 1] - s[0]);
    float largestStep = 0;
    for (size_t i = 0; i + 1 < loop; ++i) largestStep = std::max(largestStep, std::fabs(s[i + 1] - s[i]));
    EXPECT_GT(before, 5 * largestStep);
    EXPECT_LE(wrap, largestStep * 1.01f);
}

TEST(SoundTools, FiltersPassTheirBandAndStopTheRest) {
    auto level = [](Biquad filter, double frequency) {
        Oscillator osc;
        double peak = 0;
        for (size_t i = 0; i < 8000; ++i) {
            float y = filter.Process(static_cast<float>(osc.Sine(frequency)));
            if (i > 4000) peak = std::max(peak, static_cast<double>(std::fabs(y)));
        }
        return peak;
    };
    EXPECT_GT(level(Biquad::LowPass(500), 100), 0.9);
    EXPECT_LT(level(Biquad::LowPass(500), 5000), 0.05);
    EXPECT_GT(level(Biquad::HighPass(2000), 6000), 0.9);
    EXPECT_LT(level(Biquad::HighPass(2000), 200), 0.05);
    EXPECT_GT(level(Biquad::BandPass(1000, 2), 1000), 0.9);
    EXPECT_LT(level(Biquad::BandPass(1000, 2), 100), 0.2);
}

TEST(Lettering, TextIsRenderedAsCoverageThatGrowsWithTheText) {
    Lettering font("Liberation Sans:bold");
    Image one = font.Render("I", 32), three = font.Render("III", 32);
    EXPECT_GT(three.Width(), one.Width());
    EXPECT_EQ(one.Height(), three.Height());
    float ink = 0;
    for (int y = 0; y < three.Height(); ++y)
        for (int x = 0; x < three.Width(); ++x) ink += three.At(x, y).r;
    EXPECT_GT(ink, 3 * 32 * 3);  // three strokes, each a few pixels wide and most of the height
    Image blank = font.Render("   ", 32);
    float none = 0;
    for (int y = 0; y < blank.Height(); ++y)
        for (int x = 0; x < blank.Width(); ++x) none += blank.At(x, y).r;
    EXPECT_EQ(none, 0.0f);
}

}  // namespace
