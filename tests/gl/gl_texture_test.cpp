// Texture stage 0: upload of every format, modulation by the material,
// transparency, filtering and mip levels, re-upload after a lock.
#include "gl_fixture.h"
#include "gamelib/mesh.h"
#include "gamelib/texman.h"

#include <cstring>

namespace {

class GlTextureTest : public GlDeviceTest {
protected:
    void SetUp() override {
        GlDeviceTest::SetUp();
        UseOrthoCamera();
        device().SetRenderState(D3DRS_LIGHTING, 0);
    }
    void DrawFullSquare() {
        square_ = Square(1.0f);
        EXPECT_EQ(device().DrawPrimitive(D3DPT_TRIANGLELIST, *square_, 0, 2), D3D_OK);
    }
    std::unique_ptr<VertexBuffer> square_;
};

// A texture of one level from ARGB words, rows top to bottom.
std::unique_ptr<Texture> MakeTexture(uint32_t w, uint32_t h, std::vector<uint32_t> texels,
                                     D3DFORMAT format = D3DFMT_A8R8G8B8) {
    auto texture = std::make_unique<Texture>(w, h, 1, format);
    D3DLOCKED_RECT locked;
    EXPECT_EQ(texture->LockRect(0, &locked), D3D_OK);
    std::memcpy(locked.pBits, texels.data(), texels.size() * 4);
    texture->UnlockRect(0);
    return texture;
}

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;

TEST_F(GlTextureTest, TexelsMapToTheirQuadrants) {
    auto texture = MakeTexture(2, 2, {kRed, kGreen, kBlue, kWhite});
    device().SetTexture(0, texture.get());
    DrawFullSquare();
    const Image frame = Frame();
    ExpectPixel(frame, 16, 16, {255, 0, 0});
    ExpectPixel(frame, 48, 16, {0, 255, 0});
    ExpectPixel(frame, 16, 48, {0, 0, 255});
    ExpectPixel(frame, 48, 48, {255, 255, 255});
}

TEST_F(GlTextureTest, TheMaterialModulatesTheTexture) {
    auto texture = MakeTexture(1, 1, {kWhite});
    device().SetRenderState(D3DRS_LIGHTING, 1);
    D3DMATERIAL9 m;
    m.Emissive = {1, 0.5f, 0, 1};
    m.Diffuse = {0, 0, 0, 1};
    device().SetMaterial(m);
    device().SetTexture(0, texture.get());
    DrawFullSquare();
    ExpectPixel(Frame(), 32, 32, {255, 128, 0});
}

// Sprites and the score board are quads lit only by an emissive material
// whose diffuse alpha is 0: their alpha is the texture's own.
TEST_F(GlTextureTest, LitTexturedAlphaComesFromTheTexture) {
    auto texture = MakeTexture(2, 1, {0x80FFFFFF, 0xFFFF0000});
    device().Clear(D3DCLEAR_TARGET, D3DCOLOR_ARGB(255, 0, 0, 0), 1.0f);
    device().SetRenderState(D3DRS_LIGHTING, 1);
    D3DMATERIAL9 m{};
    m.Emissive = {1, 1, 1, 1};
    device().SetMaterial(m);
    device().SetTexture(0, texture.get());
    device().SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    device().SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device().SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    DrawFullSquare();
    const Image frame = Frame();
    ExpectPixel(frame, 16, 32, {128, 128, 128});
    ExpectPixel(frame, 48, 32, {255, 0, 0});
}

TEST_F(GlTextureTest, TransparentTexelsVanishWhenBlendingOrAlphaTesting) {
    auto texture = MakeTexture(2, 1, {kRed, 0x00FF00FF});  // right texel: alpha 0 (colour key)
    device().Clear(D3DCLEAR_TARGET, D3DCOLOR_ARGB(255, 0, 0, 255), 1.0f);
    device().SetTexture(0, texture.get());
    device().SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    device().SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device().SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    DrawFullSquare();
    Image frame = Frame();
    ExpectPixel(frame, 16, 32, {255, 0, 0});
    ExpectPixel(frame, 48, 32, {0, 0, 255});

    device().Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, D3DCOLOR_ARGB(255, 0, 0, 255), 1.0f);
    device().SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
    device().SetRenderState(D3DRS_ALPHATESTENABLE, 1);
    device().SetRenderState(D3DRS_ALPHAREF, 0x08);
    device().SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
    DrawFullSquare();
    frame = Frame();
    ExpectPixel(frame, 16, 32, {255, 0, 0});
    ExpectPixel(frame, 48, 32, {0, 0, 255});
}

TEST_F(GlTextureTest, OpaqueAndSixteenBitFormats) {
    // X8R8G8B8 ignores its alpha byte; A4R4G4B4 expands its nibbles.
    auto opaque = MakeTexture(1, 1, {0x0000FF00}, D3DFMT_X8R8G8B8);
    device().SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    device().SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device().SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device().SetTexture(0, opaque.get());
    DrawFullSquare();
    ExpectPixel(Frame(), 32, 32, {0, 255, 0});

    Texture packed(2, 1, 1, D3DFMT_A4R4G4B4);
    D3DLOCKED_RECT locked;
    ASSERT_EQ(packed.LockRect(0, &locked), D3D_OK);
    const uint16_t texels[2] = {0xF00F, 0x0F00};  // opaque blue, transparent red
    std::memcpy(locked.pBits, texels, sizeof texels);
    packed.UnlockRect(0);
    device().Clear(D3DCLEAR_TARGET, 0, 1.0f);
    device().SetTexture(0, &packed);
    DrawFullSquare();
    const Image frame = Frame();
    ExpectPixel(frame, 16, 32, {0, 0, 255});
    ExpectPixel(frame, 48, 32, {0, 0, 0});
}

TEST_F(GlTextureTest, UnlockingUploadsTheTextureAgain) {
    auto texture = MakeTexture(1, 1, {kRed});
    device().SetTexture(0, texture.get());
    DrawFullSquare();
    ExpectPixel(Frame(), 32, 32, {255, 0, 0});

    D3DLOCKED_RECT locked;
    ASSERT_EQ(texture->LockRect(0, &locked), D3D_OK);
    *static_cast<uint32_t*>(locked.pBits) = kGreen;
    texture->UnlockRect(0);
    device().Clear(D3DCLEAR_TARGET, 0, 1.0f);
    DrawFullSquare();
    ExpectPixel(Frame(), 32, 32, {0, 255, 0});
}

TEST_F(GlTextureTest, LinearFilteringBlendsNeighboursAndPointDoesNot) {
    auto texture = MakeTexture(2, 1, {0xFF000000, kWhite});
    device().SetTexture(0, texture.get());
    device().SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    DrawFullSquare();
    Image frame = Frame();
    EXPECT_TRUE(PixelAt(frame, 32, 32).r == 0 || PixelAt(frame, 32, 32).r == 255);

    device().SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    device().SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    DrawFullSquare();
    frame = Frame();
    ExpectPixel(frame, 32, 32, {128, 128, 128}, 8);
    ExpectPixel(frame, 2, 32, {0, 0, 0});
    ExpectPixel(frame, 61, 32, {255, 255, 255});
}

TEST_F(GlTextureTest, MipLevelsAreUsedWhenMinifyingWithAMipFilter) {
    Texture texture(8, 8, 0, D3DFMT_A8R8G8B8);
    const uint32_t colours[] = {kRed, kGreen, kBlue, kWhite};
    ASSERT_EQ(texture.GetLevelCount(), 4u);
    for (uint32_t level = 0; level < 4; ++level) {
        D3DLOCKED_RECT locked;
        ASSERT_EQ(texture.LockRect(level, &locked), D3D_OK);
        auto* texels = static_cast<uint32_t*>(locked.pBits);
        for (uint32_t i = 0; i < texture.Width(level) * texture.Height(level); ++i) texels[i] = colours[level];
        texture.UnlockRect(level);
    }
    device().SetTexture(0, &texture);
    // Eight texels over four pixels: level 1.
    DrawScreenQuad(-0.5f, -0.5f, 3.5f, 3.5f, kWhite);
    device().SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_POINT);
    DrawScreenQuad(9.5f, -0.5f, 13.5f, 3.5f, kWhite);
    const Image frame = Frame();
    ExpectPixel(frame, 1, 1, {255, 0, 0});
    ExpectPixel(frame, 11, 1, {0, 255, 0});
}

TEST_F(GlTextureTest, AQuadReadsItsMipLevelsOnlyWhereItShowsItsTextureMinified) {
    Texture texture(8, 8, 0, D3DFMT_X8R8G8B8);
    const uint32_t colours[] = {kRed, kGreen, kBlue, kWhite};
    for (uint32_t level = 0; level < texture.GetLevelCount(); ++level) {
        D3DLOCKED_RECT locked;
        ASSERT_EQ(texture.LockRect(level, &locked), D3D_OK);
        auto* texels = static_cast<uint32_t*>(locked.pBits);
        for (uint32_t i = 0; i < texture.Width(level) * texture.Height(level); ++i) texels[i] = colours[level];
        texture.UnlockRect(level);
    }
    TTextureEntry entry{};
    entry.texture = &texture;
    device().SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    device().SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    device().SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_POINT);
    auto draw = [&](float halfSize) {
        TMesh quad = CreateQuad(nullptr, 0, halfSize, halfSize, false);
        quad.textures[0] = &entry;
        quad.numTextures = 1;
        quad.quadTexture = 0;
        RenderMesh(&device(), quad);
    };
    draw(1.0f);  // eight texels over the whole frame: level 0
    ExpectPixel(Frame(), 32, 32, {255, 0, 0});
    device().Clear(D3DCLEAR_TARGET, 0, 1.0f);
    draw(0.0625f);  // eight texels over four pixels: level 1
    ExpectPixel(Frame(), 32, 32, {0, 255, 0});
    EXPECT_EQ(device().GetSamplerState(0, D3DSAMP_MIPFILTER), static_cast<uint32_t>(D3DTEXF_POINT));
}

}  // namespace
