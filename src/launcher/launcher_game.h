// A game started from the launcher, played a frame at a time by the
// launcher's own frame: the launcher goes out of sight once the game is set
// up, before its first frame, and a demo ends at any key or button.
#pragma once

#include "launcher/launcher_host.h"
#include "launcher/play.h"
#include "replay/play_tap.h"

union SDL_Event;

// A controller button pressed, hat pushed or stick pushed well off centre.
bool IsControllerInput(const SDL_Event& event);

class LauncherGame : private PlayTap {
public:
    LauncherGame(LauncherHost& host, TGame& game, GameRun kind);
    ~LauncherGame() override;

    // False when the display or the game's set-up failed.
    bool Started() const { return run_->Started(); }
    // Plays one frame; false once the game has ended.
    bool PlayFrame() { return run_->Frame(); }

private:
    float Frame(int64_t frame, float dt) override;

    LauncherHost& host_;
    GameRun kind_;
    int demoListener_ = 0;
    PlayOptions options_;
    PlaySummary summary_;
    std::unique_ptr<PlayRun> run_;
};
