#include <cmath>

#include "framework/gameglobals.h"
#include "framework/timer.h"
#include "game/draw_depth.h"
#include "game/scoreboard.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "session_fixture.h"

namespace {

using HudTest = SessionTest;

std::vector<std::string> TextsOf(const std::vector<HudText>& texts) {
    std::vector<std::string> out;
    for (const HudText& t : texts) out.push_back(t.text);
    return out;
}

TEST_F(HudTest, FullLayoutFields) {
    theShip->lives = 3;
    theShip->score = 1234;
    theShip->starbursts = 7;
    theShip->wave = 12;
    theShip->peakScore = 5000;
    std::vector<HudText> texts = theScoreBoard->Texts(*theShip, false, false);
    EXPECT_EQ(TextsOf(texts), (std::vector<std::string>{" 3", "001234", "07", "Wave: 12"}));
    EXPECT_EQ(texts[0].x, 130);
    EXPECT_EQ(texts[3].y, 25);
    EXPECT_EQ(texts[1].colour, 0xFF000000u);
    // Descriptors that show the game's best score put it in place of the wave.
    EXPECT_EQ(theScoreBoard->Texts(*theShip, true, false)[3].text, "005000");
}

TEST_F(HudTest, CompactLayoutAndFrameRates) {
    theScoreBoard->layout = SCOREBOARD_COMPACT;
    theShip->score = 1234;
    frameClock.fps = 58.7, frameClock.fpsMin = 41.2, frameClock.fpsMax = 62.9;
    std::vector<HudText> texts = theScoreBoard->Texts(*theShip, false, true);
    EXPECT_EQ(TextsOf(texts), (std::vector<std::string>{"Score: 01234", "FPS:  58  41  62"}));
    EXPECT_EQ(texts[1].x, 140);
    EXPECT_EQ(texts[1].colour, 0xFFFFFFFFu);
    theScoreBoard->layout = 7;
    EXPECT_TRUE(theScoreBoard->Texts(*theShip, false, true).empty());
}

TEST_F(HudTest, BarsScaleWithHullAndShield) {
    theShip->maxHull = 5;
    theShip->hull = 0;
    EXPECT_FLOAT_EQ(TScoreBoard::HullBarLength(*theShip), 0.0f);
    theShip->hull = 7;  // above the maximum: longer than full
    EXPECT_FLOAT_EQ(TScoreBoard::HullBarLength(*theShip), 7.0f);
    theShip->shieldEnergy = 4.5;
    EXPECT_FLOAT_EQ(TScoreBoard::ShieldBarLength(*theShip), 2.5f);
    theShip->maxHull = 0;
    EXPECT_FLOAT_EQ(TScoreBoard::HullBarLength(*theShip), 0.0f);
}

TEST_F(HudTest, BarsAreDrawnInThePanelsSpace) {
    theScoreBoard->panelMesh = SphereKind(1, 0, 0);
    theScoreBoard->barMesh = SphereKind(1, 0, 0);
    theShip->maxHull = 5;
    theShip->hull = 5;
    theShip->shieldEnergy = 0;
    drawDepth = 500;
    device.worlds.clear();
    theScoreBoard->Step(0);
    EXPECT_TRUE(device.worlds.empty());
    theScoreBoard->Draw();
    ASSERT_EQ(device.worlds.size(), 3u);
    // The full hull bar: x from 3.94 to 8.94 panel units = 1.97..4.47 world units right of -20.
    Vector3 barEnd = D3DXVec3TransformCoord({1, 0, 0}, device.worlds[1]);
    EXPECT_NEAR(barEnd.x, -20 + (3.94f + 5) * 0.5f, 1e-4);
    EXPECT_NEAR(barEnd.y, 20 - 1.81f * 0.5f, 1e-4);
    Vector3 emptyShield = D3DXVec3TransformCoord({1, 0, 0}, device.worlds[2]);
    EXPECT_NEAR(emptyShield.x, -20 + 3.94f * 0.5f, 1e-4);
}

TEST_F(HudTest, PauseMessageLinesAreFiveUnitsApartAndSpin) {
    TMesh line = SphereKind(1, 0, 0);
    messageAngle = 0;
    drawDepth = 500;
    device.worlds.clear();
    const double depth = TurnMessage(0);
    EXPECT_DOUBLE_EQ(depth, 500.0);
    EXPECT_DOUBLE_EQ(drawDepth, 440.0);  // three slots of 20, lines or not
    EXPECT_TRUE(device.worlds.empty());
    ShowMessage(depth, &line, &line, nullptr, 1.0);
    ASSERT_EQ(device.worlds.size(), 2u);
    EXPECT_NEAR(device.worlds[0](3, 1), 2.5f, 1e-5);
    EXPECT_NEAR(device.worlds[1](3, 1), -2.5f, 1e-5);
    EXPECT_NEAR(device.worlds[1](3, 2), 480.0f, 1e-4);
    EXPECT_DOUBLE_EQ(drawDepth, 440.0);  // drawing takes no depth
    device.worlds.clear();
    ShowMessage(depth, &line, nullptr, nullptr, 1.0);
    EXPECT_NEAR(device.worlds[0](3, 1), 0.0f, 1e-5);
    messageAngle = 6.27;
    TurnMessage(0.5);
    EXPECT_NEAR(messageAngle, 0.49, 1e-9);
    ShowMessage(depth, &line, nullptr, nullptr, 1.0);
    EXPECT_NEAR(messageAngle, 0.49, 1e-9);
}

}  // namespace
