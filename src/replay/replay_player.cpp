#include "replay/replay_player.h"

#include <cstdio>
#include <utility>

#include "framework/display.h"
#include "framework/gameglobals.h"
#include "game/session_globals.h"
#include "platform/crt_rand.h"
#include "platform/keyboard.h"
#include "replay/replay_settings.h"
#include "replay/window_intercept.h"
#include "replay/world_hash.h"

ReplayPlayer::ReplayPlayer(const Replay& replay, bool stopAtMismatch)
    : replay_(replay), stopAtMismatch_(stopAtMismatch) {}

ReplayPlayer::~ReplayPlayer() { Finish(); }

GameEventHandler ReplayPlayer::EventHandler(GameEventHandler game) {
    game_ = game;
    // Live keys, characters and focus changes would change play: only the
    // recorded ones count. Closing the window and the rest still work.
    return InterceptEvents(std::move(game), [](const GameEvent& event) { return !IsPlayEvent(event); });
}

void ReplayPlayer::BeforeSetup(const TGame&) {
    // The run forced its own input device; the recorded one comes back, fed
    // from the recording.
    ApplyRecordedInputDevice(replay_);
    if (settings.inputDevice == INPUT_MOUSE) {
        if (theMouse) theMouse->ReleaseDevice();
        liveMouse_ = theMouse;
        mouse_ = std::make_unique<ReplayMouse>();
        mouse_->SetBounds(replay_.mouseMinX, 0, replay_.mouseMaxX, 1000);
        mouse_->Setup();
        theMouse = mouse_.get();
    } else if (settings.inputDevice == INPUT_JOYSTICK) {
        liveJoystick_ = theJoystick;
        joystick_ = std::make_unique<ReplayJoystick>();
        joystick_->Setup();
        theJoystick = joystick_.get();
    }
    rp::srand(replay_.seed);
}

float ReplayPlayer::Frame(int64_t frame, float dt) {
    if (frame > static_cast<int64_t>(replay_.frames.size())) {
        endRequested = 1;
        return dt;
    }
    const ReplayFrame& record = replay_.frames[frame - 1];
    framesPlayed_ = frame;
    DriveReplayKeys(record.keys);
    if (mouse_) mouse_->next = record.device;
    if (joystick_) joystick_->next = record.device;
    for (const GameEvent& event : record.events)
        if (theGameWindow && game_) game_(event);
    Check(frame);
    return record.dt;
}

void ReplayPlayer::Check(int64_t frame) {
    while (nextCheck_ < replay_.checks.size() && replay_.checks[nextCheck_].frame < frame) ++nextCheck_;
    if (nextCheck_ >= replay_.checks.size() || replay_.checks[nextCheck_].frame != frame) return;
    if (WorldHash(0) == replay_.checks[nextCheck_].hash) {
        ++checksPassed_;
    } else if (!firstMismatch_) {
        firstMismatch_ = frame;
        std::fprintf(stderr, "rockpile: replay differs from the recording at frame %lld\n",
                     static_cast<long long>(frame));
        if (stopAtMismatch_) endRequested = 1;
    }
    ++nextCheck_;
}

void ReplayPlayer::Finish() {
    EndEventInterception();
    ReleaseAllDrivenKeys();
    if (mouse_) theMouse = liveMouse_;
    if (joystick_) theJoystick = liveJoystick_;
    mouse_.reset();
    joystick_.reset();
}

bool ReplayPlayer::Verified() const {
    return !firstMismatch_ && framesPlayed_ == static_cast<int64_t>(replay_.frames.size());
}

std::string ReplayPlayer::Report() const {
    const long long total = static_cast<long long>(replay_.frames.size());
    char line[200];
    if (firstMismatch_)
        std::snprintf(line, sizeof line, "replay FAILED: the world differs from the recording at frame %lld",
                      static_cast<long long>(firstMismatch_));
    else if (framesPlayed_ < total)
        std::snprintf(line, sizeof line, "replay FAILED: the game ended at frame %lld of %lld",
                      static_cast<long long>(framesPlayed_), total);
    else
        std::snprintf(line, sizeof line, "replay verified: %lld frames, %d world checks matched", total,
                      checksPassed_);
    return line;
}
