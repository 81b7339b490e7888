#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/tgamepack.h"

namespace {

constexpr GameDescription kRocks{.gameId = 3, .title = "Rocks", .version = "Version 7", .shortName = "rocks"};
constexpr GameDescription kStorm{.gameId = 8, .title = "Storm Front", .version = "Version 9", .shortName = "storm"};
constexpr GameDescription kDrift{.gameId = 21, .title = "Drift", .shortName = "drift"};

class PackOfThree : public ::testing::Test {
protected:
    void SetUp() override {
        for (const GameDescription* description : {&kRocks, &kStorm, &kDrift}) pack.Add(new TGame(*description));
    }
    TGamePack pack;
};

std::vector<std::string> Titles(const TGamePack& pack) {
    std::vector<std::string> titles;
    for (const TGame& game : pack.Games()) titles.emplace_back(game.GetTitle());
    return titles;
}

TEST(GamePack, AnEmptyPackHasNoGamesToWalkOrFind) {
    TGamePack pack;
    EXPECT_EQ(pack.count, 0);
    EXPECT_EQ(pack.First(), nullptr);
    EXPECT_EQ(pack.current, nullptr);
    EXPECT_TRUE(Titles(pack).empty());
    EXPECT_EQ(pack.FindGame(0), nullptr);
    EXPECT_EQ(pack.FindGameNamed("0"), nullptr);
    EXPECT_EQ(pack.FindGameNamed(""), nullptr);
    GameListView view;
    view.items.emplace_back("stale", nullptr);
    pack.FillListView(view);
    EXPECT_TRUE(view.items.empty());
    EXPECT_STREQ(pack.GetShortName(), "");
    EXPECT_STREQ(pack.GetVersion(), "");
    EXPECT_STREQ(pack.GetWebPage(), "");
}

TEST_F(PackOfThree, WalksTheGamesInTheOrderAdded) {
    EXPECT_EQ(pack.count, 3);
    EXPECT_EQ(Titles(pack), (std::vector<std::string>{"Rocks", "Storm Front", "Drift"}));
    EXPECT_EQ(pack.current, pack.First());
    GameListView view;
    pack.FillListView(view);
    ASSERT_EQ(view.items.size(), 3u);
    EXPECT_EQ(view.items[1].first, "Storm Front");
    EXPECT_EQ(view.items[1].second, pack.First()->next);
    EXPECT_EQ(pack.head.prev, view.items[2].second);
}

TEST_F(PackOfThree, FindsAGameById) {
    ASSERT_NE(pack.FindGame(8), nullptr);
    EXPECT_STREQ(pack.FindGame(8)->GetTitle(), "Storm Front");
    EXPECT_STREQ(pack.FindGame(21)->GetTitle(), "Drift");
    EXPECT_EQ(pack.FindGame(0), nullptr);  // the list head's id is no game's
    EXPECT_EQ(pack.FindGame(-1), nullptr);
}

TEST_F(PackOfThree, FindsAGameByTitleIgnoringCaseOrByListIndex) {
    EXPECT_EQ(pack.FindGameNamed("storm front"), pack.FindGame(8));
    EXPECT_EQ(pack.FindGameNamed("DRIFT"), pack.FindGame(21));
    EXPECT_EQ(pack.FindGameNamed("0"), pack.FindGame(3));
    EXPECT_EQ(pack.FindGameNamed("2"), pack.FindGame(21));
    EXPECT_EQ(pack.FindGameNamed("3"), nullptr);
    EXPECT_EQ(pack.FindGameNamed("-1"), nullptr);
    EXPECT_EQ(pack.FindGameNamed("01"), nullptr);
    EXPECT_EQ(pack.FindGameNamed("Storm"), nullptr);
    EXPECT_EQ(pack.FindGameNamed("Game Program"), nullptr);  // the list head is not listed
}

TEST_F(PackOfThree, FollowsTheCurrentGameForItsShortNameAndTheFirstForItsVersion) {
    pack.current = pack.FindGame(8);
    EXPECT_STREQ(pack.GetShortName(), "storm");
    EXPECT_STREQ(pack.GetVersion(), "Version 7");
    EXPECT_STREQ(pack.GetWebPage(), "https://example.org/rockpile/");
    EXPECT_STREQ(pack.GetLibraryFile(), "defaultpack.lib");
    EXPECT_STREQ(pack.GetRegistryKeyName(), "kwgamepack");
}

}  // namespace
