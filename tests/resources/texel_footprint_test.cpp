// The texel steps per pixel of a flat quad, from which a sampler picks its
// level of detail.
#include "gamelib/texel_footprint.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A 2 x 2 square at z = 5 facing the camera, texture coordinates 0..`repeat`.
struct Square {
    explicit Square(float repeat = 1.0f)
        : corners{{-1, 1, 5, 0, 0, -1, 0, 0}, {1, 1, 5, 0, 0, -1, repeat, 0}, {-1, -1, 5, 0, 0, -1, 0, repeat}} {}
    MeshVertex corners[3];
};

// Orthographic: the 2 x 2 world window fills the picture.
Matrix4 Ortho() { return D3DXMatrixOrthoLH(2, 2, 1, 100); }

TEST(TexelsPerPixel, AnOrthographicSquareStepsItsTexelsOverThePictureSize) {
    const Square square;
    const auto fill = TexelsPerPixel(square.corners, Ortho(), 800, 600, 512, 512);
    ASSERT_TRUE(fill);
    EXPECT_NEAR(*fill, 512.0f / 600.0f, 1e-4f);  // the shorter side decides
    const auto small = TexelsPerPixel(square.corners, Ortho(), 256, 256, 512, 512);
    ASSERT_TRUE(small);
    EXPECT_NEAR(*small, 2.0f, 1e-4f);
    const auto repeated = TexelsPerPixel(Square(4).corners, Ortho(), 1024, 1024, 512, 512);
    ASSERT_TRUE(repeated);
    EXPECT_NEAR(*repeated, 2.0f, 1e-4f);
    const auto wide = TexelsPerPixel(square.corners, Ortho(), 1024, 1024, 2048, 256);
    ASSERT_TRUE(wide);
    EXPECT_NEAR(*wide, 2.0f, 1e-4f);  // the steps across the wide texture
}

TEST(TexelsPerPixel, TurningOrScalingTheSquareScalesItsStep) {
    const Square square;
    const Matrix4 turned = D3DXMatrixRotationZ(0.6f) * Ortho();
    const auto fill = TexelsPerPixel(square.corners, turned, 512, 512, 512, 512);
    ASSERT_TRUE(fill);
    EXPECT_NEAR(*fill, 1.0f, 1e-4f);
    const Matrix4 halved = D3DXMatrixScaling(0.5f, 0.5f, 1) * D3DXMatrixRotationZ(0.6f) * Ortho();
    const auto small = TexelsPerPixel(square.corners, halved, 512, 512, 512, 512);
    ASSERT_TRUE(small);
    EXPECT_NEAR(*small, 2.0f, 1e-4f);
}

TEST(TexelsPerPixel, PerspectiveOnATiltedSquareGivesNoneAndAnEdgeOnOneIsNeverMagnified) {
    const Square square;
    const Matrix4 perspective = D3DXMatrixPerspectiveFovLH(1.0f, 1.0f, 1, 100);
    const auto facing = TexelsPerPixel(square.corners, perspective, 512, 512, 512, 512);
    EXPECT_TRUE(facing);  // every corner at the same depth: affine on screen
    EXPECT_FALSE(TexelsPerPixel(square.corners, D3DXMatrixRotationY(0.5f) * perspective, 512, 512, 512, 512));
    const auto edgeOn = TexelsPerPixel(square.corners, D3DXMatrixRotationY(1.5707964f) * Ortho(), 512, 512, 512, 512);
    EXPECT_TRUE(!edgeOn || *edgeOn > 1000.0f);
    const Matrix4 behind = D3DXMatrixTranslation(0, 0, -10) * perspective;
    EXPECT_FALSE(TexelsPerPixel(square.corners, behind, 512, 512, 512, 512));
}

}  // namespace
