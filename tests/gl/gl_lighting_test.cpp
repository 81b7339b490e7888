// Fixed-function lighting: one directional light, materials, specular,
// emissive, normalised normals.
#include "gl_fixture.h"

namespace {

class GlLightingTest : public GlDeviceTest {
protected:
    void SetUp() override {
        GlDeviceTest::SetUp();
        UseOrthoCamera();
    }
    void Light(Vector3 direction, D3DCOLORVALUE diffuse, D3DCOLORVALUE ambient = {},
               D3DCOLORVALUE specular = {}) {
        D3DLIGHT9 light{};
        light.Type = D3DLIGHT_DIRECTIONAL;
        light.Direction = {direction.x, direction.y, direction.z};
        light.Diffuse = diffuse;
        light.Ambient = ambient;
        light.Specular = specular;
        device().SetLight(0, light);
        device().LightEnable(0, true);
    }
    void DrawSquare(const D3DMATERIAL9& material) {
        device().SetMaterial(material);
        square_ = Square(0.5f);
        EXPECT_EQ(device().DrawPrimitive(D3DPT_TRIANGLELIST, *square_, 0, 2), D3D_OK);
    }
    std::unique_ptr<VertexBuffer> square_;
};

D3DMATERIAL9 Material(D3DCOLORVALUE diffuse, D3DCOLORVALUE ambient = {}, D3DCOLORVALUE specular = {},
                      D3DCOLORVALUE emissive = {}, float power = 0) {
    D3DMATERIAL9 m;
    m.Diffuse = diffuse;
    m.Ambient = ambient;
    m.Specular = specular;
    m.Emissive = emissive;
    m.Power = power;
    return m;
}

TEST_F(GlLightingTest, HeadOnLightGivesTheDiffuseColourWhereLitAndBlackElsewhere) {
    Light({0, 0, 1}, {1, 1, 1, 1});
    DrawSquare(Material({1, 0.5f, 0, 1}));
    const Image frame = Frame();
    ExpectPixel(frame, 32, 32, {255, 128, 0});
    ExpectPixel(frame, 17, 17, {255, 128, 0});
    ExpectPixel(frame, 5, 5, {0, 0, 0});
    ExpectPixel(frame, 60, 40, {0, 0, 0});
}

TEST_F(GlLightingTest, SlantedLightScalesDiffuseByTheCosineAndAddsAmbient) {
    // 45 degrees: N.L = 0.707; light ambient 0.2 times material ambient blue.
    Light({0, 1, 1}, {1, 1, 1, 1}, {0.2f, 0.2f, 0.2f, 1});
    DrawSquare(Material({1, 0, 0, 1}, {0, 0, 1, 1}));
    ExpectPixel(Frame(), 32, 32, {180, 0, 51});
}

TEST_F(GlLightingTest, LightFromBehindLeavesOnlyAmbient) {
    Light({0, 0, -1}, {1, 1, 1, 1}, {0.4f, 0.4f, 0.4f, 1});
    DrawSquare(Material({1, 1, 1, 1}, {0, 1, 0, 1}));
    ExpectPixel(Frame(), 32, 32, {0, 102, 0});
}

TEST_F(GlLightingTest, SpecularIsAddedOnlyWhenEnabled) {
    Light({0, 0, 1}, {1, 1, 1, 1}, {}, {1, 1, 1, 1});
    const D3DMATERIAL9 shiny = Material({0.5f, 0, 0, 1}, {}, {0, 1, 0, 1}, {}, 8);
    DrawSquare(shiny);
    ExpectPixel(Frame(), 32, 32, {128, 0, 0});

    device().Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f);
    device().SetRenderState(D3DRS_SPECULARENABLE, 1);
    DrawSquare(shiny);
    ExpectPixel(Frame(), 32, 32, {128, 254, 0}, 3);
}

TEST_F(GlLightingTest, EmissiveAndGlobalAmbientNeedNoLight) {
    device().SetRenderState(D3DRS_AMBIENT, D3DCOLOR_ARGB(255, 0, 0, 255));
    DrawSquare(Material({1, 1, 1, 1}, {0, 0, 0.5f, 1}, {}, {0, 1, 0, 1}));
    ExpectPixel(Frame(), 32, 32, {0, 255, 128});
}

TEST_F(GlLightingTest, UnlitGeometryWithoutColoursIsWhite) {
    device().SetRenderState(D3DRS_LIGHTING, 0);
    DrawSquare(Material({1, 0, 0, 1}));
    ExpectPixel(Frame(), 32, 32, {255, 255, 255});
}

TEST_F(GlLightingTest, ScaledNormalsAreRenormalisedOnlyWhenAsked) {
    // Halving the world doubles the transformed normal's length.
    Light({0, 0, 1}, {1, 1, 1, 1});
    device().SetTransform(D3DTS_WORLD, D3DXMatrixScaling(0.5f, 0.5f, 0.5f));
    DrawSquare(Material({0.4f, 0, 0, 1}));
    ExpectPixel(Frame(), 32, 32, {204, 0, 0});

    device().Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f);
    device().SetRenderState(D3DRS_NORMALIZENORMALS, 1);
    DrawSquare(Material({0.4f, 0, 0, 1}));
    ExpectPixel(Frame(), 32, 32, {102, 0, 0});
}

}  // namespace
