#include "game/session_globals.h"

#include "framework/timer.h"
#include "game/asteroid.h"
#include "game/background.h"
#include "game/projectile.h"
#include "game/scoreboard.h"
#include "game/ship.h"
#include "gamelib/edgerender.h"

GameState gameState = GAME_STATE_NONE;
int32_t paused = 0;
int32_t quitting = 0;
int32_t endRequested = 0;
int32_t postQuitOnDestroy = 0;

TAsteroids* theAsteroids = nullptr;
TShip* theShip = nullptr;
TProjectiles* theProjectiles = nullptr;
TExplosions* theExplosions = nullptr;
TScoreBoard* theScoreBoard = nullptr;
THighScoreBoard* theHighScoreBoard = nullptr;
TBackground* theBackground = nullptr;

void ResetSessionGlobals() {
    quitting = paused = endRequested = postQuitOnDestroy = 0;
    ResetFrameStatistics();
    outlineEdgesEnabled = 0;
    delete theAsteroids;
    theAsteroids = nullptr;
    delete theProjectiles;
    theProjectiles = nullptr;
    delete theShip;
    theShip = nullptr;
    delete theScoreBoard;
    theScoreBoard = nullptr;
    delete theBackground;
    theBackground = nullptr;
}
