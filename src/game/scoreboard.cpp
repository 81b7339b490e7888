#include "game/scoreboard.h"

#include <cstdio>

#include "framework/display.h"
#include "framework/gameglobals.h"
#include "framework/tgame.h"
#include "framework/timer.h"
#include "game/ship.h"
#include "game/session_globals.h"
#include "gamelib/fontman.h"
#include "platform/device.h"

double messageAngle = 0.0;

namespace {

constexpr D3DCOLOR kTextColour = 0xFF000000;

std::string Format(const char* format, int value) {
    char buffer[64];
    std::snprintf(buffer, sizeof(buffer), format, value);
    return buffer;
}

HudText FpsText(float x, float y, D3DCOLOR colour) {
    char buffer[64];
    const FrameClock& c = frameClock;
    std::snprintf(buffer, sizeof(buffer), "FPS: %3d %3d %3d", static_cast<int>(c.fps), static_cast<int>(c.fpsMin),
                  static_cast<int>(c.fpsMax));
    return {x, y, colour, buffer};
}

}  // namespace

TScoreBoard::TScoreBoard() = default;

float TScoreBoard::HullBarLength(const TShip& ship) {
    if (ship.maxHull <= 0) return 0.0f;
    return static_cast<float>(static_cast<double>(ship.hull) / ship.maxHull * 5.0);
}

float TScoreBoard::ShieldBarLength(const TShip& ship) {
    if (ship.maxShield <= 0) return 0.0f;
    return static_cast<float>(ship.shieldEnergy / ship.maxShield * 5.0);
}

std::vector<HudText> TScoreBoard::Texts(const TShip& ship, bool showsAltCounter, bool showFps) const {
    std::vector<HudText> texts;
    if (layout == SCOREBOARD_COMPACT) {
        texts.push_back({10, 5, kTextColour, Format("Score: %05d", ship.score)});
        if (showFps) texts.push_back(FpsText(140, 5, fpsColour));
    } else if (layout == SCOREBOARD_FULL) {
        texts.push_back({130, 5, kTextColour, Format("%2d", ship.lives)});
        texts.push_back({180, 5, kTextColour, Format("%06d", ship.score)});
        texts.push_back({130, 25, kTextColour, Format("%02d", ship.starbursts)});
        texts.push_back({180, 25, kTextColour,
                         showsAltCounter ? Format("%06d", ship.peakScore) : Format("Wave: %2d", ship.wave)});
        if (showFps) texts.push_back(FpsText(280, 25, fpsColour));
    }
    return texts;
}

void TScoreBoard::Step(double dt) {
    T3DObject::Step(dt);
    if (layout != SCOREBOARD_COMPACT && layout != SCOREBOARD_FULL) return;
    float z = static_cast<float>(TakeDepth());
    panelWorld = D3DXMatrixScaling(0.5f, 0.5f, 0.5f) * D3DXMatrixTranslation(position.x, position.y, z);
}

void TScoreBoard::Render() const {
    if (layout == SCOREBOARD_COMPACT)
        DrawCompact();
    else if (layout == SCOREBOARD_FULL)
        DrawFull();
}

void TScoreBoard::DrawPanel() const {
    device->SetTransform(D3DTS_WORLD, panelWorld);
    RenderMesh(device, panelMesh);
}

void TScoreBoard::DrawTexts(const std::vector<HudText>& texts) const {
    ScreenTextBatch batch(0);
    for (const HudText& t : texts) DrawScreenText(0, t.x, t.y, t.colour, t.text.c_str());
}

void TScoreBoard::DrawCompact() const {
    DrawPanel();
    if (!theShip) return;
    DrawTexts(Texts(*theShip, false, settings.showFps != 0));
}

void TScoreBoard::DrawFull() const {
    DrawPanel();
    if (!theShip) return;
    const float bars[2][2] = {{HullBarLength(*theShip), -1.81f}, {ShieldBarLength(*theShip), -5.03f}};
    for (const auto& bar : bars) {
        device->SetTransform(D3DTS_WORLD,
                             D3DXMatrixScaling(bar[0], 1, 1) * D3DXMatrixTranslation(3.94f, bar[1], 0) * panelWorld);
        RenderMesh(device, barMesh);
    }
    TGame* game = CurrentGame();
    DrawTexts(Texts(*theShip, game && game->ShowsAltCounter(), settings.showFps != 0));
}

namespace {
constexpr int kMessageSlots = 3;
constexpr double kMessageSlotDepth = 20;
}  // namespace

double TurnMessage(double dt) {
    messageAngle += dt;
    if (messageAngle > 6.28) messageAngle -= 6.28;
    double first = drawDepth;
    for (int i = 0; i < kMessageSlots; ++i) drawDepth -= kMessageSlotDepth;
    return first;
}

void ShowMessage(double depth, const TMesh* first, const TMesh* second, const TMesh* third, double scale) {
    const TMesh* lines[kMessageSlots] = {first, second, third};
    int n = (first != nullptr) + (second != nullptr) + (third != nullptr);
    double y = (n - 1) * 5 * 0.5;
    float s = static_cast<float>(scale);
    Matrix4 sr = D3DXMatrixScaling(s, s, s) * D3DXMatrixRotationY(static_cast<float>(messageAngle));
    for (const TMesh* line : lines) {
        Matrix4 t = D3DXMatrixTranslation(0, static_cast<float>(y), static_cast<float>(depth));
        depth -= kMessageSlotDepth;
        y -= 5;
        if (line && theDevice) {
            theDevice->SetTransform(D3DTS_WORLD, sr * t);
            RenderMesh(theDevice, *line);
        }
    }
}
