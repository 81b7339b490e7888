#include "symbols.h"

#include <cmath>

namespace content {

using contentgen::Outline;

Outline LetterM() {
    return {{-0.85f, -0.85f}, {-0.85f, 0.85f}, {-0.42f, 0.85f}, {0.0f, 0.28f},  {0.42f, 0.85f}, {0.85f, 0.85f},
            {0.85f, -0.85f},  {0.48f, -0.85f}, {0.48f, 0.3f},   {0.0f, -0.32f}, {-0.48f, 0.3f}, {-0.48f, -0.85f}};
}

Outline StarSymbol() { return contentgen::StarOutline(5, 1.0f, 0.42f); }

Outline CrossSymbol() {
    const float w = 0.32f, r = 0.9f;
    return {{-w, r}, {w, r}, {w, w}, {r, w}, {r, -w}, {w, -w}, {w, -r}, {-w, -r}, {-w, -w}, {-r, -w}, {-r, w}, {-w, w}};
}

Outline ShipSymbol() { return {{0.0f, 1.0f}, {0.78f, -0.85f}, {0.0f, -0.42f}, {-0.78f, -0.85f}}; }

Outline ShieldSymbol() {
    Outline out = {{-0.8f, 0.9f}, {0.8f, 0.9f}};
    // Right flank curving down to the point, then the mirror image.
    const int steps = 6;
    for (int i = 0; i <= steps; ++i) {
        float t = static_cast<float>(i) / steps;
        out.push_back({0.8f * std::cos(t * 1.5707964f), 0.2f - 1.15f * std::sin(t * 1.5707964f)});
    }
    for (int i = steps - 1; i >= 0; --i) {
        float t = static_cast<float>(i) / steps;
        out.push_back({-0.8f * std::cos(t * 1.5707964f), 0.2f - 1.15f * std::sin(t * 1.5707964f)});
    }
    return out;
}

}  // namespace content
