#include <gtest/gtest.h>

#include <cmath>

#include "platform/d3dx_math.h"

namespace {

constexpr float kEps = 1e-5f;

void ExpectNear(const Vector3& a, const Vector3& b, float eps = kEps) {
    EXPECT_NEAR(a.x, b.x, eps);
    EXPECT_NEAR(a.y, b.y, eps);
    EXPECT_NEAR(a.z, b.z, eps);
}

TEST(D3DXMath, RowVectorsComposeLeftToRight) {
    // world = scale * rotation * translation: scale first, move last.
    Matrix4 world = D3DXMatrixScaling(2, 2, 2) * D3DXMatrixRotationZ(1.5707964f) * D3DXMatrixTranslation(10, 0, 0);
    ExpectNear(D3DXVec3TransformCoord({1, 0, 0}, world), {10, 2, 0});
}

TEST(D3DXMath, RotationsTurnCounterClockwiseAboutTheirAxisInLeftHandedView) {
    ExpectNear(D3DXVec3TransformCoord({1, 0, 0}, D3DXMatrixRotationZ(1.5707964f)), {0, 1, 0});
    ExpectNear(D3DXVec3TransformCoord({0, 1, 0}, D3DXMatrixRotationX(1.5707964f)), {0, 0, 1});
    ExpectNear(D3DXVec3TransformCoord({0, 0, 1}, D3DXMatrixRotationY(1.5707964f)), {1, 0, 0});
}

TEST(D3DXMath, RotationAxisMatchesTheAxisRotations) {
    for (float angle : {0.3f, -1.2f, 3.0f}) {
        Matrix4 a = D3DXMatrixRotationAxis({0, 0, 1}, angle), b = D3DXMatrixRotationZ(angle);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) EXPECT_NEAR(a(r, c), b(r, c), kEps);
    }
    // The axis is normalised first.
    ExpectNear(D3DXVec3TransformCoord({0, 1, 0}, D3DXMatrixRotationAxis({3, 0, 0}, 1.5707964f)), {0, 0, 1});
}

TEST(D3DXMath, GameCameraMapsThePlayAreaToClipSpace) {
    Matrix4 view = D3DXMatrixLookAtLH({0, 0, -13}, {0, 0, 0}, {0, 1, 0});
    Matrix4 proj = D3DXMatrixOrthoLH(40, 40, 1, 1000);
    Matrix4 vp = view * proj;
    ExpectNear(D3DXVec3TransformCoord({20, 20, -12}, vp), {1, 1, 0});
    ExpectNear(D3DXVec3TransformCoord({-20, -20, 987}, vp), {-1, -1, 1}, 1e-4f);
    // Nearer the camera is smaller depth.
    EXPECT_LT(D3DXVec3TransformCoord({0, 0, 100}, vp).z, D3DXVec3TransformCoord({0, 0, 500}, vp).z);
}

TEST(D3DXMath, TransformCoordDividesByW) {
    Matrix4 p = D3DXMatrixPerspectiveFovLH(1.5707964f, 1.0f, 1.0f, 100.0f);
    Vector3 v = D3DXVec3TransformCoord({1, 1, 1}, p);
    EXPECT_NEAR(v.x, 1.0f, kEps);
    EXPECT_NEAR(v.z, 0.0f, kEps);
}

TEST(D3DXMath, NormalizeKeepsZeroAtZero) {
    ExpectNear(D3DXVec3Normalize({0, 3, 4}), {0, 0.6f, 0.8f});
    ExpectNear(D3DXVec3Normalize({0, 0, 0}), {0, 0, 0});
}

TEST(D3DXMath, InverseUndoesATransform) {
    Matrix4 m = D3DXMatrixScaling(2, 3, 4) * D3DXMatrixRotationAxis({1, 1, 0}, 0.7f) * D3DXMatrixTranslation(1, 2, 3);
    Matrix4 inv;
    ASSERT_TRUE(D3DXMatrixInverse(m, inv));
    ExpectNear(D3DXVec3TransformCoord(D3DXVec3TransformCoord({5, -6, 7}, m), inv), {5, -6, 7}, 1e-4f);
    Matrix4 singular = D3DXMatrixScaling(0, 1, 1);
    EXPECT_FALSE(D3DXMatrixInverse(singular, inv));
}

}  // namespace
