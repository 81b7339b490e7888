#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "gamelib/d3dcanvas.h"
#include "gamelib/font_face.h"
#include "gamelib/fontman.h"
#include "platform/message_box.h"
#include "platform/resources.h"

namespace {

TEST(Canvas, ColorRefToArgbSwapsRedAndBlue) {
    EXPECT_EQ(ColorRefToArgb(0x0000FF, 128), 0x80FF0000u);
    EXPECT_EQ(ColorRefToArgb(RGB(0x12, 0x34, 0x56), 0), 0x00123456u);
    EXPECT_EQ(ColorRefToArgb(0xFF000000 | RGB(1, 2, 3), 255), 0xFF010203u);  // GDI's top byte ignored
}

TEST(Canvas, FillTextureTouchesTheTopLeftOnly) {
    auto texture = CreateCanvasTexture(nullptr, 4, 4);
    EXPECT_EQ(texture->Format(), D3DFMT_A8R8G8B8);
    EXPECT_EQ(texture->GetLevelCount(), 1u);
    FillTexture(2, 3, 0x80102030, texture.get());
    EXPECT_EQ(texture->TexelArgb(0, 1, 2), 0x80102030u);
    EXPECT_EQ(texture->TexelArgb(0, 2, 0), 0u);
    EXPECT_EQ(texture->TexelArgb(0, 0, 3), 0u);
}

class CopyBitmapTest : public ::testing::TestWithParam<bool> {};

TEST_P(CopyBitmapTest, KeyedPixelsKeepTheTexelOthersTakeTheAlpha) {
    Bitmap bitmap(3, 2, 32, GetParam());
    bitmap.Pixels32(0)[0] = 0x0000FF;  // RGB(0, 0, 255): the key
    bitmap.Pixels32(0)[1] = 0x112233;
    bitmap.Pixels32(1)[0] = 0x445566;
    bitmap.Pixels32(1)[2] = 0x0000FF;
    auto texture = CreateCanvasTexture(nullptr, 4, 4);
    FillTexture(4, 4, 0x80ABCDEF, texture.get());
    ASSERT_TRUE(CopyBitmapToTexture(&bitmap, RGB(0, 0, 255), 255, 3, 2, texture.get()));
    EXPECT_EQ(texture->TexelArgb(0, 0, 0), 0x80ABCDEFu);
    EXPECT_EQ(texture->TexelArgb(0, 1, 0), 0xFF112233u);
    EXPECT_EQ(texture->TexelArgb(0, 0, 1), 0xFF445566u);  // rows read top to bottom
    EXPECT_EQ(texture->TexelArgb(0, 2, 1), 0x80ABCDEFu);
    EXPECT_EQ(texture->TexelArgb(0, 1, 1), 0xFF000000u);
    EXPECT_EQ(texture->TexelArgb(0, 3, 0), 0x80ABCDEFu);  // outside w x h
}

INSTANTIATE_TEST_SUITE_P(TopDownAndBottomUp, CopyBitmapTest, ::testing::Bool());

TEST(Canvas, CopyRefusesBadSizesAndDepths) {
    auto texture = CreateCanvasTexture(nullptr, 4, 4);
    FillTexture(4, 4, 0x11111111, texture.get());
    Bitmap bitmap(2, 2);
    EXPECT_FALSE(CopyBitmapToTexture(nullptr, 0, 255, 1, 1, texture.get()));
    EXPECT_FALSE(CopyBitmapToTexture(&bitmap, 0x123456, 255, 3, 1, texture.get()));
    EXPECT_FALSE(CopyBitmapToTexture(&bitmap, 0x123456, 255, 1, 0, texture.get()));
    Bitmap deep(2, 2, 24);
    EXPECT_FALSE(CopyBitmapToTexture(&deep, 0x123456, 255, 2, 2, texture.get()));
    EXPECT_EQ(texture->TexelArgb(0, 0, 0), 0x11111111u);
}

TEST(FontFaces, ClassicNamesResolveToMetricCompatibleFaces) {
    FontFace* serif = FontFace::Get("Times New Roman", false, false);
    FontFace* mono = FontFace::Get("Courier New", false, false);
    FontFace* bold = FontFace::Get("Courier New", true, false);
    ASSERT_TRUE(serif && mono && bold);
    EXPECT_NE(serif->Source().find("LiberationSerif-Regular"), std::string::npos);
    EXPECT_NE(mono->Source().find("LiberationMono-Regular"), std::string::npos);
    EXPECT_NE(bold->Source().find("LiberationMono-Bold"), std::string::npos);
}

// No library open and fontconfig configured without any font: nothing is
// found, and the player hears of it once, with the family named.
TEST(FontFaces, WithNoFaceAnywhereThePlayerIsToldOnce) {
    const std::string config = ::testing::TempDir() + "rockpile-no-fonts.conf";
    std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
    const char* before = getenv("FONTCONFIG_FILE");
    const std::optional<std::string> saved = before ? std::optional<std::string>(before) : std::nullopt;
    setenv("FONTCONFIG_FILE", config.c_str(), 1);
    FcInitReinitialize();
    SetBatchMode(true);
    std::vector<std::string> told;
    SetMessageObserver([&](const std::string& text, const std::string&) { told.push_back(text); });
    // A style no other test asks for, so nothing of it is cached.
    EXPECT_EQ(FontFace::Get("Courier New", false, true), nullptr);
    EXPECT_EQ(FontFace::Get("Courier New", false, true), nullptr);
    EXPECT_EQ(FontFace::Get("Times New Roman", true, true), nullptr);
    SetMessageObserver(nullptr);
    if (saved)
        setenv("FONTCONFIG_FILE", saved->c_str(), 1);
    else
        unsetenv("FONTCONFIG_FILE");
    FcInitReinitialize();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("\"Courier New italic\""), std::string::npos) << told[0];
    EXPECT_NE(told[0].find("will be missing"), std::string::npos) << told[0];
}

// Columns holding a pixel other than the background.
std::pair<int, int> InkedColumns(const Bitmap& bitmap, uint32_t background) {
    int left = bitmap.width, right = -1;
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = 0; x < bitmap.width; ++x)
            if (bitmap.Pixels32(y)[x] != background) left = std::min(left, x), right = std::max(right, x);
    return {left, right};
}

TEST(Canvas, TextUsesTheSelectedFontAndCentres) {
    TCanvas canvas(400, 80);
    canvas.Clear(RGB(0, 0, 64));
    CanvasText(canvas, 2 | FONT_CENTER_X, 400, 10, RGB(255, 255, 0), "HIGH SCORES");
    EXPECT_EQ(canvas.fontName, "Courier New");
    EXPECT_EQ(canvas.fontHeight, 32);
    EXPECT_EQ(canvas.fontColor, RGB(255, 255, 0));
    auto [left, right] = InkedColumns(canvas.bitmap, 0x000040);
    ASSERT_LT(left, right);
    EXPECT_NEAR((left + right) / 2.0, 200.0, 6.0);
    bool yellow = false;
    for (int y = 0; y < 80 && !yellow; ++y)
        for (int x = 0; x < 400; ++x) yellow |= canvas.bitmap.Pixels32(y)[x] == 0xFFFF00;
    EXPECT_TRUE(yellow);

    CanvasText(canvas, 9, 0, 0, 0, "kept");  // unknown selector keeps the font
    EXPECT_EQ(canvas.fontHeight, 32);
}

TEST(Canvas, Utf8TextRendersItsOwnGlyphs) {
    TCanvas ascii(200, 40), accented(200, 40);
    CanvasText(ascii, 0, 5, 5, RGB(255, 255, 255), "Zoe");
    CanvasText(accented, 0, 5, 5, RGB(255, 255, 255), "Zoë");
    EXPECT_EQ(accented.TextWidth("Zoë"), ascii.TextWidth("Zoe"));  // one glyph each, not two
    EXPECT_NE(accented.bitmap.bits, ascii.bitmap.bits);            // but a different one
    EXPECT_GT(accented.TextWidth("Ωмега"), 0);
}

TEST(Canvas, CanvasTextFFormats) {
    TCanvas a(200, 40), b(200, 40);
    CanvasTextF(a, 1, 0, 0, RGB(255, 255, 255), "%05d", 420);
    CanvasText(b, 1, 0, 0, RGB(255, 255, 255), "00420");
    EXPECT_EQ(a.bitmap.bits, b.bitmap.bits);
}

}  // namespace
