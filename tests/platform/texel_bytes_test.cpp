#include "platform/texel_bytes.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/resources.h"

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> values) { return {values.begin(), values.end()}; }

TEST(TexelBytes, BgraBytesBecomeRgbaAndOpaqueForcesAlpha) {
    const auto bgra = Bytes({0x10, 0x20, 0x30, 0x40, 0xff, 0x00, 0x80, 0x00});
    EXPECT_EQ(RgbaFromBgra(bgra.data(), 2, false), Bytes({0x30, 0x20, 0x10, 0x40, 0x80, 0x00, 0xff, 0x00}));
    EXPECT_EQ(RgbaFromBgra(bgra.data(), 2, true), Bytes({0x30, 0x20, 0x10, 0xff, 0x80, 0x00, 0xff, 0xff}));
    EXPECT_TRUE(RgbaFromBgra(bgra.data(), 0, false).empty());
}

TEST(TexelBytes, EachColourFormatComesOutAsRgbaOfItsLevelSize) {
    Texture argb(2, 1, 1, D3DFMT_A8R8G8B8);
    const uint32_t argbWords[2] = {0x80112233, 0x00ffffff};
    std::memcpy(argb.OverwrittenBits(0), argbWords, sizeof(argbWords));
    EXPECT_EQ(RgbaTexels(argb, 0), Bytes({0x11, 0x22, 0x33, 0x80, 0xff, 0xff, 0xff, 0x00}));

    // The unused byte of X8R8G8B8 never reaches alpha.
    Texture xrgb(1, 1, 1, D3DFMT_X8R8G8B8);
    const uint32_t xrgbWord = 0x00405060;
    std::memcpy(xrgb.OverwrittenBits(0), &xrgbWord, 4);
    EXPECT_EQ(RgbaTexels(xrgb, 0), Bytes({0x40, 0x50, 0x60, 0xff}));

    // Four-bit channels widen so that 0 stays 0 and 15 becomes 255.
    Texture packed(2, 1, 1, D3DFMT_A4R4G4B4);
    const uint16_t packedWords[2] = {0xF08C, 0x0F00};
    std::memcpy(packed.OverwrittenBits(0), packedWords, sizeof(packedWords));
    EXPECT_EQ(RgbaTexels(packed, 0), Bytes({0x00, 0x88, 0xcc, 0xff, 0xff, 0x00, 0x00, 0x00}));
}

TEST(TexelBytes, MipLevelsAreConvertedAtTheirOwnSize) {
    Texture texture(4, 2, 2, D3DFMT_A8R8G8B8);
    std::vector<uint32_t> level1(2, 0xff0000ff);
    std::memcpy(texture.OverwrittenBits(1), level1.data(), level1.size() * 4);
    EXPECT_EQ(RgbaTexels(texture, 0).size(), 4u * 2 * 4);
    EXPECT_EQ(RgbaTexels(texture, 1), Bytes({0x00, 0x00, 0xff, 0xff, 0x00, 0x00, 0xff, 0xff}));
}

}  // namespace
