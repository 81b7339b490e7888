#include "game/session_globals.h"

#include "effects/explode.h"
#include "framework/timer.h"
#include "game/asteroid.h"
#include "game/background.h"
#include "game/highscore_board.h"
#include "game/projectile.h"
#include "game/scoreboard.h"
#include "game/ship.h"
#include "gamelib/edgerender.h"
#include "gamelib/fontman.h"
#include "gamelib/texman.h"

GameSession theSession;

GameSession::GameSession() = default;
GameSession::~GameSession() = default;

void ResetSessionGlobals() {
    quitting = paused = endRequested = postQuitOnDestroy = 0;
    ResetFrameStatistics();
    outlineEdgesEnabled = 0;
    theSession.worldDraw.Begin();  // nothing of the old world waits to be drawn
    theAsteroids.reset();
    theProjectiles.reset();
    theShip.reset();
    theScoreBoard.reset();
    theBackground.reset();
}

void EndSession() {
    ResetSessionGlobals();
    theHighScoreBoard.reset();
    theExplosions.reset();
    quitHintText = TMesh{};
    pausedText = TMesh{};
    theSession.show = FrameShow{};
    theSession.screenshotWanted = false;
    delete theTextureManager;
    theTextureManager = nullptr;
    delete theEdgeRender;
    theEdgeRender = nullptr;
    ReleaseFonts();
    gameState = GAME_STATE_NONE;
}
