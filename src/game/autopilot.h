// A computer player. Each frame, before the game's step, it looks at the
// field and holds the same keys a person would (through the driven key
// state), and types a name when the game asks for one. It flies the free
// ship of the flagship games and the slider of the second game.
#pragma once

#include <string>

class Autopilot {
public:
    explicit Autopilot(std::string name = "AUTOPILOT") : name_(std::move(name)) {}
    ~Autopilot();

    // Decides the controls for the coming frame of dt seconds.
    void Drive(double dt);
    // Lets go of every key.
    void Release();

    // Restart after this many seconds on the high score table (0: never).
    double restartDelay = 3.0;

private:
    void FlyFree();
    void FlySlider();
    void TypeName();
    void Hold(int virtualKey, bool down);

    std::string name_;
    size_t typed_ = 0;
    double tableTime_ = 0;
};
