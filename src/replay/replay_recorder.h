// Records a game as it is played: installed as the run's tap, it keeps what
// the game starts from, and per frame the elapsed time, the input the ship
// read and the play events the window handled, with a world-state hash at
// every REPLAY_HASH_INTERVAL-th frame.
#pragma once

#include "replay/play_tap.h"
#include "replay/replay.h"

class ReplayRecorder : public PlayTap {
public:
    GameEventHandler EventHandler(GameEventHandler game) override;
    void BeforeSetup(const TGame& game) override;
    float Frame(int64_t frame, float dt) override;
    void Finish() override;

    const Replay& replay() const { return replay_; }

private:
    void OnEvent(const GameEvent& event);
    // The mouse or joystick state the ship read in the last frame; taken
    // once after the frame, before anything else can change the device.
    void CaptureDevice();

    Replay replay_;
    std::vector<GameEvent> pending_;
    uint64_t drawsBefore_ = 0;
    bool deviceTaken_ = true;
};
