// The game descriptor: names, files, setting defaults and feature switches of
// one game, plus the game's session operations. Concrete games subclass it.
#pragma once

#include <cstdint>

#include "platform/messages.h"

class TGame {
public:
    TGame();
    virtual ~TGame() = default;
    TGame(const TGame&) = delete;
    TGame& operator=(const TGame&) = delete;

    // Neighbours in the pack's circular list (through the pack's head node).
    TGame* next = nullptr;
    TGame* prev = nullptr;

    virtual void Init() {}
    virtual int GetGameId() const { return 0; }
    virtual const char* GetWindowTitle() const { return "Game Window"; }
    virtual const char* GetTitle() const { return "Game Program"; }
    virtual const char* GetWindowClass() const { return "kwgame3dwindow"; }
    virtual const char* GetVersion() const { return "1.0"; }
    virtual const char* GetShortName() const { return "null"; }
    virtual const char* GetWebAddress() const;  // reserved slot 7
    virtual const char* GetWebPage() const;
    virtual const char* GetLibraryFile() const { return "default.lib"; }
    virtual const char* GetUsageFile() const { return "defaultusage.txt"; }
    virtual const char* GetRegistryKeyName() const { return "kwgame"; }
    virtual const char* GetCartPicture() const { return "null"; }
    virtual int GetMissileGrant() const { return 50; }
    virtual int GetDefaultAccel() const { return 5; }
    virtual int GetReserved15() const { return 5; }
    virtual int GetReserved16() const { return 10; }
    virtual int GetDefaultPlayerMissile() const { return 5; }
    virtual int GetDefaultUfoMissile() const { return 5; }
    virtual double GetReserved19() const { return 1.5; }
    virtual double GetReserved20() const { return 2 * GetReserved19(); }
    virtual double GetReserved21() const { return 2 * GetReserved19(); }
    virtual int GetReserved22() const { return 0; }
    virtual int GetDefaultEnableRotation() const { return 1; }
    virtual int GetDefaultEnableBarricades() const { return 0; }
    virtual int GetDefaultEnableSpecular() const { return 1; }
    virtual int GetDefaultBackground() const { return 1; }
    virtual int UsesAltStarburst() const { return 0; }
    virtual int HidesAltFireKey() const { return 0; }
    virtual int HidesShieldKey() const { return 0; }
    virtual int HidesMissileSpeed() const { return 0; }
    virtual int UsesUpDownLabels() const { return 0; }
    virtual int ShowsTurretFireKeys() const { return 0; }
    virtual int ShowsBrakeKey() const { return 0; }
    virtual int HidesThrustKey() const { return 0; }
    virtual int ShowsGamePlaySettings() const { return 0; }
    virtual int GetReserved36() const { return 0; }
    virtual int ShowsAltCounter() const { return 0; }
    virtual int UsesOutlineRendering() const { return 0; }
    virtual int HasBorgCubes() const { return 1; }
    virtual void OnNewGame() {}
    virtual int GetReserved41() const { return 0; }
    // Replacement texts for the launcher's F3 and F9 cheat labels, or null.
    virtual const char* GetCheatF3Text() const { return nullptr; }
    virtual const char* GetCheatF9Text() const { return nullptr; }
    virtual void Reserved44() {}
    virtual void Reserved45() {}
    // The game loop; the same for every game.
    virtual int Run();
    virtual WNDPROC GetWindowProc() { return nullptr; }
    virtual void SetDifficulty(int) {}
    virtual bool Setup() { return false; }
    virtual void Cleanup() {}
    virtual int Display(float) { return 0; }
    virtual void Reserved52() {}
};
