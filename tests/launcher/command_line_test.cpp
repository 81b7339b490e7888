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
}

}  // namespace
