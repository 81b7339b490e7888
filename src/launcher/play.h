// Running one game: the display, sound and input for it, its setup, the
// game loop until the player quits (or a frame count runs out), and the
// release of it all afterwards. The caller has chosen the game, loaded and
// saved the settings and set the difficulty.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/gameloop.h"
#include "platform/scope_exit.h"

class TGame;
class PlayTap;

struct PlayOptions {
    bool headless = false;      // null device, no window, sound or input
    double fixedDt = 0;         // frame time fed to the game; 0: measured
    int64_t frames = 0;         // end after this many frames; 0: the player quits
    bool autopilot = false;     // the computer flies the ship
    std::string soundCapture;   // render the mix into this WAV file
    std::string screenshot;     // write the last frame to this PNG file
    PlayTap* tap = nullptr;     // a recorder, replay or benchmark that joins the run
};

// The state of the game at the start of its last frame.
struct PlaySummary {
    int64_t frames = 0;
    int32_t wave = 0, score = 0, peakScore = 0, lives = 0, gameState = 0;
    int objects = 0, projectiles = 0, explosions = 0;
    int missingResources = 0;
    // The picture asked for (--screenshot) could not be read or written.
    bool screenshotFailed = false;
    // Over the whole run, restarts included.
    int32_t gamesOver = 0, bestWave = 0, bestScore = 0;
    // Resident memory in kB, sampled every kMemorySampleFrames frames when the
    // run has a frame limit: the highest in its first half (warm-up) and in
    // its second half, and the peak over the whole run.
    int64_t residentWarmKb = 0, residentLateKb = 0, residentPeakKb = 0;
};

constexpr int64_t kMemorySampleFrames = 600;

class Autopilot;

// One game run driven a frame at a time by whoever owns the program's loop.
// The constructor sets the run up; a step that fails releases what the steps
// before it made. The destructor releases the rest, newest first.
class PlayRun {
public:
    // `options` and `summary` must outlive the run.
    PlayRun(TGame& game, const PlayOptions& options, PlaySummary& summary);
    ~PlayRun();
    PlayRun(const PlayRun&) = delete;
    PlayRun& operator=(const PlayRun&) = delete;

    // False when the display or the game's setup failed (after its message).
    bool Started() const { return started_; }
    // Plays one frame; false once the game has ended (nothing was drawn).
    bool Frame();

private:
    bool SetUp();
    float NextFrame(float measured);
    void WriteScreenshot();

    TGame& game_;
    const PlayOptions& options_;
    PlaySummary& summary_;
    GameLoop loop_;
    std::unique_ptr<Autopilot> pilot_;
    int64_t frame_ = 0;
    bool started_ = false;
    bool ended_ = false;
    UndoStack undo_;
};

// Plays a whole run. False when the display or the game's setup failed.
bool PlayGame(TGame& game, const PlayOptions& options, PlaySummary& summary);

std::string SummaryJson(const TGame& game, const PlaySummary& summary);
