// The games of the rockpile pack and the pack itself.
#pragma once

#include "framework/tgame.h"
#include "framework/tgamepack.h"

// The flagship game family. Its session operations live with the session code.
class TMeteorMarshal : public TGame {
public:
    TMeteorMarshal() { TMeteorMarshal::Init(); }
    int GetGameId() const override { return 0; }
    const char* GetWindowTitle() const override { return "Meteor Marshal Game Window"; }
    const char* GetTitle() const override { return "Meteor Marshal"; }
    const char* GetWindowClass() const override { return "kwmeteor3dwindow"; }
    const char* GetVersion() const override { return "Version 2.2"; }
    const char* GetShortName() const override { return "rubble"; }
    const char* GetLibraryFile() const override { return "kwmeteor.lib"; }
    const char* GetUsageFile() const override { return "libusage.txt"; }
    const char* GetRegistryKeyName() const override { return "kwdriftrock"; }
    const char* GetCartPicture() const override { return "carts\\marshalcart.jpg"; }
    int GetDefaultBackground() const override { return 2; }
    int HasBorgCubes() const override { return 1; }

    WNDPROC GetWindowProc() override;
    void SetDifficulty(int level) override;
    bool Setup() override;
    void Cleanup() override;
    int Display(float dt) override;
    virtual void Shutdown();
};

class TMeteorMarshalNewCartImage : public TMeteorMarshal {
public:
    TMeteorMarshalNewCartImage() { TMeteorMarshalNewCartImage::Init(); }
    const char* GetCartPicture() const override { return "carts\\marshalcart2.jpg"; }
};

class TDriftrockRetro : public TMeteorMarshal {
public:
    TDriftrockRetro() { TDriftrockRetro::Init(); }
    int GetGameId() const override { return 13; }
    const char* GetWindowTitle() const override { return "Driftrock Retro"; }
    const char* GetTitle() const override { return "Driftrock Retro"; }
    const char* GetRegistryKeyName() const override { return "kwdriftrock_retro"; }
    const char* GetCartPicture() const override { return "carts\\retrocart.jpg"; }
    int GetDefaultBackground() const override { return 0; }
    int UsesOutlineRendering() const override { return 1; }
    int HasBorgCubes() const override { return 0; }
};

class TDriftrockClassic : public TMeteorMarshal {
public:
    TDriftrockClassic() { TDriftrockClassic::Init(); }
    int GetGameId() const override { return 12; }
    const char* GetWindowTitle() const override { return "Driftrock Classic"; }
    const char* GetTitle() const override { return "Driftrock Classic"; }
    const char* GetRegistryKeyName() const override { return "kwdriftrock_classic"; }
    const char* GetCartPicture() const override { return "carts\\classiccart.jpg"; }
    int GetDefaultBackground() const override { return 5; }
    int HasBorgCubes() const override { return 0; }
};

// The second game: a stream of falling rocks with a speed ramp.
class TShardstorm : public TGame {
public:
    TShardstorm() { TShardstorm::Init(); }
    int nextSpeedUpScore = 0;

    int GetGameId() const override { return 10; }
    const char* GetWindowTitle() const override { return "Shardstorm Game Window"; }
    const char* GetTitle() const override { return "Shardstorm"; }
    const char* GetWindowClass() const override { return "kwshardstormwindow"; }
    const char* GetVersion() const override { return "Version 1.2"; }
    const char* GetShortName() const override { return "shardstorm"; }
    const char* GetLibraryFile() const override { return "kwshardstorm.lib"; }
    const char* GetUsageFile() const override { return "libshardstorm.txt"; }
    const char* GetRegistryKeyName() const override { return "kwshardstorm"; }
    const char* GetCartPicture() const override { return "carts\\shardstormcart2.jpg"; }
    int GetDefaultAccel() const override { return 0; }
    int GetDefaultBackground() const override { return 1; }
    int UsesAltStarburst() const override { return 1; }
    int HidesThrustKey() const override { return 1; }
    int ShowsAltCounter() const override { return 1; }
    int HasBorgCubes() const override { return 1; }

    void OnNewGame() override;
    WNDPROC GetWindowProc() override;
    void SetDifficulty(int level) override;
    bool Setup() override;
    void Cleanup() override;
    int Display(float dt) override;
    virtual void LoadFieldKinds();
    virtual void LoadBackgroundPictures();
    virtual void LoadTextures();
};

class TRockpileGamePack : public TGamePack {
public:
    TRockpileGamePack();
    const char* GetLibraryFile() const override { return "kwrockpile.lib"; }
    const char* GetUsageFile() const override { return "rockpile.txt"; }
    const char* GetShortName() const override { return "rockpile"; }
    const char* GetWebAddress() const override;
    const char* GetWebPage() const override;
    const char* GetVersion() const override { return "version 1.2"; }
    const char* GetRegistryKeyName() const override { return "kwrockpile"; }
};
