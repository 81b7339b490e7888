// Short-range foresight for the computer player: where the ship goes under
// held controls, and how close the field's objects and the enemies' shots
// come to it meanwhile (both moving straight on, in the plane of play).
#pragma once

#include <vector>

#include "platform/d3dx_math.h"

class TShip;

struct Mover {
    Vector3 position, velocity;
    float radius = 0;
};

// Controls held for the whole look-ahead: turn (free flight) or slide
// (slider) -1, 0 or +1, and thrust (free flight).
struct HeldControls {
    int steer = 0;
    bool thrust = false;
};

class Foresight {
public:
    // Takes the threats of the moment: every field object but power-ups,
    // and every enemy shot.
    explicit Foresight(const TShip& ship);

    // The smallest gap (distance less both radii) between the ship and any
    // threat over `horizon` seconds; negative for a hit. Large when clear.
    double Clearance(const HeldControls& controls, double horizon) const;

    const std::vector<Mover>& threats() const { return threats_; }

private:
    const TShip& ship_;
    std::vector<Mover> threats_;
};

// The shorter way from `from` to `to` where the play area wraps (across
// always; up and down unless `vertical` is false).
Vector3 WrappedOffset(const Vector3& from, const Vector3& to, bool vertical = true);
