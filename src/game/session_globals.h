// The running game's state: one session record that owns the world objects
// and holds the session flags. The names the games use (`theShip`,
// `gameState` ...) are the record's members.
#pragma once

#include <cstdint>
#include <memory>

#include "game/world_draw.h"
#include "gamelib/mesh.h"

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

// What the last step put on show besides the world objects.
struct FrameShow {
    bool highScores = false;
    bool pauseMessage = false;
    double messageDepth = 0.0;
};

struct GameSession {
    GameSession();
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    GameState gameState = GAME_STATE_NONE;
    int32_t paused = 0;
    int32_t quitting = 0;
    int32_t endRequested = 0;
    int32_t postQuitOnDestroy = 0;

    std::unique_ptr<TAsteroids> asteroids;
    std::unique_ptr<TShip> ship;
    std::unique_ptr<TProjectiles> projectiles;
    std::unique_ptr<TExplosions> explosions;
    std::unique_ptr<TScoreBoard> scoreBoard;
    std::unique_ptr<THighScoreBoard> highScoreBoard;
    std::unique_ptr<TBackground> background;

    // The two lines of the pause message.
    TMesh pausedText;
    TMesh quitHintText;
    FrameShow show;
    // The screenshot key was pressed: the next frame is kept and written.
    bool screenshotWanted = false;
    // The frame's waiting opaque meshes and background.
    WorldDraw worldDraw;
};

extern GameSession theSession;

inline GameState& gameState = theSession.gameState;
inline int32_t& paused = theSession.paused;
inline int32_t& quitting = theSession.quitting;
inline int32_t& endRequested = theSession.endRequested;
inline int32_t& postQuitOnDestroy = theSession.postQuitOnDestroy;

inline std::unique_ptr<TAsteroids>& theAsteroids = theSession.asteroids;
inline std::unique_ptr<TShip>& theShip = theSession.ship;
inline std::unique_ptr<TProjectiles>& theProjectiles = theSession.projectiles;
inline std::unique_ptr<TExplosions>& theExplosions = theSession.explosions;
inline std::unique_ptr<TScoreBoard>& theScoreBoard = theSession.scoreBoard;
inline std::unique_ptr<THighScoreBoard>& theHighScoreBoard = theSession.highScoreBoard;
inline std::unique_ptr<TBackground>& theBackground = theSession.background;

inline TMesh& pausedText = theSession.pausedText;
inline TMesh& quitHintText = theSession.quitHintText;

// Clears the session flags, the frame statistics and outline mode, and
// destroys the field, ship, projectiles, scoreboard and background.
// Explosions, high score board, textures and outline renderer are replaced
// (and released) by the next setup instead.
void ResetSessionGlobals();

// Ends the session: ResetSessionGlobals, then destroys what that leaves (the
// high score board, the explosions, the pause texts, the textures, the
// outline renderer and the fonts). After a game, and after a setup that
// failed at any step.
void EndSession();
