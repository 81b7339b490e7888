#include <gtest/gtest.h>

#include <string>

#include "framework/gameglobals.h"
#include "game/gamepacks.h"

namespace {

TEST(Catalogue, RockpileListsItsFourGamesInOrderWithClassicCurrent) {
    TRockpileGamePack pack;
    EXPECT_EQ(pack.count, 4);
    GameListView view;
    pack.FillListView(view);
    ASSERT_EQ(view.items.size(), 4u);
    EXPECT_EQ(view.items[0].first, "Driftrock Classic");
    EXPECT_EQ(view.items[1].first, "Driftrock Retro");
    EXPECT_EQ(view.items[2].first, "Meteor Marshal");
    EXPECT_EQ(view.items[3].first, "Shardstorm");
    EXPECT_EQ(pack.current, pack.First());
    EXPECT_EQ(pack.current->GetGameId(), 12);
    // The list is circular through the head node.
    EXPECT_EQ(pack.head.prev, view.items[3].second);
    EXPECT_EQ(view.items[3].second->next, &pack.head);
}

TEST(Catalogue, PackAnswersItsOwnValues) {
    TRockpileGamePack pack;
    EXPECT_STREQ(pack.GetLibraryFile(), "kwrockpile.lib");
    EXPECT_STREQ(pack.GetUsageFile(), "rockpile.txt");
    EXPECT_STREQ(pack.GetShortName(), "rockpile");
    EXPECT_STREQ(pack.GetVersion(), "version 1.2");
    EXPECT_STREQ(pack.GetRegistryKeyName(), "kwrockpile");
}

TEST(Catalogue, BasePackFollowsCurrentForShortNameButFirstGameForVersion) {
    TGamePack pack;
    EXPECT_EQ(pack.First(), nullptr);
    EXPECT_STREQ(pack.GetLibraryFile(), "defaultpack.lib");
    pack.Add(new TMeteorMarshal);
    pack.Add(new TShardstorm);
    pack.current = pack.First()->next;
    EXPECT_STREQ(pack.GetShortName(), "shardstorm");
    EXPECT_STREQ(pack.GetVersion(), "Version 2.2");
    EXPECT_STREQ(pack.GetRegistryKeyName(), "kwgamepack");
}

struct Expected {
    const char* title;
    int id;
    const char* windowTitle;
    const char* windowClass;
    const char* version;
    const char* shortName;
    const char* library;
    const char* usage;
    const char* key;
    const char* cart;
    int accel, background, altStarburst, hidesThrust, altCounter, outline, borg;
};

TEST(Catalogue, EachDescriptorAnswersItsTableValues) {
    const Expected expected[] = {
        {"Driftrock Classic", 12, "Driftrock Classic", "kwmeteor3dwindow", "Version 2.2", "rubble", "kwmeteor.lib",
         "libusage.txt", "kwdriftrock_classic", "carts\\classiccart.jpg", 5, 5, 0, 0, 0, 0, 0},
        {"Driftrock Retro", 13, "Driftrock Retro", "kwmeteor3dwindow", "Version 2.2", "rubble", "kwmeteor.lib",
         "libusage.txt", "kwdriftrock_retro", "carts\\retrocart.jpg", 5, 0, 0, 0, 0, 1, 0},
        {"Meteor Marshal", 0, "Meteor Marshal Game Window", "kwmeteor3dwindow", "Version 2.2", "rubble",
         "kwmeteor.lib", "libusage.txt", "kwdriftrock", "carts\\marshalcart2.jpg", 5, 2, 0, 0, 0, 0, 1},
        {"Shardstorm", 10, "Shardstorm Game Window", "kwshardstormwindow", "Version 1.2", "shardstorm",
         "kwshardstorm.lib", "libshardstorm.txt", "kwshardstorm", "carts\\shardstormcart2.jpg", 0, 1, 1, 1, 1, 0, 1},
    };
    TRockpileGamePack pack;
    GameListView view;
    pack.FillListView(view);
    for (size_t i = 0; i < 4; ++i) {
        const TGame* g = view.items[i].second;
        const Expected& e = expected[i];
        SCOPED_TRACE(e.title);
        EXPECT_STREQ(g->GetTitle(), e.title);
        EXPECT_EQ(g->GetGameId(), e.id);
        EXPECT_STREQ(g->GetWindowTitle(), e.windowTitle);
        EXPECT_STREQ(g->GetWindowClass(), e.windowClass);
        EXPECT_STREQ(g->GetVersion(), e.version);
        EXPECT_STREQ(g->GetShortName(), e.shortName);
        EXPECT_STREQ(g->GetLibraryFile(), e.library);
        EXPECT_STREQ(g->GetUsageFile(), e.usage);
        EXPECT_STREQ(g->GetRegistryKeyName(), e.key);
        EXPECT_STREQ(g->GetCartPicture(), e.cart);
        EXPECT_EQ(g->GetDefaultAccel(), e.accel);
        EXPECT_EQ(g->GetDefaultBackground(), e.background);
        EXPECT_EQ(g->UsesAltStarburst(), e.altStarburst);
        EXPECT_EQ(g->HidesThrustKey(), e.hidesThrust);
        EXPECT_EQ(g->ShowsAltCounter(), e.altCounter);
        EXPECT_EQ(g->UsesOutlineRendering(), e.outline);
        EXPECT_EQ(g->HasBorgCubes(), e.borg);
        // Values no descriptor of the pack changes.
        EXPECT_EQ(g->GetMissileGrant(), 50);
        EXPECT_EQ(g->GetDefaultPlayerMissile(), 5);
        EXPECT_EQ(g->GetDefaultUfoMissile(), 5);
        EXPECT_EQ(g->GetDefaultEnableRotation(), 1);
        EXPECT_EQ(g->GetDefaultEnableBarricades(), 0);
        EXPECT_EQ(g->GetDefaultEnableSpecular(), 1);
        EXPECT_DOUBLE_EQ(g->GetReserved20(), 3.0);
        EXPECT_EQ(g->GetCheatF3Text(), nullptr);
    }
}

TEST(Difficulty, FlagshipTableAndVariantsOneHitRocks) {
    TMeteorMarshal marshal;
    marshal.SetDifficulty(0);
    EXPECT_EQ(settings.shipHull, 12);
    EXPECT_EQ(settings.asteroidHull, 1);
    marshal.SetDifficulty(4);
    EXPECT_EQ(settings.shipHull, 3);
    EXPECT_EQ(settings.asteroidHull, 15);
    EXPECT_EQ(settings.shipStartHull, 3);
    EXPECT_EQ(settings.powerUpChance, 10);
    // A level outside 0..4 keeps the hulls; the start hull is still copied.
    settings.shipStartHull = 99;
    marshal.SetDifficulty(7);
    EXPECT_EQ(settings.difficulty, 7);
    EXPECT_EQ(settings.shipHull, 3);
    EXPECT_EQ(settings.asteroidHull, 15);
    EXPECT_EQ(settings.shipStartHull, 3);
    TDriftrockClassic classic;
    TDriftrockRetro retro;
    for (int level = 0; level < 5; ++level) {
        classic.SetDifficulty(level);
        EXPECT_EQ(settings.asteroidHull, 1);
        retro.SetDifficulty(level);
        EXPECT_EQ(settings.asteroidHull, 1);
    }
}

TEST(Difficulty, SecondGameTable) {
    TShardstorm storm;
    storm.SetDifficulty(3);
    EXPECT_EQ(settings.shipHull, 4);
    EXPECT_FLOAT_EQ(settings.baseSpawnInterval, 0.8f);
    EXPECT_FLOAT_EQ(settings.baseSpeedMin, 15.0f);
    EXPECT_FLOAT_EQ(settings.baseSpeedMax, 25.0f);
    EXPECT_EQ(settings.asteroidHull, 1);
    storm.SetDifficulty(9);
    EXPECT_EQ(settings.asteroidHull, 1);
    EXPECT_EQ(settings.shipStartHull, 4);
    EXPECT_FLOAT_EQ(settings.baseSpawnInterval, 1.0f);
    EXPECT_FLOAT_EQ(settings.baseSpeedMax, 20.0f);
}

}  // namespace
