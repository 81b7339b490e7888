#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/t3dobject.h"
#include "platform/device.h"

namespace {

class RecordingObject : public T3DObject {
public:
    void Move(double dt) override { calls.push_back("move"), T3DObject::Move(dt); }
    void UpdateTransform(double dt) override { calls.push_back("transform"), T3DObject::UpdateTransform(dt); }
    void Render() const override { calls.push_back("render"), T3DObject::Render(); }
    void RenderBounds(const D3DMATERIAL9& m) const override {
        calls.push_back("bounds"), T3DObject::RenderBounds(m);
    }
    mutable std::vector<std::string> calls;
};

class SceneObjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        drawDepth = 500.0;
        object.device = &device;
    }
    NullDevice device;
    RecordingObject object;
};

TEST_F(SceneObjectTest, StepMovesThenTransformsAndDrawRendersWithBoundsOnlyWhenShown) {
    object.Step(0.1);
    EXPECT_EQ(object.calls, (std::vector<std::string>{"move", "transform"}));
    object.calls.clear();
    object.Draw();
    EXPECT_EQ(object.calls, (std::vector<std::string>{"render"}));
    object.calls.clear();
    object.showBounds = 1;
    object.Draw();
    EXPECT_EQ(object.calls, (std::vector<std::string>{"render", "bounds"}));
}

TEST_F(SceneObjectTest, DrawChangesNothingAStepReads) {
    object.velocity = Vector3(1, 0, 0);
    object.bounds.radius = 2;
    object.Step(0.5);
    const Matrix4 world = object.world;
    const double depth = drawDepth;
    object.Draw();
    object.Draw();
    EXPECT_EQ(object.position, Vector3(0.5f, 0, 0));
    EXPECT_EQ(object.world, world);
    EXPECT_DOUBLE_EQ(drawDepth, depth);
}

TEST_F(SceneObjectTest, MovesByVelocityAndDrawsAtTheTakenDepth) {
    object.velocity = Vector3(2, -4, 8);
    object.bounds.radius = 3;
    object.Step(0.5);
    EXPECT_EQ(object.position, Vector3(1, -2, 4));
    EXPECT_FLOAT_EQ(object.world(3, 0), 1);
    EXPECT_FLOAT_EQ(object.world(3, 1), -2);
    EXPECT_FLOAT_EQ(object.world(3, 2), 500);  // position.z plays no part
    EXPECT_DOUBLE_EQ(drawDepth, 497);
}

TEST_F(SceneObjectTest, PausedFrameStillBuildsTheWorldAndTakesADepth) {
    object.position = Vector3(3, 4, 0);
    object.bounds.radius = 1.5f;
    object.Step(0.0);
    EXPECT_FLOAT_EQ(object.world(3, 0), 3);
    EXPECT_DOUBLE_EQ(drawDepth, 498.5);
    EXPECT_EQ(device.Stats().drawCalls, 0u);  // empty record draws nothing
}

TEST_F(SceneObjectTest, ObjectsWithoutRadiusShareOneDepth) {
    RecordingObject other;
    other.device = &device;
    object.Step(0);
    other.Step(0);
    EXPECT_FLOAT_EQ(object.world(3, 2), 500);
    EXPECT_FLOAT_EQ(other.world(3, 2), 500);
    EXPECT_DOUBLE_EQ(object.TakeDepth(), 500);
}

TEST_F(SceneObjectTest, ZoomInGrowsToFullScaleAndEndsInTheOverrunningFrame) {
    object.scale = 2.0;
    object.zooming = 1;
    object.zoomRate = 10.0;
    object.zoomRemaining = 1.0;
    object.Step(0.0);
    EXPECT_FLOAT_EQ(object.world(0, 0), 2.0f / 11.0f);

    object.zoomRemaining = 0.3;
    object.Step(0.5);
    EXPECT_EQ(object.zooming, 0);
    EXPECT_DOUBLE_EQ(object.zoomRemaining, 0.0);
    EXPECT_FLOAT_EQ(object.world(0, 0), 2.0f);
}

TEST_F(SceneObjectTest, FlipInTurnsAboutXAndSettlesFlat) {
    object.flipping = 1;
    object.flipRate = 10.0;
    object.flipRemaining = 0.25;
    object.Step(0.1);  // 0.15 s left: turned by 1.5 rad about x
    EXPECT_NEAR(object.world(1, 1), std::cos(1.5f), 1e-6);
    EXPECT_NEAR(object.world(1, 2), std::sin(1.5f), 1e-6);
    object.Step(0.5);
    EXPECT_EQ(object.flipping, 0);
    EXPECT_DOUBLE_EQ(object.flipRemaining, 0.0);
    EXPECT_FLOAT_EQ(object.world(1, 1), 1.0f);
    EXPECT_FLOAT_EQ(object.world(1, 2), 0.0f);
}

TEST_F(SceneObjectTest, SpinBelowTheThresholdIsNotDrawn) {
    object.SetSpinAxis(0, 0, 1);
    object.spinAngle = 0.0005;
    object.Step(0);
    EXPECT_FLOAT_EQ(object.world(0, 1), 0.0f);
    object.spinAngle = -0.002;
    object.Step(0);
    EXPECT_NEAR(object.world(0, 1), std::sin(-0.002f), 1e-7);
    EXPECT_NE(object.world(0, 1), 0.0f);
}

TEST_F(SceneObjectTest, SpinAxisFallsBackToXWhenNoComponentReachesTheThreshold) {
    object.SetSpinAxis(0, 0, 0);
    EXPECT_EQ(object.spinAxis, Vector3(1, 0, 0));
    object.SetSpinAxis(0, 0, 2);
    EXPECT_EQ(object.spinAxis, Vector3(0, 0, 1));
    object.SetSpinAxis(-3, 0.0005, -1);  // the test is on signed values
    EXPECT_EQ(object.spinAxis, Vector3(1, 0, 0));
}

TEST_F(SceneObjectTest, BoundsOverlayKeepsTheSizeOfItsFirstDrawAndRestoresBlending) {
    object.bounds.radius = 2.0f;
    object.bounds.centre = Vector3(1, 2, 3);
    object.RenderBounds(object.boundsMaterial);
    ASSERT_TRUE(object.boundsMesh);
    const D3DXMesh* first = object.boundsMesh.get();
    EXPECT_FLOAT_EQ(first->Vertices()[0].z, 2.0f);
    EXPECT_FLOAT_EQ(device.GetMaterial().Diffuse.a, 0.1f);
    EXPECT_FLOAT_EQ(device.GetTransform(D3DTS_WORLD)(3, 1), 2.0f);
    EXPECT_EQ(device.GetRenderState(D3DRS_ALPHABLENDENABLE), 0u);
    EXPECT_EQ(device.GetRenderState(D3DRS_SRCBLEND), static_cast<uint32_t>(D3DBLEND_SRCALPHA));

    object.bounds.radius = 7.0f;
    object.RenderBounds(object.boundsMaterial);
    EXPECT_EQ(object.boundsMesh.get(), first);
    EXPECT_FLOAT_EQ(object.boundsMesh->Vertices()[0].z, 2.0f);
    EXPECT_EQ(device.Stats().drawCalls, 2u);
}

}  // namespace
