// The games of the rockpile pack and the pack itself.
#pragma once

#include "framework/tgame.h"
#include "framework/tgamepack.h"
#include "game/game_descriptions.h"

// The flagship game family. Its session operations live with the session code.
class TMeteorMarshal : public TGame {
public:
    explicit TMeteorMarshal(const GameDescription& description = kMeteorMarshalGame) : TGame(description) {}

    GameEventHandler GetEventHandler() override;
    void SetDifficulty(int level) override;
    bool Setup() override;
    void Cleanup() override;
    int Display(float dt) override;
    virtual void Shutdown();
};

class TMeteorMarshalNewCartImage : public TMeteorMarshal {
public:
    TMeteorMarshalNewCartImage() : TMeteorMarshal(kMeteorMarshalNewCartGame) {}
};

class TDriftrockRetro : public TMeteorMarshal {
public:
    TDriftrockRetro() : TMeteorMarshal(kDriftrockRetroGame) {}
};

class TDriftrockClassic : public TMeteorMarshal {
public:
    TDriftrockClassic() : TMeteorMarshal(kDriftrockClassicGame) {}
};

// The second game: a stream of falling rocks with a speed ramp.
class TShardstorm : public TGame {
public:
    explicit TShardstorm(const GameDescription& description = kShardstormGame) : TGame(description) {}
    int nextSpeedUpScore = 0;

    void OnNewGame() override;
    GameEventHandler GetEventHandler() override;
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
    const char* GetWebPage() const override { return kRockpileWebPage; }
    const char* GetVersion() const override { return "version 1.2"; }
    const char* GetRegistryKeyName() const override { return "kwrockpile"; }
};
