// Frames that start alike (the same clear, then the same draw that neither
// tests nor writes depth) start from a copy of that draw's pixels once two
// in a row started so: the same picture, and never a stale one.
#include <cstring>

#include "gl_fixture.h"

namespace {

constexpr D3DCOLOR kBlue = 0xFF0000FF, kBlack = 0xFF000000, kWhite = 0xFFFFFFFF;

class GlBackdropTest : public GlDeviceTest {
protected:
    void SetUp() override {
        GlDeviceTest::SetUp();
        UseOrthoCamera();
        device().SetRenderState(D3DRS_LIGHTING, 0);
        device().SetRenderState(D3DRS_ZENABLE, 0);
        device().SetRenderState(D3DRS_ZWRITEENABLE, 0);
        square_ = Square(0.5f);  // pixels 16 to 47 each way
    }
    static void Fill(Texture& texture, uint32_t argb) {
        D3DLOCKED_RECT locked;
        ASSERT_EQ(texture.LockRect(0, &locked), D3D_OK);
        std::memcpy(locked.pBits, &argb, sizeof argb);
        texture.UnlockRect(0);
    }
    // The clear, the backdrop (the square with `texture`), then a small quad
    // over the corner.
    Image DrawFrame(D3DCOLOR clear, Texture& texture) {
        device().Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, clear, 1.0f);
        device().SetTexture(0, &texture);
        EXPECT_EQ(device().DrawPrimitive(D3DPT_TRIANGLELIST, *square_, 0, 2), D3D_OK);
        device().SetTexture(0, nullptr);
        DrawScreenQuad(0, 0, 8, 8, kWhite);
        return Frame();
    }
    uint64_t Copies() const { return device_->Stats().backdropsCopied; }

    std::unique_ptr<VertexBuffer> square_;
    Texture picture_{1, 1, 1, D3DFMT_X8R8G8B8};
};

TEST_F(GlBackdropTest, AfterTwoFramesStartingAlikeTheNextCopiesTheirBackdrop) {
    Fill(picture_, 0xFFFF0000);
    const uint64_t copies = Copies();
    const Image first = DrawFrame(kBlue, picture_);
    DrawFrame(kBlue, picture_);
    EXPECT_EQ(Copies(), copies);  // drawn twice, kept after the second
    const Image third = DrawFrame(kBlue, picture_);
    EXPECT_EQ(Copies(), copies + 1);
    EXPECT_EQ(first.rgba, third.rgba);
    ExpectPixel(third, 32, 32, {255, 0, 0});      // the backdrop
    ExpectPixel(third, 4, 40, {0, 0, 255});       // the clear around it
    ExpectPixel(third, 4, 4, {255, 255, 255});  // what came after it
}

TEST_F(GlBackdropTest, AChangedTextureClearOrPlaceIsDrawnAgain) {
    Fill(picture_, 0xFFFF0000);
    DrawFrame(kBlue, picture_);
    DrawFrame(kBlue, picture_);
    const uint64_t copies = Copies();

    Fill(picture_, 0xFF00FF00);
    ExpectPixel(DrawFrame(kBlue, picture_), 32, 32, {0, 255, 0});
    const Image otherClear = DrawFrame(kBlack, picture_);
    ExpectPixel(otherClear, 4, 40, {0, 0, 0});
    ExpectPixel(otherClear, 32, 32, {0, 255, 0});
    device().SetTransform(D3DTS_WORLD, D3DXMatrixTranslation(0.5f, 0, 0));
    const Image moved = DrawFrame(kBlack, picture_);
    ExpectPixel(moved, 20, 32, {0, 0, 0});
    ExpectPixel(moved, 52, 32, {0, 255, 0});
    EXPECT_EQ(Copies(), copies);
}

TEST_F(GlBackdropTest, ADrawThatTestsOrWritesDepthIsNeverKept) {
    Fill(picture_, 0xFFFF0000);
    const uint64_t copies = Copies();
    device().SetRenderState(D3DRS_ZWRITEENABLE, 1);
    DrawFrame(kBlue, picture_);
    DrawFrame(kBlue, picture_);
    device().SetRenderState(D3DRS_ZWRITEENABLE, 0);
    device().SetRenderState(D3DRS_ZENABLE, 1);
    DrawFrame(kBlue, picture_);
    ExpectPixel(DrawFrame(kBlue, picture_), 32, 32, {255, 0, 0});
    EXPECT_EQ(Copies(), copies);
}

}  // namespace
