// A computer player. Each frame, before the game's step, it looks at the
// field and holds the same keys a person would (through the driven key
// state), and types a name when the game asks for one. It flies the free
// ship of the flagship games and the slider of the second game: it picks
// targets, dodges what its look-ahead says would hit, raises the shield for
// hits it cannot dodge, fires starbursts into crowds and fetches power-ups.
#pragma once

#include <string>

class Foresight;
struct HeldControls;

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
    // Whether a hit is coming too soon to dodge, with shield energy to meet it.
    bool ShieldNeeded(const Foresight& foresight, const HeldControls& controls) const;
    void TypeName();
    void Hold(int virtualKey, bool down);

    std::string name_;
    size_t typed_ = 0;
    double tableTime_ = 0;
};
