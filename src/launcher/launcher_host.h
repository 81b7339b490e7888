// What the launcher's forms ask of the windowing side: the screen, showing
// and hiding the launcher, questions, and running a game. The windowed
// launcher implements it with its real windows; tests with a fake.
#pragma once

#include <cstdint>
#include <string>

#include "launcher/form_controls.h"

class TGame;

enum class GameRun {
    Play,  // the player plays
    Demo,  // the computer plays until a key is pressed; no score is kept
};

class LauncherHost {
public:
    virtual ~LauncherHost() = default;

    // The desktop's area.
    virtual FormRect Screen() = 0;
    // Shows or hides the launcher's windows for the time a game runs.
    virtual void ShowLauncher(bool visible) = 0;
    // A yes/no question (the reset buttons' confirmation).
    virtual bool Confirm(const std::string& text, const std::string& caption);
    // Runs `game` with the current settings from its display set-up to its
    // end; calls ShowLauncher(false) once the game is set up. False when the
    // display or the game's set-up failed (after their messages).
    virtual bool RunGame(TGame& game, GameRun kind);
    // Opens a file with the desktop's default program.
    virtual bool OpenFile(const std::string& path);
    // Frame `frame` (from 1) of a game started by RunGame is about to be drawn.
    virtual void GameFrame(int64_t /*frame*/) {}
};
