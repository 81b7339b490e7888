// The flagship game's session, shared by its two variants.
#include <optional>

#include "framework/display.h"
#include "framework/gameglobals.h"
#include "game/asteroid.h"
#include "game/background.h"
#include "game/field_kinds.h"
#include "game/gamepacks.h"
#include "game/projectile.h"
#include "game/session_common.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "gamelib/edgerender.h"
#include "gamelib/fontman.h"
#include "gamelib/libman.h"
#include "platform/message_box.h"

namespace {

struct HullRow {
    int shipHull, asteroidHull;
};
constexpr HullRow kHulls[5] = {{12, 1}, {8, 3}, {5, 5}, {4, 10}, {3, 15}};

const SessionRules kRules{false};

bool IsVariant(const TGame& game) { return game.GetGameId() == GAME_ID_CLASSIC || game.GetGameId() == GAME_ID_RETRO; }

// The field's kinds and power-ups. Rocks are needed to play at all.
bool RegisterFlagshipKinds(const TGame& game) {
    RegisterFieldKinds(kFlagshipKinds, game);
    RegisterPowerups(kFlagshipKinds.powerupFlags);
    return HasFieldKind(KIND_ROCK, KEY_ROCK);
}

void CreateFlagshipBackground() {
    theBackground = std::make_unique<TBackground>(theDevice);
    theBackground->SetMode(settings.background);
    if (settings.background == BACKGROUND_STARFIELD) {
        theBackground->AddPicture("backs\\starfield.jpg");
        theBackground->ScaleTexture(1.0f, 0.5f);
    } else if (settings.background != BACKGROUND_DISABLED && settings.background <= BACKGROUND_STARFIELD) {
        for (const char* picture :
             {"backs\\back3.jpg", "backs\\back6.jpg", "backs\\back2.jpg", "backs\\back8.jpg", "backs\\back9.jpg",
              "backs\\back1.jpg", "backs\\back4.jpg", "backs\\back5.jpg", "backs\\back10.jpg", "backs\\back11.jpg",
              "backs\\back13.jpg", "backs\\back14.jpg", "backs\\back15.jpg", "backs\\back16.jpg",
              "backs\\back17.jpg", "backs\\back19.jpg", "backs\\back22.jpg", "backs\\back23.jpg"})
            theBackground->AddPicture(picture);
    }
}

}  // namespace

void TMeteorMarshal::SetDifficulty(int level) {
    settings.difficulty = level;
    settings.powerUpChance = 10;
    if (level >= 0 && level <= 4) {
        settings.shipHull = kHulls[level].shipHull;
        settings.asteroidHull = kHulls[level].asteroidHull;
    }
    settings.shipStartHull = settings.shipHull;
    if (IsVariant(*this)) settings.asteroidHull = 1;
}

GameEventHandler TMeteorMarshal::GetEventHandler() {
    return SessionEventHandler(kRules);
}

bool TMeteorMarshal::Setup() {
    Matrix4 view, projection;
    SetupSessionBasics(view, projection);

    delete theEdgeRender;
    theEdgeRender = nullptr;
    if (UsesOutlineRendering()) {
        outlineEdgesEnabled = 1;
        theEdgeRender = new TEdgeRender(theDevice);
        theEdgeRender->viewMatrix = view;
        theEdgeRender->projMatrix = projection;
        if (!theEdgeRender->LoadOutlineShader()) {
            Shutdown();
            MessageBox("Your video card does not support vertex shaders. 'Retro' mode is not available", "Error");
            return false;
        }
    }

    TMesh ship, missile, ufoMissile;
    if (!LoadRequiredMesh("ship.x", 0, 0, 1.0, ship) ||
        !LoadRequiredMesh("missile.x", PLAYER_MISSILE_KIND, 0, 0.5, missile) ||
        !LoadRequiredMesh("ufomissile.x", ENEMY_MISSILE_KIND, 0, 0.5, ufoMissile))
        return false;

    theAsteroids = std::make_unique<TAsteroids>();
    theAsteroids->device = theDevice;
    LoadRockTextures();
    if (!RegisterFlagshipKinds(*this)) return false;

    theShip = std::make_unique<TShip>();
    theShip->device = theDevice;
    theShip->SetAxis(0, 0, 1);
    theShip->mesh = ship;
    theShip->meshSphere = GetMeshSphere(theShip->mesh);
    theShip->NewGame();

    if (!CreateSessionObjects(missile, ufoMissile)) return false;

    LibLogUsage("backs\\starfield.jpg");
    CreateFlagshipBackground();

    if (IsVariant(*this)) {
        theProjectiles->sizeFactor = 0.5f;
        theShip->scale = 0.15;
        theAsteroids->globalScale = 0.5f;
        theAsteroids->splitPieces = 2;
    }
    gameState = GAME_STATE_PLAYING;
    postQuitOnDestroy = 1;
    return true;
}

int TMeteorMarshal::Display(float dt) {
    if (quitting) return 1;
    PlaySessionFrame(dt, kRules);
    if (endRequested) Shutdown();
    return 1;
}

void TMeteorMarshal::Cleanup() {
    ReleaseFonts();
    ResetToWindowed(theDevice);
}

void TMeteorMarshal::Shutdown() {
    quitting = 1;
    Cleanup();
    DestroyGameWindow(theGameWindow);
}
