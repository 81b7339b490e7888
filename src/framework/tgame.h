// The game descriptor: one game's description record plus the game's session
// operations. Concrete games subclass it for their sessions.
#pragma once

#include "framework/game_description.h"
#include "platform/game_window.h"

class TGame {
public:
    // A game that changes nothing; the pack's list head is one.
    TGame();
    explicit TGame(const GameDescription& description);
    virtual ~TGame() = default;
    TGame(const TGame&) = delete;
    TGame& operator=(const TGame&) = delete;

    // Neighbours in the pack's circular list (through the pack's head node).
    TGame* next = nullptr;
    TGame* prev = nullptr;

    const GameDescription& Description() const { return description_; }

    int GetGameId() const { return description_.gameId; }
    const char* GetWindowTitle() const { return description_.windowTitle; }
    const char* GetTitle() const { return description_.title; }
    const char* GetWindowClass() const { return description_.windowClass; }
    const char* GetVersion() const { return description_.version; }
    const char* GetShortName() const { return description_.shortName; }
    const char* GetWebPage() const { return description_.webPage; }
    const char* GetLibraryFile() const { return description_.libraryFile; }
    const char* GetUsageFile() const { return description_.usageFile; }
    const char* GetRegistryKeyName() const { return description_.registryKeyName; }
    const char* GetCartPicture() const { return description_.cartPicture; }
    int GetMissileGrant() const { return description_.missileGrant; }
    int GetDefaultAccel() const { return description_.defaultAccel; }
    int GetDefaultPlayerMissile() const { return description_.defaultPlayerMissile; }
    int GetDefaultUfoMissile() const { return description_.defaultUfoMissile; }
    int GetDefaultEnableRotation() const { return description_.defaultEnableRotation; }
    int GetDefaultEnableBarricades() const { return description_.defaultEnableBarricades; }
    int GetDefaultEnableSpecular() const { return description_.defaultEnableSpecular; }
    int GetDefaultBackground() const { return description_.defaultBackground; }
    bool UsesAltStarburst() const { return description_.usesAltStarburst; }
    bool HidesAltFireKey() const { return description_.hidesAltFireKey; }
    bool HidesShieldKey() const { return description_.hidesShieldKey; }
    bool HidesMissileSpeed() const { return description_.hidesMissileSpeed; }
    bool UsesUpDownLabels() const { return description_.usesUpDownLabels; }
    bool ShowsTurretFireKeys() const { return description_.showsTurretFireKeys; }
    bool ShowsBrakeKey() const { return description_.showsBrakeKey; }
    bool HidesThrustKey() const { return description_.hidesThrustKey; }
    bool ShowsGamePlaySettings() const { return description_.showsGamePlaySettings; }
    bool ShowsAltCounter() const { return description_.showsAltCounter; }
    bool UsesOutlineRendering() const { return description_.usesOutlineRendering; }
    bool HasBorgCubes() const { return description_.hasBorgCubes; }
    const char* GetCheatF3Text() const { return description_.cheatF3Text; }
    const char* GetCheatF9Text() const { return description_.cheatF9Text; }

    // Called when a new game starts from the high score screen.
    virtual void OnNewGame() {}
    // The desktop's game loop: GameLoop's frames until the quit event, whose
    // exit code it returns. The same for every game.
    virtual int Run();
    // What the game window does with its events; empty: nothing.
    virtual GameEventHandler GetEventHandler() { return {}; }
    virtual void SetDifficulty(int) {}
    virtual bool Setup() { return false; }
    virtual void Cleanup() {}
    virtual int Display(float) { return 0; }

private:
    const GameDescription& description_;
};
