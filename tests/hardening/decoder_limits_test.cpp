// Picture headers that promise more than a file holds, or pictures far
// larger than any texture, are refused before anything is allocated for
// them (found by fuzzing: a 40-byte BMP claiming 33,554,437 x 2 texels, and
// one with an unknown header size, made the decoder allocate without bound).
#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <algorithm>
#include <vector>

#include "platform/image_decode.h"

namespace {

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

// An uncompressed 24-bit BMP of `width` x `height` with `pixelBytes` bytes of pixels.
std::vector<uint8_t> Bmp(int32_t width, int32_t height, size_t pixelBytes, uint32_t compression = 0) {
    std::vector<uint8_t> b(54 + pixelBytes, 0);
    b[0] = 'B', b[1] = 'M';
    Put32(b, 2, uint32_t(b.size()));
    Put32(b, 10, 54);
    Put32(b, 14, 40);
    Put32(b, 18, uint32_t(width));
    Put32(b, 22, uint32_t(height));
    b[26] = 1;
    b[28] = compression == 1 ? 8 : 24;
    Put32(b, 30, compression);
    return b;
}

std::string Refusal(const std::vector<uint8_t>& bytes) {
    DecodedImage image;
    std::string error;
    EXPECT_FALSE(DecodeImage(bytes.data(), bytes.size(), image, &error));
    return error;
}

TEST(DecoderLimits, BmpSizesBeyondTheLimitsAreRefused) {
    EXPECT_NE(Refusal(Bmp(33554437, 2, 16, 1)).find("33554437 x 2 is not accepted"), std::string::npos);
    EXPECT_NE(Refusal(Bmp(16385, 1, 16385 * 3 + 1)).find("not accepted"), std::string::npos);
    EXPECT_NE(Refusal(Bmp(4097, -4096, 16)).find("not accepted"), std::string::npos);
    EXPECT_NE(Refusal(Bmp(0, 4, 16)).find("not accepted"), std::string::npos);
}

TEST(DecoderLimits, BmpRowsMustBeInTheFile) {
    const size_t rows = 2 * 12;  // two rows of 3 texels, padded to 12 bytes each
    EXPECT_NE(Refusal(Bmp(3, 2, rows - 1)).find("cut short"), std::string::npos);
    DecodedImage image;
    const auto whole = Bmp(3, 2, rows);
    ASSERT_TRUE(DecodeImage(whole.data(), whole.size(), image));
    EXPECT_EQ(image.width, 3u);
    EXPECT_EQ(image.height, 2u);
}

// Two bytes of run-length code fill at most 255 texels: a picture larger
// than its bytes can fill made the decoder allocate and fill megabytes for
// a file of a few dozen bytes.
TEST(DecoderLimits, RunLengthPicturesMustBeFillableByTheirBytes) {
    EXPECT_NE(Refusal(Bmp(4096, 4096, 16, 1)).find("4096 x 4096 is more than its 16 bytes of pixels can fill"),
              std::string::npos);
    EXPECT_NE(Refusal(Bmp(129, 1, 1, 1)).find("can fill"), std::string::npos);
    std::vector<uint8_t> fillable = Bmp(128, 1, 1, 1);
    DecodedImage image;
    std::string error;
    DecodeImage(fillable.data(), fillable.size(), image, &error);
    EXPECT_EQ(error.find("can fill"), std::string::npos) << error;
    // Uncompressed pictures are bounded by their rows instead.
    EXPECT_EQ(Refusal(Bmp(129, 1, 1)).find("can fill"), std::string::npos);
}

TEST(DecoderLimits, BmpWithAnUnknownHeaderIsRefused) {
    auto bytes = Bmp(2, 2, 16);
    Put32(bytes, 14, 0xE0FFD8FF);
    EXPECT_NE(Refusal(bytes).find("unknown header"), std::string::npos);
}

TEST(DecoderLimits, JpegSizesBeyondTheLimitsAreRefused) {
    tjhandle tj = tjInitCompress();
    std::vector<uint8_t> pixels(8 * 8 * 3, 128);
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    ASSERT_EQ(tjCompress2(tj, pixels.data(), 8, 0, 8, TJPF_RGB, &jpeg, &size, TJSAMP_444, 80, 0), 0);
    std::vector<uint8_t> bytes(jpeg, jpeg + size);
    tjFree(jpeg);
    tjDestroy(tj);

    DecodedImage image;
    ASSERT_TRUE(DecodeImage(bytes.data(), bytes.size(), image));
    // The frame header (SOF0) holds the height and width, big-endian.
    const uint8_t sof[] = {0xFF, 0xC0};
    auto at = std::search(bytes.begin(), bytes.end(), std::begin(sof), std::end(sof)) - bytes.begin();
    ASSERT_LT(size_t(at), bytes.size());
    bytes[at + 5] = 0x4E, bytes[at + 6] = 0x20;  // 20,000 rows
    bytes[at + 7] = 0x4E, bytes[at + 8] = 0x20;  // 20,000 columns
    EXPECT_NE(Refusal(bytes).find("20000 x 20000 is not accepted"), std::string::npos);
}

}  // namespace
