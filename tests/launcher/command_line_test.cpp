#include <gtest/gtest.h>

#include <vector>

#include "launcher/command_line.h"

namespace {

std::optional<CommandLine> Parse(std::vector<const char*> args, std::string& error) {
    args.insert(args.begin(), "rockpile");
    return ParseCommandLine(static_cast<int>(args.size()), args.data(), error);
}

TEST(CommandLine, HeadlessPlayOptions) {
    std::string error;
    auto cl = Parse({"--play", "--game", "Shardstorm", "--difficulty", "4", "--headless", "--frames", "36000",
                     "--fixed-dt", "0.016667", "--seed", "42", "--autopilot", "--stats", "--size", "1280x720"},
                    error);
    ASSERT_TRUE(cl) << error;
    EXPECT_TRUE(cl->play);
    EXPECT_EQ(cl->game, "Shardstorm");
    EXPECT_EQ(cl->difficulty, 4);
    EXPECT_EQ(cl->frames, 36000);
    EXPECT_NEAR(cl->fixedDt, 0.016667, 1e-9);
    EXPECT_EQ(cl->seed, 42u);
    EXPECT_EQ(cl->width, 1280);
    EXPECT_EQ(cl->height, 720);
    EXPECT_TRUE(cl->autopilot && cl->stats && cl->headless);
}

TEST(CommandLine, BadValuesAreRefusedWithAReason) {
    std::string error;
    EXPECT_FALSE(Parse({"--difficulty", "5"}, error));
    EXPECT_NE(error.find("0 to 4"), std::string::npos);
    EXPECT_FALSE(Parse({"--frames"}, error));
    EXPECT_NE(error.find("needs a value"), std::string::npos);
    EXPECT_FALSE(Parse({"--size", "800by600"}, error));
    EXPECT_FALSE(Parse({"--fixed-dt", "0"}, error));
    EXPECT_FALSE(Parse({"--seed", "-1"}, error));
    EXPECT_FALSE(Parse({"--frobnicate"}, error));
    EXPECT_NE(error.find("--frobnicate"), std::string::npos);
    // A headless game draws nothing, so there would be no picture to write.
    EXPECT_FALSE(Parse({"--play", "--headless", "--screenshot", "a.png"}, error));
    EXPECT_NE(error.find("--screenshot needs a display"), std::string::npos);
    EXPECT_TRUE(Parse({"--play", "--screenshot", "a.png"}, error)) << error;
}

TEST(CommandLine, LauncherOptions) {
    std::string error;
    auto plain = Parse({}, error);
    ASSERT_TRUE(plain) << error;
    EXPECT_FALSE(plain->play);  // no --play: the launcher
    EXPECT_EQ(plain->demoAfter, 60);
    EXPECT_TRUE(plain->launcherShots.empty());
    EXPECT_FALSE(plain->timings);

    auto cl = Parse({"--demo-after", "0", "--launcher-shots", "/tmp/shots", "--timings"}, error);
    ASSERT_TRUE(cl) << error;
    EXPECT_EQ(cl->demoAfter, 0);
    EXPECT_EQ(cl->launcherShots, "/tmp/shots");
    EXPECT_TRUE(cl->timings);
    EXPECT_FALSE(Parse({"--demo-after", "-5"}, error));
    EXPECT_NE(error.find("--demo-after"), std::string::npos);
}

// Without --play these would open the launcher and be ignored: a script
// asking for a recording or a number of frames would never get them.
TEST(CommandLine, OptionsForOneGameNeedPlay) {
    std::string error;
    for (std::vector<const char*> args :
         {std::vector<const char*>{"--record", "a.rpl"}, {"--headless"}, {"--frames", "10"}, {"--game", "0"},
          {"--autopilot"}, {"--stats"}, {"--screenshot", "a.png"}, {"--sound-capture", "a.wav"},
          {"--difficulty", "1"}, {"--fixed-dt", "0.02"}}) {
        EXPECT_FALSE(Parse(args, error)) << args[0];
        EXPECT_NE(error.find("need --play"), std::string::npos) << error;
        args.insert(args.begin(), "--play");
        EXPECT_TRUE(Parse(args, error)) << error;
    }
    EXPECT_TRUE(Parse({"--seed", "5", "--windowed", "--library", "x.lib", "--batch"}, error)) << error;
}

TEST(CommandLine, RecordAndReplayOptions) {
    std::string error;
    auto record = Parse({"--play", "--autopilot", "--seed", "3", "--record", "/tmp/game.rpl"}, error);
    ASSERT_TRUE(record) << error;
    EXPECT_EQ(record->record, "/tmp/game.rpl");
    EXPECT_TRUE(record->replay.empty());

    auto replay = Parse({"--replay", "/tmp/game.rpl", "--headless", "--verify", "--stats"}, error);
    ASSERT_TRUE(replay) << error;
    EXPECT_EQ(replay->replay, "/tmp/game.rpl");
    EXPECT_TRUE(replay->verify && replay->headless);

    EXPECT_FALSE(Parse({"--verify"}, error));
    EXPECT_NE(error.find("--replay"), std::string::npos);
    // What the file decides cannot be given as well.
    for (const char* option : {"--seed", "--game", "--frames", "--record"}) {
        EXPECT_FALSE(Parse({"--replay", "a.rpl", option, "1"}, error)) << option;
        EXPECT_NE(error.find("from the file"), std::string::npos) << option;
    }
    EXPECT_FALSE(Parse({"--replay", "a.rpl", "--autopilot"}, error));
}

}  // namespace
