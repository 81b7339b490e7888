// What describes one game: names, files, setting defaults and feature
// switches. Each game is one constant record; the member defaults are the
// values of a game that changes nothing.
#pragma once

// The publisher's page: every game's and the pack's web page.
inline constexpr const char* kRockpileWebPage = "https://example.org/rockpile/";

struct GameDescription {
    int gameId = 0;
    const char* windowTitle = "Game Window";
    const char* title = "Game Program";
    const char* windowClass = "kwgame3dwindow";
    const char* version = "1.0";
    const char* shortName = "null";
    const char* webPage = kRockpileWebPage;
    const char* libraryFile = "default.lib";
    const char* usageFile = "defaultusage.txt";
    const char* registryKeyName = "kwgame";
    const char* cartPicture = "null";
    // Missiles the missile-launcher cheat and power-up grant.
    int missileGrant = 50;

    // Defaults of the game-level settings.
    int defaultAccel = 5;
    int defaultPlayerMissile = 5;
    int defaultUfoMissile = 5;
    int defaultEnableRotation = 1;
    int defaultEnableBarricades = 0;
    int defaultEnableSpecular = 1;
    int defaultBackground = 1;

    // Play switches.
    bool usesAltStarburst = false;
    bool showsAltCounter = false;  // scoreboard shows the best score instead of the wave
    bool usesOutlineRendering = false;
    bool hasBorgCubes = true;

    // Launcher switches.
    bool hidesAltFireKey = false;
    bool hidesShieldKey = false;
    bool hidesMissileSpeed = false;
    bool usesUpDownLabels = false;
    bool showsTurretFireKeys = false;
    bool showsBrakeKey = false;
    bool hidesThrustKey = false;
    bool showsGamePlaySettings = false;

    // Replacement texts for the launcher's F3 and F9 cheat labels, or null.
    const char* cheatF3Text = nullptr;
    const char* cheatF9Text = nullptr;
};
