// The picture behind the play area: one large textured square that stands
// still, turns slowly or scrolls, showing a different picture each wave.
#pragma once

#include <cstdint>

#include "framework/settings_list.h"  // BackgroundMode
#include "game/t3dobject.h"

struct TTextureEntry;

class TBackground : public T3DObject {
public:
    explicit TBackground(Device* device);

    // Stores the mode and applies its motion. A mode above 5 is stored and
    // changes nothing else; such a background (and one without pictures)
    // draws nothing.
    void SetMode(BackgroundMode mode);
    // Adds a picture of the game library to the ones shown wave by wave;
    // each is decoded only while it is shown.
    void AddPicture(const char* name);
    void ScaleTexture(float su, float sv);

    void Move(double dt) override;
    // Moves and picks the wave's picture; a disabled background stands still.
    void Step(double dt) override;
    void Render() const override;
    void Draw() const override;

    float scrollV = 0.0f;
    float scrollH = 0.0f;
    BackgroundMode mode = BACKGROUND_FIXED;

private:
    void ShowPicture(TTextureEntry* picture);
    TTextureEntry* shown_ = nullptr;  // the picture decoded now
};
