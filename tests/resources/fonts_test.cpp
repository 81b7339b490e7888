#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "gamelib/d3dfont.h"
#include "gamelib/fontman.h"
#include "platform/device.h"

namespace {

GlyphMetrics Uniform(int width, int height, int spacing) {
    GlyphMetrics m;
    m.widths.fill(width);
    m.height = height;
    m.spacing = spacing;
    return m;
}

TEST(GlyphLayout, SmallSetKeeps128) {
    GlyphMetrics m = Uniform(6, 8, 3);
    EXPECT_EQ(AtlasSizeFor(m), 128);
    std::array<GlyphPlace, GLYPH_COUNT> places;
    ASSERT_TRUE(LayoutGlyphs(m, 128, 128, &places));
    EXPECT_EQ(places[0].x, 3);
    EXPECT_EQ(places[1].x, 15);      // w + 2 spacing further
    EXPECT_EQ(places[10].x, 3);      // ten per row: 3 + 12 * 10 + 6 + 3 > 128
    EXPECT_EQ(places[10].y, 9);      // next row: height + 1
}

TEST(GlyphLayout, ThreeHundredTexelsOfRowsDoubleTo512) {
    GlyphMetrics m = Uniform(20, 29, 9);  // six glyphs per 256-texel row: 16 rows of 30
    EXPECT_FALSE(LayoutGlyphs(m, 256, 256, nullptr));
    EXPECT_EQ(AtlasSizeFor(m), 512);
    EXPECT_EQ(AtlasSizeFor(Uniform(20000, 10, 1)), 0);  // wider than any atlas
}

// Records every DrawPrimitiveUP batch and the state it was drawn with.
class BatchDevice : public NullDevice {
public:
    using NullDevice::NullDevice;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, uint32_t count, const void* data, uint32_t stride,
                            uint32_t fvf) override {
        EXPECT_EQ(type, D3DPT_TRIANGLELIST);
        EXPECT_EQ(stride, 28u);
        EXPECT_EQ(fvf, FVF_SCREEN);
        batches.push_back(count);
        const auto* v = static_cast<const ScreenVertex*>(data);
        vertices.insert(vertices.end(), v, v + count * 3);
        textureDuringDraw = GetTexture(0);
        zDuringDraw = GetRenderState(D3DRS_ZENABLE);
        minFilterDuringDraw = GetSamplerState(0, D3DSAMP_MINFILTER);
        return NullDevice::DrawPrimitiveUP(type, count, data, stride, fvf);
    }
    std::vector<uint32_t> batches;
    std::vector<ScreenVertex> vertices;
    Texture* textureDuringDraw = nullptr;
    uint32_t zDuringDraw = 99, minFilterDuringDraw = 99;
};

class ScreenFontTest : public ::testing::Test {
protected:
    void SetUp() override {
        font.logPixelsY = 96;
        ASSERT_EQ(font.CreateAtlas(&device), D3D_OK);
        ASSERT_EQ(font.CreateDrawResources(), D3D_OK);
    }
    float MinX() const {
        float x = 1e9f;
        for (const ScreenVertex& v : device.vertices) x = std::min(x, v.x);
        return x;
    }
    float MaxX() const {
        float x = -1e9f;
        for (const ScreenVertex& v : device.vertices) x = std::max(x, v.x);
        return x;
    }
    BatchDevice device;
    CD3DFont font{"Courier New", 16};
};

TEST_F(ScreenFontTest, AtlasHoldsWhiteGlyphsWithFourBitCoverage) {
    ASSERT_NE(font.texture, nullptr);
    EXPECT_EQ(font.texture->Format(), D3DFMT_A4R4G4B4);
    EXPECT_GT(font.texWidth, 128);  // 21-pixel glyphs with their spacing do not fit 128
    EXPECT_EQ(font.texWidth & (font.texWidth - 1), 0);
    EXPECT_EQ(font.texHeight, font.texWidth);
    EXPECT_FLOAT_EQ(font.textScale, 1.0f);
    int lit = 0;
    for (int y = 0; y < font.texHeight; ++y)
        for (int x = 0; x < font.texWidth; ++x) {
            uint16_t t;
            std::memcpy(&t, font.texture->Bits() + (size_t(y) * font.texWidth + x) * 2, 2);
            EXPECT_TRUE(t == 0 || (t & 0x0FFF) == 0x0FFF);
            lit += t != 0;
        }
    EXPECT_GT(lit, 500);
    EXPECT_EQ(font.spacing, (font.MeasureText("").cy * 3 + 9) / 10);  // ceil(0.3 x line height)
    const float* a = font.texCoords['A' - 32];
    EXPECT_LT(a[0], a[2]);
    EXPECT_LT(a[1], a[3]);
}

TEST_F(ScreenFontTest, AtlasShrinksToTheDevicesMaximumWidth) {
    class SmallDevice : public NullDevice {
        uint32_t MaxTextureWidth() const override { return 128; }
    } small;
    CD3DFont big("Courier New", 16);
    big.logPixelsY = 96;
    ASSERT_EQ(big.CreateAtlas(&small), D3D_OK);
    EXPECT_EQ(big.texWidth, 128);
    EXPECT_LT(big.textScale, 0.5f + 1e-6f);
}

TEST_F(ScreenFontTest, MeasureText) {
    TextSize empty = font.MeasureText("");
    EXPECT_EQ(empty.cx, 0);
    EXPECT_GT(empty.cy, 0);
    TextSize one = font.MeasureText("abc");
    EXPECT_EQ(one.cy, empty.cy);
    EXPECT_GT(one.cx, 0);
    TextSize two = font.MeasureText("ab\nabcdef");
    EXPECT_EQ(two.cy, 2 * empty.cy);
    EXPECT_EQ(two.cx, font.MeasureText("abcdef").cx);
    EXPECT_EQ(font.MeasureText("ab\x01\xC3").cx, font.MeasureText("ab").cx);  // outside 32..126 skipped
    // Courier is monospaced: width grows by one advance per character.
    EXPECT_EQ(font.MeasureText("abcdef").cx, 2 * font.MeasureText("abc").cx);
}

TEST_F(ScreenFontTest, AStringOfAnyLengthIsOneDraw) {
    std::string text(60, 'W');
    ASSERT_EQ(font.RenderText(10, 20, 0xFFFFFFFF, text.c_str(), 0), D3D_OK);
    EXPECT_EQ(device.batches, (std::vector<uint32_t>{120}));
    device.batches.clear();
    font.RenderText(10, 20, 0xFFFFFFFF, "   ", 0);
    EXPECT_TRUE(device.batches.empty());  // nothing to show, no draw
}

TEST_F(ScreenFontTest, BatchedStringsWaitForTheEndAndShareADrawWhileTheFilterStays) {
    Texture other(1, 1, 1, D3DFMT_A8R8G8B8);
    device.SetTexture(0, &other);
    font.BeginBatch();
    font.RenderText(0, 0, 0xFF0000FF, "ab", 0);
    font.RenderText(0, 40, 0xFF00FF00, "c", 0);
    EXPECT_TRUE(device.batches.empty());
    EXPECT_EQ(device.GetTexture(0), &other);  // the caller's state while text waits
    font.RenderText(0, 80, 0xFFFF0000, "d", TEXT_FILTERED);
    EXPECT_EQ(device.batches, (std::vector<uint32_t>{6}));  // the filter changed: the first two went out
    EXPECT_EQ(device.minFilterDuringDraw, uint32_t(D3DTEXF_POINT));
    font.RenderText(0, 120, 0xFFFF0000, "e", TEXT_FILTERED);
    font.EndBatch();
    EXPECT_EQ(device.batches, (std::vector<uint32_t>{6, 4}));
    EXPECT_EQ(device.minFilterDuringDraw, uint32_t(D3DTEXF_LINEAR));
    ASSERT_EQ(device.vertices.size(), 30u);
    EXPECT_EQ(device.vertices[0].color, 0xFF0000FFu);
    EXPECT_EQ(device.vertices[12].color, 0xFF00FF00u);  // in the order rendered
    EXPECT_EQ(device.GetTexture(0), &other);
    font.RenderText(0, 0, 0xFFFFFFFF, "f", 0);
    EXPECT_EQ(device.batches.size(), 3u);  // after the batch, each string draws at once
}

TEST_F(ScreenFontTest, SpacesAndNewlinesMoveWithoutDrawing) {
    font.RenderText(100, 50, 0xFF00FF00, "a b\nc", 0);
    ASSERT_EQ(device.batches, (std::vector<uint32_t>{6}));
    for (const ScreenVertex& v : device.vertices) {
        EXPECT_EQ(v.color, 0xFF00FF00u);
        EXPECT_FLOAT_EQ(v.z, 0.9f);
        EXPECT_FLOAT_EQ(v.rhw, 1.0f);
    }
    float lineHeight = float(font.MeasureText("").cy);
    EXPECT_FLOAT_EQ(device.vertices[1].y, 50 - 0.5f);                // 'a' top
    EXPECT_FLOAT_EQ(device.vertices[13].y, 50 + lineHeight - 0.5f);  // 'c' top, next line
    EXPECT_FLOAT_EQ(device.vertices[12].x, device.vertices[0].x);    // 'c' back at the start
    EXPECT_FLOAT_EQ(device.vertices[0].x, 100 - font.spacing - 0.5f);
}

TEST_F(ScreenFontTest, StateIsSwitchedForTheDrawAndRestoredAfter) {
    Texture other(1, 1, 1, D3DFMT_A8R8G8B8);
    device.SetTexture(0, &other);
    device.SetRenderState(D3DRS_ZENABLE, 1);
    font.RenderText(0, 0, 0xFFFFFFFF, "x", TEXT_FILTERED);
    EXPECT_EQ(device.textureDuringDraw, font.texture.get());
    EXPECT_EQ(device.zDuringDraw, 0u);
    EXPECT_EQ(device.minFilterDuringDraw, uint32_t(D3DTEXF_LINEAR));
    EXPECT_EQ(device.GetTexture(0), &other);
    EXPECT_EQ(device.GetRenderState(D3DRS_ZENABLE), 1u);
    EXPECT_EQ(device.GetSamplerState(0, D3DSAMP_MINFILTER), uint32_t(D3DTEXF_POINT));
}

TEST_F(ScreenFontTest, CentringUsesTheFirstLine) {
    font.RenderText(0, 0, 0xFFFFFFFF, "MMMM\nMMMMMMMMMMMM", TEXT_CENTER_X | TEXT_CENTER_Y);
    float left = 1e9f, right = -1e9f;
    for (size_t i = 0; i < 24; ++i) {  // the first line's four glyphs
        left = std::min(left, device.vertices[i].x);
        right = std::max(right, device.vertices[i].x);
    }
    EXPECT_NEAR((left + right) / 2, 400.0f, font.spacing + 1.0f);
    float lineHeight = float(font.MeasureText("").cy);
    EXPECT_FLOAT_EQ(device.vertices[1].y, (600 - lineHeight) / 2 - 0.5f);
}

TEST_F(ScreenFontTest, WithoutDrawResourcesNothingIsDrawn) {
    font.ReleaseDrawResources();
    EXPECT_TRUE(FAILED(font.RenderText(0, 0, 0, "abc", 0)));
    EXPECT_TRUE(device.batches.empty());
}

TEST(FontManager, ThreeFontsScaledToTheScreen) {
    BatchDevice device(1600, 1200);
    SetupFonts(&device, 800, 600, 1600, 1200);
    ASSERT_NE(ScreenFont(0), nullptr);
    EXPECT_EQ(ScreenFont(0)->fontHeight, 32);
    EXPECT_STREQ(ScreenFont(0)->fontName, "Times New Roman");
    EXPECT_EQ(ScreenFont(1)->fontHeight, 64);
    EXPECT_EQ(ScreenFont(2 | FONT_CENTER_X)->fontHeight, 48);
    EXPECT_EQ(ScreenFont(3), nullptr);

    DrawScreenText(3, 10, 10, 0xFFFFFFFF, "nothing");
    EXPECT_TRUE(device.batches.empty());
    DrawScreenTextF(0, 100, 50, 0xFFFFFFFF, "%d", 7);
    ASSERT_EQ(device.batches.size(), 1u);
    EXPECT_FLOAT_EQ(device.vertices[1].y, 100 - 0.5f);  // 50 x 1200 / 600
    device.vertices.clear();
    DrawScreenText(1 | FONT_CENTER_X, 0, 0, 0xFFFFFFFF, "WAVE");
    float left = device.vertices[0].x + 0.5f + ScreenFont(1)->spacing;
    EXPECT_FLOAT_EQ(left, float((1600 - ScreenFont(1)->MeasureText("WAVE").cx) / 2));
    device.batches.clear();
    {
        ScreenTextBatch batch(0);
        DrawScreenText(0, 10, 10, 0xFFFFFFFF, "Score");
        DrawScreenText(0, 10, 30, 0xFFFFFFFF, "Wave");
        EXPECT_TRUE(device.batches.empty());
    }
    EXPECT_EQ(device.batches, (std::vector<uint32_t>{18}));
    { ScreenTextBatch none(7); }  // no such font: nothing happens
    ReleaseFonts();
    EXPECT_EQ(ScreenFont(0), nullptr);
}

}  // namespace
