// The head-up display: a panel in the top-left corner with hull and shield
// bars, and text fields for lives, score, starbursts, wave and frame rate.
// Also the spinning 3D text of the pause message.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/t3dobject.h"

class TShip;

constexpr int32_t SCOREBOARD_COMPACT = 1;
constexpr int32_t SCOREBOARD_FULL = 2;

// One text field of the display, in the virtual 800 x 600 screen.
struct HudText {
    float x, y;
    D3DCOLOR colour;
    std::string text;
};

class TScoreBoard : public T3DObject {
public:
    TScoreBoard();

    // Steps the object, then places the panel at the next depth.
    void Step(double dt) override;
    void Render() const override;

    // The text fields a layout shows for this ship and descriptor.
    std::vector<HudText> Texts(const TShip& ship, bool showsAltCounter, bool showFps) const;
    // Bar lengths in panel units: hull and shield, 5 when full.
    static float HullBarLength(const TShip& ship);
    static float ShieldBarLength(const TShip& ship);

    TMesh panelMesh;
    TMesh barMesh;
    int32_t layout = SCOREBOARD_FULL;
    D3DCOLOR fpsColour = 0xFFFFFFFF;
    Matrix4 panelWorld;

private:
    void DrawPanel() const;
    void DrawCompact() const;
    void DrawFull() const;
    void DrawTexts(const std::vector<HudText>& texts) const;
};

// Angle of the pause message, radians; persists for the program's run.
extern double messageAngle;

// Turns the pause message by dt and takes the depths of its three line slots
// (20 units each) from drawDepth; returns the first slot's depth.
double TurnMessage(double dt);
// Up to three lines of 3D text, 5 units apart, turned by messageAngle about
// the vertical axis; the first slot lies at `depth`, each next 20 nearer.
void ShowMessage(double depth, const TMesh* first, const TMesh* second, const TMesh* third, double scale);
