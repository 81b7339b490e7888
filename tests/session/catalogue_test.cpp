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
    // Each entry is the class the session operations belong to.
    EXPECT_NE(dynamic_cast<TDriftrockClassic*>(view.items[0].second), nullptr);
    EXPECT_NE(dynamic_cast<TDriftrockRetro*>(view.items[1].second), nullptr);
    EXPECT_NE(dynamic_cast<TMeteorMarshalNewCartImage*>(view.items[2].second), nullptr);
    EXPECT_NE(dynamic_cast<TShardstorm*>(view.items[3].second), nullptr);
}

TEST(Catalogue, PackAnswersItsOwnValues) {
    TRockpileGamePack pack;
    EXPECT_STREQ(pack.GetLibraryFile(), "kwrockpile.lib");
    EXPECT_STREQ(pack.GetUsageFile(), "rockpile.txt");
    EXPECT_STREQ(pack.GetShortName(), "rockpile");
    EXPECT_STREQ(pack.GetVersion(), "version 1.2");
    EXPECT_STREQ(pack.GetRegistryKeyName(), "kwrockpile");
    EXPECT_STREQ(pack.GetWebPage(), "https://example.org/rockpile/");
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
    int accel, background;
    bool altStarburst, hidesThrust, altCounter, outline, borg;
};

// Meteor Marshal's own class answers the first cartridge picture; the
// catalogue lists the entry with the second.
const Expected kMarshal{"Meteor Marshal", 0, "Meteor Marshal Game Window", "kwmeteor3dwindow", "Version 2.2",
                        "rubble", "kwmeteor.lib", "libusage.txt", "kwdriftrock", "carts\\marshalcart.jpg",
                        5, 2, false, false, false, false, true};

const Expected kCatalogue[] = {
    {"Driftrock Classic", 12, "Driftrock Classic", "kwmeteor3dwindow", "Version 2.2", "rubble", "kwmeteor.lib",
     "libusage.txt", "kwdriftrock_classic", "carts\\classiccart.jpg", 5, 5, false, false, false, false, false},
    {"Driftrock Retro", 13, "Driftrock Retro", "kwmeteor3dwindow", "Version 2.2", "rubble", "kwmeteor.lib",
     "libusage.txt", "kwdriftrock_retro", "carts\\retrocart.jpg", 5, 0, false, false, false, true, false},
    {"Meteor Marshal", 0, "Meteor Marshal Game Window", "kwmeteor3dwindow", "Version 2.2", "rubble",
     "kwmeteor.lib", "libusage.txt", "kwdriftrock", "carts\\marshalcart2.jpg", 5, 2, false, false, false, false,
     true},
    {"Shardstorm", 10, "Shardstorm Game Window", "kwshardstormwindow", "Version 1.2", "shardstorm",
     "kwshardstorm.lib", "libshardstorm.txt", "kwshardstorm", "carts\\shardstormcart2.jpg", 0, 1, true, true, true,
     false, true},
};

void ExpectDescriptor(const TGame& g, const Expected& e) {
    SCOPED_TRACE(e.cart);
    EXPECT_STREQ(g.GetTitle(), e.title);
    EXPECT_EQ(g.GetGameId(), e.id);
    EXPECT_STREQ(g.GetWindowTitle(), e.windowTitle);
    EXPECT_STREQ(g.GetWindowClass(), e.windowClass);
    EXPECT_STREQ(g.GetVersion(), e.version);
    EXPECT_STREQ(g.GetShortName(), e.shortName);
    EXPECT_STREQ(g.GetLibraryFile(), e.library);
    EXPECT_STREQ(g.GetUsageFile(), e.usage);
    EXPECT_STREQ(g.GetRegistryKeyName(), e.key);
    EXPECT_STREQ(g.GetCartPicture(), e.cart);
    EXPECT_EQ(g.GetDefaultAccel(), e.accel);
    EXPECT_EQ(g.GetDefaultBackground(), e.background);
    EXPECT_EQ(g.UsesAltStarburst(), e.altStarburst);
    EXPECT_EQ(g.HidesThrustKey(), e.hidesThrust);
    EXPECT_EQ(g.ShowsAltCounter(), e.altCounter);
    EXPECT_EQ(g.UsesOutlineRendering(), e.outline);
    EXPECT_EQ(g.HasBorgCubes(), e.borg);
    // Values no game of the pack changes.
    EXPECT_STREQ(g.GetWebPage(), "https://example.org/rockpile/");
    EXPECT_EQ(g.GetMissileGrant(), 50);
    EXPECT_EQ(g.GetDefaultPlayerMissile(), 5);
    EXPECT_EQ(g.GetDefaultUfoMissile(), 5);
    EXPECT_EQ(g.GetDefaultEnableRotation(), 1);
    EXPECT_EQ(g.GetDefaultEnableBarricades(), 0);
    EXPECT_EQ(g.GetDefaultEnableSpecular(), 1);
    EXPECT_FALSE(g.HidesAltFireKey());
    EXPECT_FALSE(g.HidesShieldKey());
    EXPECT_FALSE(g.HidesMissileSpeed());
    EXPECT_FALSE(g.UsesUpDownLabels());
    EXPECT_FALSE(g.ShowsTurretFireKeys());
    EXPECT_FALSE(g.ShowsBrakeKey());
    EXPECT_FALSE(g.ShowsGamePlaySettings());
    EXPECT_EQ(g.GetCheatF3Text(), nullptr);
    EXPECT_EQ(g.GetCheatF9Text(), nullptr);
}

TEST(Catalogue, EachGameAnswersItsTableValues) {
    TRockpileGamePack pack;
    int index = 0;
    for (const TGame& game : pack.Games()) {
        ASSERT_LT(index, 4);
        ExpectDescriptor(game, kCatalogue[index++]);
    }
    EXPECT_EQ(index, 4);
    TMeteorMarshal marshal;
    ExpectDescriptor(marshal, kMarshal);
}

TEST(Catalogue, AGameWithoutADescriptionAnswersTheBaseValues) {
    TGame game;
    EXPECT_EQ(game.GetGameId(), 0);
    EXPECT_STREQ(game.GetTitle(), "Game Program");
    EXPECT_STREQ(game.GetWindowTitle(), "Game Window");
    EXPECT_STREQ(game.GetWindowClass(), "kwgame3dwindow");
    EXPECT_STREQ(game.GetVersion(), "1.0");
    EXPECT_STREQ(game.GetShortName(), "null");
    EXPECT_STREQ(game.GetLibraryFile(), "default.lib");
    EXPECT_STREQ(game.GetUsageFile(), "defaultusage.txt");
    EXPECT_STREQ(game.GetRegistryKeyName(), "kwgame");
    EXPECT_STREQ(game.GetCartPicture(), "null");
    EXPECT_EQ(game.GetDefaultAccel(), 5);
    EXPECT_EQ(game.GetDefaultBackground(), 1);
    EXPECT_TRUE(game.HasBorgCubes());
    EXPECT_FALSE(game.UsesOutlineRendering());
    EXPECT_FALSE(game.Setup());
    EXPECT_FALSE(game.GetEventHandler());
    EXPECT_EQ(game.Display(0.1f), 0);
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
