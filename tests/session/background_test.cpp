#include "game/background.h"
#include "game/draw_depth.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "gamelib/texman.h"
#include "platform/resources.h"
#include "session_fixture.h"

namespace {

class BackgroundTest : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        background = std::make_unique<TBackground>(&device);
        for (int i = 0; i < 18; ++i) {
            pictures[i].texture = &texture;
            background->mesh.textures[background->mesh.numTextures++] = &pictures[i];
        }
    }
    void StepAndDraw(double dt) {
        background->Step(dt);
        background->Draw();
    }
    float TopLeftV() {
        return reinterpret_cast<const MeshVertex*>(background->mesh.vertexBuffer->Data())[0].v;
    }
    Texture texture{4, 4, 1, D3DFMT_A8R8G8B8};
    TTextureEntry pictures[18] = {};
    std::unique_ptr<TBackground> background;
};

TEST_F(BackgroundTest, ModeTable) {
    EXPECT_EQ(background->mode, BACKGROUND_FIXED);
    EXPECT_DOUBLE_EQ(background->scale, 20.0);
    background->SetMode(BACKGROUND_ROTATING);
    EXPECT_DOUBLE_EQ(background->scale, 28.4);
    EXPECT_DOUBLE_EQ(background->spinRate, 0.1);
    EXPECT_EQ(background->spinAxis, Vector3(0, 0, 1));
    background->SetMode(BACKGROUND_VERTICAL_SCROLL);
    EXPECT_FLOAT_EQ(background->scrollV, -0.1f);
    background->SetMode(BACKGROUND_HORIZONTAL_SCROLL);
    EXPECT_FLOAT_EQ(background->scrollH, -0.1f);
    EXPECT_FLOAT_EQ(background->scrollV, -0.1f);  // both directions scroll now
    background->SetMode(static_cast<BackgroundMode>(9));  // a stored value out of range
    EXPECT_EQ(background->mode, 9);
    EXPECT_FLOAT_EQ(background->scrollV, -0.1f);
}

TEST_F(BackgroundTest, DisabledDrawsNothingAndTakesNoDepth) {
    background->SetMode(BACKGROUND_DISABLED);
    drawDepth = 800;
    StepAndDraw(0.016);
    EXPECT_EQ(device.Stats().drawCalls, 0u);
    background->SetMode(static_cast<BackgroundMode>(7));  // unknown modes draw nothing either
    StepAndDraw(0.016);
    EXPECT_EQ(device.Stats().drawCalls, 0u);
    background->SetMode(BACKGROUND_FIXED);
    background->Step(0.016);
    EXPECT_EQ(device.Stats().drawCalls, 0u);  // the step only moves it
    background->Draw();
    EXPECT_EQ(device.Stats().drawCalls, 1u);
    EXPECT_DOUBLE_EQ(drawDepth, 800.0);
}

TEST_F(BackgroundTest, TurningStaysWithinAFullTurn) {
    background->SetMode(BACKGROUND_ROTATING);
    for (int i = 0; i < 4000; ++i) {
        background->Step(0.016);
        ASSERT_GE(background->spinAngle, 0.0);
        ASSERT_LE(background->spinAngle, 6.28);
    }
    EXPECT_NEAR(background->spinAngle, std::fmod(4000 * 0.016 * 0.1, 6.28), 1e-6);
}

TEST_F(BackgroundTest, VerticalScrollMovesOneHeightInTenSeconds) {
    background->SetMode(BACKGROUND_VERTICAL_SCROLL);
    float before = TopLeftV();
    for (int i = 0; i < 100; ++i) background->Step(0.1);
    EXPECT_NEAR(TopLeftV() - before, -1.0f, 1e-4);
}

TEST_F(BackgroundTest, PictureFollowsTheWave) {
    theShip->waveIndex = 24;  // wave 25
    background->Step(0);
    EXPECT_EQ(background->mesh.quadTexture, 6);
    theShip->waveIndex = 18;
    background->Step(0);
    EXPECT_EQ(background->mesh.quadTexture, 0);
}

}  // namespace
