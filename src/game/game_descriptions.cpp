#include "game/game_descriptions.h"

#include "game/asteroid.h"
#include "game/background.h"

constexpr GameDescription kMeteorMarshalGame{
    .gameId = GAME_ID_FLAGSHIP,
    .windowTitle = "Meteor Marshal Game Window",
    .title = "Meteor Marshal",
    .windowClass = "kwmeteor3dwindow",
    .version = "Version 2.2",
    .shortName = "rubble",
    .libraryFile = "kwmeteor.lib",
    .usageFile = "libusage.txt",
    .registryKeyName = "kwdriftrock",
    .cartPicture = "carts\\marshalcart.jpg",
    .defaultBackground = BACKGROUND_ROTATING,
};

constexpr GameDescription kMeteorMarshalNewCartGame = [] {
    GameDescription game = kMeteorMarshalGame;
    game.cartPicture = "carts\\marshalcart2.jpg";
    return game;
}();

// The variants share the flagship's window class, version, short name,
// library and usage files.
constexpr GameDescription kDriftrockRetroGame = [] {
    GameDescription game = kMeteorMarshalGame;
    game.gameId = GAME_ID_RETRO;
    game.windowTitle = "Driftrock Retro";
    game.title = "Driftrock Retro";
    game.registryKeyName = "kwdriftrock_retro";
    game.cartPicture = "carts\\retrocart.jpg";
    game.defaultBackground = BACKGROUND_DISABLED;
    game.usesOutlineRendering = true;
    game.hasBorgCubes = false;
    return game;
}();

constexpr GameDescription kDriftrockClassicGame = [] {
    GameDescription game = kMeteorMarshalGame;
    game.gameId = GAME_ID_CLASSIC;
    game.windowTitle = "Driftrock Classic";
    game.title = "Driftrock Classic";
    game.registryKeyName = "kwdriftrock_classic";
    game.cartPicture = "carts\\classiccart.jpg";
    game.defaultBackground = BACKGROUND_STARFIELD;
    game.hasBorgCubes = false;
    return game;
}();

constexpr GameDescription kShardstormGame{
    .gameId = GAME_ID_SECOND,
    .windowTitle = "Shardstorm Game Window",
    .title = "Shardstorm",
    .windowClass = "kwshardstormwindow",
    .version = "Version 1.2",
    .shortName = "shardstorm",
    .libraryFile = "kwshardstorm.lib",
    .usageFile = "libshardstorm.txt",
    .registryKeyName = "kwshardstorm",
    .cartPicture = "carts\\shardstormcart2.jpg",
    .defaultAccel = 0,
    .defaultBackground = BACKGROUND_FIXED,
    .usesAltStarburst = true,
    .showsAltCounter = true,
    .hidesThrustKey = true,
};
