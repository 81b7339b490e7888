// What a driver of one game run (a recorder, a replay, a benchmark) sees and
// changes besides the autopilot: the game window's event handler, the moment
// before the game's setup, each frame, and the end of the run.
#pragma once

#include <cstdint>

#include "platform/game_window.h"

class TGame;

class PlayTap {
public:
    virtual ~PlayTap() = default;
    // The handler to install on the game window in place of the game's.
    virtual GameEventHandler EventHandler(GameEventHandler game) { return game; }
    // The display, sound and input are ready; the game's setup comes next.
    virtual void BeforeSetup(const TGame&) {}
    // Before frame `frame` (counted from 1) is drawn, after the autopilot has
    // set its keys: the elapsed seconds to give it.
    virtual float Frame(int64_t, float dt) { return dt; }
    // The game loop has ended (or setup failed).
    virtual void Finish() {}
};
