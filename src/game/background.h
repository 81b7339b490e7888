// The picture behind the play area: one large textured square that stands
// still, turns slowly or scrolls, showing a different picture each wave.
#pragma once

#include <cstdint>

#include "game/t3dobject.h"

// Background modes as the launcher offers them.
enum BackgroundMode : int32_t {
    BACKGROUND_DISABLED = 0,
    BACKGROUND_FIXED = 1,
    BACKGROUND_ROTATING = 2,
    BACKGROUND_VERTICAL_SCROLL = 3,
    BACKGROUND_HORIZONTAL_SCROLL = 4,
    BACKGROUND_STARFIELD = 5,
};

class TBackground : public T3DObject {
public:
    explicit TBackground(Device* device);

    // Stores the mode and applies its motion. A mode above 5 is stored and
    // changes nothing else; such a background (and one without pictures)
    // draws nothing.
    void SetMode(int32_t mode);
    void AddPicture(const char* name);
    void ScaleTexture(float su, float sv);

    void Move(double dt) override;
    // Moves and picks the wave's picture; a disabled background stands still.
    void Step(double dt) override;
    void Render() const override;
    void Draw() const override;

    float scrollV = 0.0f;
    float scrollH = 0.0f;
    int32_t mode = BACKGROUND_FIXED;
};
