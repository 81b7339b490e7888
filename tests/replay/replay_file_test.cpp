// The replay file encoding: what goes in comes back, other format versions
// and damaged files are refused with a reason.
#include <gtest/gtest.h>

#include <limits>

#include "replay/replay_file.h"

namespace {

Replay Sample() {
    Replay r;
    r.gameId = 10;
    r.gameTitle = "Shardstorm";
    r.seed = 0xDEADBEEF;
    r.settings = {{"difficulty", 3}, {"baseSpeedMin", 0x41200000}, {"keyLeft", -1}};
    r.highScores = {{"Zoë", 12000}, {"", 0}};
    r.mouseMinX = 0;
    r.mouseMaxX = 1000;
    for (int i = 0; i < 700; ++i) {
        ReplayFrame f;
        f.dt = i == 0 ? 0.0f : (i < 400 ? 1.0f / 60 : 0.0213f + i * 1e-6f);
        f.keys = static_cast<uint8_t>(i % 7 == 0 ? REPLAY_KEY_FIRE | REPLAY_KEY_LEFT : 0);
        if (i % 50 == 0) f.device = {i, -i, -3 * i, static_cast<uint8_t>(i % 8)};
        if (i == 10) f.messages = {{0x0102, 27, 1}, {0x0100, 0x77, -5}};
        if (i == 11) f.messages = {{0x0008, 0, 0}};
        r.frames.push_back(f);
    }
    r.checks = {{300, 0x0123456789ABCDEFull}, {600, ~0ull}};
    return r;
}

std::string WithVersion(std::string bytes, uint32_t version) {
    for (int i = 0; i < 4; ++i) bytes[8 + i] = static_cast<char>(version >> (8 * i));
    return bytes;
}

TEST(ReplayFile, EverythingRecordedComesBack) {
    const Replay original = Sample();
    std::string error;
    std::optional<Replay> decoded = DecodeReplay(EncodeReplay(original), error);
    ASSERT_TRUE(decoded) << error;
    EXPECT_EQ(*decoded, original);
    EXPECT_EQ(decoded->frames[0].dt, 0.0f);
    EXPECT_EQ(decoded->frames[450].dt, original.frames[450].dt);
}

TEST(ReplayFile, SteadyFramesTakeTwoBytes) {
    Replay a = Sample(), b = Sample();
    for (int i = 0; i < 1000; ++i) b.frames.push_back(ReplayFrame{b.frames.back().dt, REPLAY_KEY_THRUST, {}, {}});
    EXPECT_EQ(EncodeReplay(b).size() - EncodeReplay(a).size(), 2000u);
}

TEST(ReplayFile, OtherFormatVersionsAreRefusedByName) {
    const std::string bytes = EncodeReplay(Sample());
    std::string error;
    EXPECT_FALSE(DecodeReplay(WithVersion(bytes, REPLAY_FORMAT_VERSION - 1), error));
    EXPECT_NE(error.find("format " + std::to_string(REPLAY_FORMAT_VERSION - 1)), std::string::npos) << error;
    EXPECT_NE(error.find("older"), std::string::npos) << error;
    EXPECT_FALSE(DecodeReplay(WithVersion(bytes, REPLAY_FORMAT_VERSION + 1), error));
    EXPECT_NE(error.find("newer"), std::string::npos) << error;
}

TEST(ReplayFile, DamagedOrForeignFilesAreRefused) {
    const std::string bytes = EncodeReplay(Sample());
    std::string error;
    EXPECT_FALSE(DecodeReplay("", error));
    EXPECT_FALSE(DecodeReplay("P6\n2 2\n255\n" + std::string(12, '\0'), error));
    EXPECT_NE(error.find("not a rockpile replay"), std::string::npos);
    // Every cut short of the whole file is noticed, never misread.
    for (size_t n = 12; n < bytes.size(); ++n) {
        ASSERT_FALSE(DecodeReplay(bytes.substr(0, n), error)) << n;
        ASSERT_NE(error.find("damaged"), std::string::npos) << n;
    }
    EXPECT_FALSE(DecodeReplay(bytes + "x", error));
    EXPECT_NE(error.find("stray bytes"), std::string::npos);

    Replay badTime = Sample();
    badTime.frames[5].dt = -0.5f;
    EXPECT_FALSE(DecodeReplay(EncodeReplay(badTime), error));
    EXPECT_NE(error.find("frame 6"), std::string::npos) << error;
    badTime.frames[5].dt = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(DecodeReplay(EncodeReplay(badTime), error));
}

// A replay drives the game window: only the messages a recording keeps may
// come from a file.
TEST(ReplayFile, MessagesOtherThanPlayInputAreRefused) {
    std::string error;
    // WM_CLOSE, WM_DESTROY, the screenshot key.
    for (ReplayMessage foreign : {ReplayMessage{0x0010, 0, 0}, ReplayMessage{0x0002, 0, 0},
                                  ReplayMessage{0x0100, 0x7B, 0}}) {
        Replay r = Sample();
        r.frames[20].messages = {foreign};
        EXPECT_FALSE(DecodeReplay(EncodeReplay(r), error)) << foreign.message;
        EXPECT_NE(error.find("frame 21"), std::string::npos) << error;
    }
}

TEST(ReplayFile, ChecksMustNameFramesOfTheRecordingInOrder) {
    std::string error;
    for (std::vector<ReplayCheck> checks : {std::vector<ReplayCheck>{{600, 1}, {300, 2}},
                                            std::vector<ReplayCheck>{{300, 1}, {300, 2}},
                                            std::vector<ReplayCheck>{{0, 1}}, std::vector<ReplayCheck>{{701, 1}}}) {
        Replay r = Sample();
        r.checks = checks;
        EXPECT_FALSE(DecodeReplay(EncodeReplay(r), error)) << checks.back().frame;
        EXPECT_NE(error.find("check"), std::string::npos) << error;
    }
    Replay last = Sample();
    last.checks = {{1, 5}, {700, 6}};
    EXPECT_TRUE(DecodeReplay(EncodeReplay(last), error)) << error;
}

TEST(ReplayFile, LoadNamesTheFile) {
    std::string error;
    EXPECT_FALSE(LoadReplay("/nonexistent/game.rpl", error));
    EXPECT_NE(error.find("/nonexistent/game.rpl"), std::string::npos);
    EXPECT_FALSE(LoadReplay(::testing::TempDir(), error));  // a folder
    EXPECT_NE(error.find("cannot read"), std::string::npos);
    const std::string path = ::testing::TempDir() + "replay_file_test.rpl";
    ASSERT_TRUE(SaveReplay(path, Sample(), error)) << error;
    std::optional<Replay> loaded = LoadReplay(path, error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_EQ(*loaded, Sample());
}

}  // namespace
