// The game loop as one call per frame, so that whatever owns the program's
// loop (the desktop's own, or an animation callback) can drive it.
#pragma once

class TGame;

class GameLoop {
public:
    explicit GameLoop(TGame& game) : game_(game) {}

    // Starts the frame clock: the first frame's time is 0.
    void Start();
    // Handles every pending event, in order, then draws one frame. Returns
    // false, without drawing, once the quit event is taken; nothing after it
    // is handled. Never waits for input.
    bool Frame();
    // The quit event's exit code, once Frame returned false.
    int exitCode() const { return exitCode_; }

private:
    TGame& game_;
    int exitCode_ = 0;
};
