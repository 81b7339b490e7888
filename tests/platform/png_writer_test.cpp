#include <gtest/gtest.h>

#include <stb/stb_image.h>

#include <filesystem>

#include "platform/files.h"
#include "platform/png_writer.h"
#include "scratch_folder.h"

namespace {

using PngWriterTest = ScratchFolderTest;

Image Gradient(int width, int height) {
    Image image;
    image.width = width;
    image.height = height;
    for (int i = 0; i < width * height; ++i)
        for (uint8_t c : {uint8_t(i * 7), uint8_t(255 - i), uint8_t(i * 31), uint8_t(200)}) image.rgba.push_back(c);
    return image;
}

TEST_F(PngWriterTest, ThePictureReadsBackPixelForPixel) {
    const Image image = Gradient(5, 3);
    const std::string path = JoinPosix(dir_, "shot.png");
    ASSERT_TRUE(WritePng(image, path));
    auto bytes = ReadWholeFile(path);
    ASSERT_TRUE(bytes);
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes->data()), int(bytes->size()),
                                            &width, &height, &channels, 4);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(width, 5);
    EXPECT_EQ(height, 3);
    EXPECT_EQ(std::vector<uint8_t>(pixels, pixels + image.rgba.size()), image.rgba);
    stbi_image_free(pixels);
}

TEST_F(PngWriterTest, AFailedWriteLeavesNothingHalfWritten) {
    EXPECT_FALSE(WritePng(Image{}, JoinPosix(dir_, "empty.png")));
    EXPECT_FALSE(WritePng(Gradient(2, 2), JoinPosix(dir_, "missing/shot.png")));
    const std::string path = JoinPosix(dir_, "shot.png");
    ASSERT_TRUE(WritePng(Gradient(4, 4), path));
    const auto before = ReadWholeFile(path);
    Image damaged = Gradient(4, 4);
    damaged.rgba.pop_back();  // not width * height pixels
    EXPECT_FALSE(WritePng(damaged, path));
    EXPECT_EQ(ReadWholeFile(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

}  // namespace
