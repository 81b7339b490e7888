// The running game's state: plain globals shared by the world objects and
// the session code, reset at the start of every game setup.
#pragma once

#include <cstdint>

class TAsteroids;
class TShip;
class TProjectiles;
class TExplosions;
class TScoreBoard;
class THighScoreBoard;
class TBackground;

// Where a session is: flying, entering a name in the table, or showing the
// table (none before the first setup).
enum GameState : int32_t {
    GAME_STATE_NONE = 0,
    GAME_STATE_PLAYING = 2,
    GAME_STATE_ENTER_NAME = 5,
    GAME_STATE_HIGH_SCORES = 6,
};

extern GameState gameState;
extern int32_t paused;
extern int32_t quitting;
extern int32_t endRequested;
extern int32_t postQuitOnDestroy;

extern TAsteroids* theAsteroids;
extern TShip* theShip;
extern TProjectiles* theProjectiles;
extern TExplosions* theExplosions;
extern TScoreBoard* theScoreBoard;
extern THighScoreBoard* theHighScoreBoard;
extern TBackground* theBackground;

// Clears the session flags, the frame statistics and outline mode, and
// destroys the field, ship, projectiles, scoreboard and background.
// Explosions, high score board, textures and outline renderer are replaced
// (and released) by the next setup instead.
void ResetSessionGlobals();
