// Rasterisation: screen-space vertices, blending, depth, fill and cull modes.
#include "gl_fixture.h"

namespace {

class GlRasterTest : public GlDeviceTest {
protected:
    // An emissive world square: lit by nothing but its own colour.
    void DrawSquare(float h, float z, D3DCOLORVALUE colour, bool clockwise = true) {
        D3DMATERIAL9 m;
        m.Emissive = colour;
        m.Diffuse = {0, 0, 0, 1};
        device().SetMaterial(m);
        squares_.push_back(Square(h, z, clockwise));
        EXPECT_EQ(device().DrawPrimitive(D3DPT_TRIANGLELIST, *squares_.back(), 0, 2), D3D_OK);
    }
    std::vector<std::unique_ptr<VertexBuffer>> squares_;
};

TEST_F(GlRasterTest, ScreenVerticesLandOnDirect3DPixels) {
    // Offset by half a pixel as text is: exactly pixels 10..29 x 20..39.
    DrawScreenQuad(9.5f, 19.5f, 29.5f, 39.5f, D3DCOLOR_ARGB(255, 255, 255, 255));
    const Image frame = Frame();
    ExpectPixel(frame, 10, 20, {255, 255, 255});
    ExpectPixel(frame, 29, 39, {255, 255, 255});
    ExpectPixel(frame, 29, 20, {255, 255, 255});
    ExpectPixel(frame, 9, 20, {0, 0, 0});
    ExpectPixel(frame, 10, 19, {0, 0, 0});
    ExpectPixel(frame, 30, 39, {0, 0, 0});
    ExpectPixel(frame, 29, 40, {0, 0, 0});
}

TEST_F(GlRasterTest, AlphaBlendingMixesWithTheBlendFactorsGiven) {
    device().Clear(D3DCLEAR_TARGET, D3DCOLOR_ARGB(255, 0, 0, 255), 1.0f);
    device().SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    device().SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device().SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    DrawScreenQuad(0, 0, 32, 64, D3DCOLOR_ARGB(128, 255, 0, 0));
    device().SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    device().SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    DrawScreenQuad(32, 0, 64, 64, D3DCOLOR_ARGB(0, 0, 255, 0));
    const Image frame = Frame();
    ExpectPixel(frame, 16, 32, {128, 0, 127});
    ExpectPixel(frame, 48, 32, {0, 255, 255});
}

TEST_F(GlRasterTest, DepthOrderFollowsDepthNotDrawingOrder) {
    UseOrthoCamera();
    DrawSquare(0.5f, 0.0f, {1, 0, 0, 1});  // near
    DrawSquare(0.5f, 5.0f, {0, 1, 0, 1});  // far, drawn later
    ExpectPixel(Frame(), 32, 32, {255, 0, 0});

    device().Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f);
    DrawSquare(0.5f, 5.0f, {0, 1, 0, 1});
    DrawSquare(0.5f, 0.0f, {1, 0, 0, 1});
    ExpectPixel(Frame(), 32, 32, {255, 0, 0});

    device().Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f);
    device().SetRenderState(D3DRS_ZENABLE, 0);
    DrawSquare(0.5f, 0.0f, {1, 0, 0, 1});
    DrawSquare(0.5f, 5.0f, {0, 1, 0, 1});
    ExpectPixel(Frame(), 32, 32, {0, 255, 0});
}

TEST_F(GlRasterTest, ScreenVertexDepthIsTested) {
    DrawScreenQuad(0, 0, 64, 64, D3DCOLOR_ARGB(255, 255, 0, 0), 0.2f);
    DrawScreenQuad(0, 0, 64, 64, D3DCOLOR_ARGB(255, 0, 255, 0), 0.8f);
    ExpectPixel(Frame(), 32, 32, {255, 0, 0});
}

TEST_F(GlRasterTest, WireFrameDrawsTheEdgesOnly) {
    UseOrthoCamera();
    device().SetRenderState(D3DRS_FILLMODE, D3DFILL_WIREFRAME);
    DrawSquare(0.75f, 0.0f, {1, 1, 1, 1});
    const Image frame = Frame();
    int lit = 0, litOnTopEdge = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            if (PixelAt(frame, x, y).r > 128) {
                ++lit;
                if (y >= 7 && y <= 9) ++litOnTopEdge;
            }
    // The square spans pixels 8..56: its outline and diagonal, not its area.
    EXPECT_GT(litOnTopEdge, 40);
    EXPECT_GT(lit, 150);
    EXPECT_LT(lit, 400);
    ExpectPixel(frame, 20, 40, {0, 0, 0});
}

TEST_F(GlRasterTest, CullModesFollowDirect3DWinding) {
    UseOrthoCamera();
    // Default: counter-clockwise triangles are culled.
    DrawSquare(0.5f, 0.0f, {1, 1, 1, 1}, /*clockwise=*/false);
    ExpectPixel(Frame(), 32, 32, {0, 0, 0});

    device().Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f);
    DrawSquare(0.5f, 0.0f, {1, 1, 1, 1}, /*clockwise=*/true);
    ExpectPixel(Frame(), 32, 32, {255, 255, 255});

    device().Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f);
    device().SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    DrawSquare(0.5f, 0.0f, {1, 0, 0, 1}, /*clockwise=*/true);
    DrawSquare(0.5f, 0.0f, {0, 1, 0, 1}, /*clockwise=*/false);
    ExpectPixel(Frame(), 32, 32, {0, 255, 0});

    device().Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f);
    device().SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    DrawSquare(0.5f, 0.0f, {0, 0, 1, 1}, /*clockwise=*/false);
    ExpectPixel(Frame(), 32, 32, {0, 0, 255});
}

TEST_F(GlRasterTest, ColourWritesCanBeMaskedButClearIgnoresTheMask) {
    device().SetRenderState(D3DRS_COLORWRITEENABLE, 0x1);  // red only
    DrawScreenQuad(0, 0, 64, 64, D3DCOLOR_ARGB(255, 200, 200, 200));
    ExpectPixel(Frame(), 32, 32, {200, 0, 0});
    device().Clear(D3DCLEAR_TARGET, D3DCOLOR_ARGB(255, 0, 90, 0), 1.0f);
    ExpectPixel(Frame(), 32, 32, {0, 90, 0});
}

}  // namespace
