// The settings a replay records: the names and order of the build before the
// settings list (data/recorded_settings.rpl, written by it), captured and
// applied back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/gameglobals.h"
#include "persist/highscore.h"
#include "replay/replay_file.h"
#include "replay/replay_settings.h"
#include "settings_fields.h"

namespace {

const std::string kRecorded = std::string(REPLAY_SETTINGS_DATA) + "/recorded_settings.rpl";

// The names, in order, that replays have always recorded.
const std::vector<std::string> kRecordedNames = {
    "difficulty", "gameId",       "shipHull",         "shipStartHull",  "asteroidHull",  "powerUpChance",
    "baseSpawnInterval", "baseSpeedMin", "baseSpeedMax", "inputDevice", "background", "enableCheat",
    "accel",      "playerMissile", "ufoMissile",      "enableBarricades", "enableRotation", "keyFire",
    "keyFire0",   "keyFire1",     "keyFire2",         "keyAltFire",     "keyShield",     "keyBrake",
    "keyThrust",  "keyLeft",      "keyRight",         "mouseVelocity",  "pauseOnFocusLoss",
};

const char* const kNames[NUM_HIGH_SCORES] = {
    "Zoë", "Ægir", "Øyvind Ångström", "Łukasz", "Søren", "Ñandú", "Ελένη", "Юрий", "李小龍", "🚀 Rocket",
};

// The record and table data/recorded_settings.rpl was captured from: every
// recorded setting away from its default.
TSettings RecordedState() {
    TSettings s;
    s.difficulty = 3;
    s.gameId = 13;
    s.shipHull = 9;
    s.shipStartHull = 4;
    s.asteroidHull = 2;
    s.powerUpChance = 35;
    s.baseSpawnInterval = 0.75f;
    s.baseSpeedMin = 12.5f;
    s.baseSpeedMax = 33.25f;
    s.inputDevice = INPUT_JOYSTICK;
    s.background = BACKGROUND_HORIZONTAL_SCROLL;
    s.enableCheat = 1;
    s.accel = 8;
    s.playerMissile = 3;
    s.ufoMissile = 9;
    s.enableBarricades = 1;
    s.enableRotation = 0;
    s.keyFire = 0x5A;
    s.keyFire0 = 0x51;
    s.keyFire1 = 0x57;
    s.keyFire2 = 0x45;
    s.keyAltFire = 0x58;
    s.keyShield = 0x43;
    s.keyBrake = 0x42;
    s.keyThrust = 0x54;
    s.keyLeft = 0x4A;
    s.keyRight = 0x4C;
    s.mouseVelocity = 1;
    s.pauseOnFocusLoss = 0;
    return s;
}

void FillScores() {
    for (int i = 0; i < NUM_HIGH_SCORES; ++i) highScores[i] = {kNames[i], 98765 - i * 4321};
}

class ReplaySettingsTest : public ::testing::Test {
protected:
    void TearDown() override {
        settings = TSettings{};
        ClearHighScores();
    }
};

// The recording was written in format 1; read, it is what a recording of the
// same state holds now, setting for setting and in the same order.
TEST_F(ReplaySettingsTest, ARecordingHoldsWhatTheBuildBeforeWrote) {
    settings = RecordedState();
    // Not recorded: a recording that took them would differ.
    settings.width = 1600;
    settings.enableSound = 0;
    settings.showFps = 1;
    FillScores();
    Replay replay;
    replay.gameId = 13;
    replay.gameTitle = "Driftrock Retro";
    replay.seed = 12345;
    CaptureReplaySettings(replay);

    std::vector<std::string> names;
    for (const ReplaySetting& s : replay.settings) names.push_back(s.name);
    EXPECT_EQ(names, kRecordedNames);
    std::string error;
    const std::optional<Replay> old = LoadReplay(kRecorded, error);
    ASSERT_TRUE(old) << error;
    EXPECT_EQ(replay.settings, old->settings);
    EXPECT_EQ(replay.highScores, old->highScores);
    EXPECT_TRUE(replay == *old) << "the recording differs from " << kRecorded;
}

TEST_F(ReplaySettingsTest, AnOldRecordingAppliesEverySettingAndTheTable) {
    std::string error;
    const std::optional<Replay> replay = LoadReplay(kRecorded, error);
    ASSERT_TRUE(replay) << error;
    settings.width = 1280;  // not recorded: kept
    settings.enableSound = 0;
    std::string unknown;
    ASSERT_TRUE(ApplyReplaySettings(*replay, unknown)) << unknown;

    TSettings expected = RecordedState();
    expected.width = 1280;
    expected.enableSound = 0;
    ExpectSameSettings(settings, expected);
    for (int i = 0; i < NUM_HIGH_SCORES; ++i) {
        EXPECT_EQ(highScores[i].playerName, kNames[i]);
        EXPECT_EQ(highScores[i].score, 98765 - i * 4321);
    }

    // Captured again, it is the same recording.
    Replay again = *replay;
    CaptureReplaySettings(again);
    EXPECT_EQ(again.settings, replay->settings);
    EXPECT_EQ(again.highScores, replay->highScores);
}

TEST_F(ReplaySettingsTest, OnlyTheInputDeviceComesBackAlone) {
    std::string error;
    const std::optional<Replay> replay = LoadReplay(kRecorded, error);
    ASSERT_TRUE(replay) << error;
    settings.inputDevice = INPUT_KEYBOARD;  // a headless run's choice
    ApplyRecordedInputDevice(*replay);
    TSettings expected;
    expected.inputDevice = INPUT_JOYSTICK;
    ExpectSameSettings(settings, expected);
}

TEST_F(ReplaySettingsTest, ASettingThisProgramDoesNotHaveIsNamed) {
    Replay replay;
    replay.settings = {{"difficulty", 1}, {"width", 1024}, {"accel", 2}};
    std::string unknown;
    EXPECT_FALSE(ApplyReplaySettings(replay, unknown));
    EXPECT_EQ(unknown, "width");  // stored, but not a replay's setting
}

}  // namespace
