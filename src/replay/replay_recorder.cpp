#include "replay/replay_recorder.h"

#include <utility>

#include "framework/gameglobals.h"
#include "framework/tgame.h"
#include "input/joystick.h"
#include "platform/crt_rand.h"
#include "replay/replay_input.h"
#include "replay/replay_settings.h"
#include "replay/window_intercept.h"
#include "replay/world_hash.h"

GameEventHandler ReplayRecorder::EventHandler(GameEventHandler game) {
    return InterceptEvents(std::move(game), [this](const GameEvent& event) {
        OnEvent(event);
        return true;
    });
}

void ReplayRecorder::OnEvent(const GameEvent& event) {
    CaptureDevice();
    if (IsPlayEvent(event)) pending_.push_back(event);
}

void ReplayRecorder::BeforeSetup(const TGame& game) {
    replay_ = Replay{};
    replay_.gameId = game.GetGameId();
    replay_.gameTitle = game.GetTitle();
    replay_.seed = rp::randState();
    drawsBefore_ = rp::randDraws();
    CaptureReplaySettings(replay_);
    if (theMouse) replay_.mouseMinX = theMouse->minX, replay_.mouseMaxX = theMouse->maxX;
    pending_.clear();
}

void ReplayRecorder::CaptureDevice() {
    if (deviceTaken_ || replay_.frames.empty()) return;
    deviceTaken_ = true;
    ReplayDevice& state = replay_.frames.back().device;
    if (settings.inputDevice == INPUT_MOUSE && theMouse)
        state = CaptureReplayDevice(*theMouse, theMouse->dx);
    else if (settings.inputDevice == INPUT_JOYSTICK && theJoystick)
        state = CaptureReplayDevice(*theJoystick);
}

float ReplayRecorder::Frame(int64_t frame, float dt) {
    CaptureDevice();
    ReplayFrame record;
    record.dt = dt;
    record.keys = CaptureReplayKeys();
    record.events = std::move(pending_);
    pending_.clear();
    replay_.frames.push_back(std::move(record));
    deviceTaken_ = false;
    if (frame % REPLAY_HASH_INTERVAL == 0) replay_.checks.push_back({frame, WorldHash(drawsBefore_)});
    return dt;
}

void ReplayRecorder::Finish() {
    CaptureDevice();
    EndEventInterception();
}
