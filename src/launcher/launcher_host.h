// What the launcher's forms ask of the windowing side: the screen, showing
// and hiding the launcher, questions, and running a game. Questions and games
// answer through callbacks, so that the windowing side can keep drawing a
// frame at a time while they last. The windowed launcher implements it with
// its real windows; tests with a fake.
#pragma once

#include <cstdint>
#include <functional>
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
    // A yes/no question (the reset buttons' confirmation). `answered` gets
    // the answer, at once or in a later frame; never, when the program ends
    // first.
    virtual void Confirm(const std::string& text, const std::string& caption, std::function<void(bool)> answered);
    // Starts `game` with the current settings; the launcher goes out of sight
    // once the game is set up. `ended` is called when the game is over, with
    // false when the display or the game's set-up failed (after their
    // messages): at once, or in a later frame.
    virtual void RunGame(TGame& game, GameRun kind, std::function<void(bool ok)> ended) = 0;
    // Hands the keyboard, and a pad's steering, to the game list window
    // (`list`) or back to the main window.
    virtual void FocusGameList(bool /*list*/) {}
    // Opens a file with the desktop's default program.
    virtual bool OpenFile(const std::string& path);
    // Frame `frame` (from 1) of a game started by RunGame is about to be drawn.
    virtual void GameFrame(int64_t /*frame*/) {}
};
