// World tests that hear the field through the loopback capture.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

#include "sound/mix_helpers.h"
#include "world_fixture.h"

class SoundWorldTest : public WorldTest {
protected:
    // Sound on, set up on the capture; `placed`: left and right.
    void StartSound(bool placed) {
        capturePath_ = (std::filesystem::temp_directory_path() /
                        ("rockpile-world-sound-" + std::to_string(::getpid()) + ".wav"))
                           .string();
        SetSoundEnabled(true);
        SetSoundPlacement(placed);
        ASSERT_TRUE(InitSound(nullptr, capturePath_));
    }
    void TearDown() override {
        ShutdownSound();
        SetSoundPlacement(false);
        if (!capturePath_.empty()) std::filesystem::remove(capturePath_);
        WorldTest::TearDown();
    }
    std::string capturePath_;
};
