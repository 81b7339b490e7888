#include "framework/gameloop.h"

#include "framework/frame_source.h"
#include "framework/tgame.h"
#include "framework/timer.h"
#include "platform/game_window.h"

void GameLoop::Start() { ResetTimer(); }

bool GameLoop::Frame() {
    QueuedEvent queued;
    while (PollEvent(&queued)) {
        if (queued.event.type == GameEventType::Quit) {
            exitCode_ = queued.event.exitCode;
            return false;
        }
        DispatchEvent(queued);
    }
    game_.Display(NextFrameSeconds());
    return true;
}

int TGame::Run() {
    GameLoop loop(*this);
    loop.Start();
    while (loop.Frame()) {
    }
    return loop.exitCode();
}
