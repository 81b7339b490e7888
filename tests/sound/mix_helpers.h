// Sound test fixture: sound set up on the loopback capture, with the mix
// measured directly.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "sound/soundman.h"

inline double Rms(const std::vector<int16_t>& s, size_t from = 0, size_t to = SIZE_MAX) {
    to = std::min(to, s.size());
    if (from >= to) return 0.0;
    double sum = 0.0;
    for (size_t i = from; i < to; ++i) sum += double(s[i]) * s[i];
    return std::sqrt(sum / double(to - from));
}

inline int Frames(double seconds) { return int(seconds * 22050); }

class LoopbackSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        capturePath_ = (std::filesystem::temp_directory_path() /
                        ("rockpile-mix-" + std::to_string(::getpid()) + ".wav"))
                           .string();
        SetSoundEnabled(true);
        ASSERT_TRUE(InitSound(nullptr, capturePath_));
    }
    void TearDown() override {
        ShutdownSound();
        std::filesystem::remove(capturePath_);
        SetSoundEnabled(true);
    }
    std::string capturePath_;
};
