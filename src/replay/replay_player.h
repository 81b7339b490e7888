// Plays a recording back through the same game code: installed as the run's
// tap, it starts the game from the recorded state, hands each frame its
// recorded time, input and play events, ignores the live ones, and compares
// the world-state hashes with the recorded ones.
#pragma once

#include <memory>
#include <string>

#include "replay/play_tap.h"
#include "replay/replay.h"
#include "replay/replay_input.h"

class ReplayPlayer : public PlayTap {
public:
    // With `stopAtMismatch` the run ends at the first frame whose hash differs.
    ReplayPlayer(const Replay& replay, bool stopAtMismatch);
    ~ReplayPlayer() override;

    GameEventHandler EventHandler(GameEventHandler game) override;
    void BeforeSetup(const TGame& game) override;
    float Frame(int64_t frame, float dt) override;
    void Finish() override;

    // 0 while every hash so far matched.
    int64_t firstMismatch() const { return firstMismatch_; }
    int64_t framesPlayed() const { return framesPlayed_; }
    int checksPassed() const { return checksPassed_; }
    // Played to the end with every hash matching.
    bool Verified() const;
    // One line on how the playback went.
    std::string Report() const;

private:
    void Check(int64_t frame);

    const Replay& replay_;
    bool stopAtMismatch_;
    GameEventHandler game_;
    std::unique_ptr<ReplayMouse> mouse_;
    std::unique_ptr<ReplayJoystick> joystick_;
    TDIMouse* liveMouse_ = nullptr;
    TJoystick* liveJoystick_ = nullptr;
    size_t nextCheck_ = 0;
    int64_t firstMismatch_ = 0;
    int64_t framesPlayed_ = 0;
    int checksPassed_ = 0;
};
