#include "replay/replay_recorder.h"

#include "framework/gameglobals.h"
#include "framework/tgame.h"
#include "input/joystick.h"
#include "platform/crt_rand.h"
#include "replay/replay_input.h"
#include "replay/replay_settings.h"
#include "replay/window_intercept.h"
#include "replay/world_hash.h"

WNDPROC ReplayRecorder::WindowProc(WNDPROC game) {
    return InterceptWindowProc(game, [this](uint32_t m, WPARAM w, LPARAM l) { return OnMessage(m, w, l); });
}

bool ReplayRecorder::OnMessage(uint32_t message, WPARAM wParam, LPARAM lParam) {
    CaptureDevice();
    if (IsPlayMessage(message, wParam)) pending_.push_back({message, wParam, lParam});
    return true;
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
    record.messages = std::move(pending_);
    pending_.clear();
    replay_.frames.push_back(std::move(record));
    deviceTaken_ = false;
    if (frame % REPLAY_HASH_INTERVAL == 0) replay_.checks.push_back({frame, WorldHash(drawsBefore_)});
    return dt;
}

void ReplayRecorder::Finish() {
    CaptureDevice();
    EndWindowInterception();
}
