// Every picture decodes through the game's texture loader at the size its
// user expects; backgrounds and surfaces tile; explosion frames work with
// the game's alpha fill.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>

#include "effects/explode.h"
#include "library_fixture.h"
#include "names.h"
#include "platform/image_decode.h"

namespace {

using contenttest::Entry;

DecodedImage Decode(const std::string& name) {
    const contentgen::Bytes& bytes = Entry(name);
    DecodedImage image;
    std::string error;
    EXPECT_TRUE(DecodeImage(bytes.data(), bytes.size(), image, &error)) << name << ": " << error;
    return image;
}

float Luma(uint32_t argb) {
    return (0.3f * ((argb >> 16) & 255) + 0.59f * ((argb >> 8) & 255) + 0.11f * (argb & 255)) / 255.0f;
}

int Channel(uint32_t argb, int shift) { return static_cast<int>((argb >> shift) & 255); }

int Difference(uint32_t a, uint32_t b) {
    return std::abs(Channel(a, 16) - Channel(b, 16)) + std::abs(Channel(a, 8) - Channel(b, 8)) +
           std::abs(Channel(a, 0) - Channel(b, 0));
}

// Mean colour step across the wrap (last column to first, or last row to
// first) against the mean step between neighbours inside the picture.
struct SeamSteps {
    double seam = 0, inside = 0;
};

SeamSteps HorizontalSeam(const DecodedImage& image) {
    SeamSteps s;
    const uint32_t w = image.width, h = image.height;
    for (uint32_t y = 0; y < h; ++y) {
        s.seam += Difference(image.argb[y * w + w - 1], image.argb[y * w]);
        for (uint32_t x = 0; x + 1 < w; ++x) s.inside += Difference(image.argb[y * w + x], image.argb[y * w + x + 1]);
    }
    s.seam /= h;
    s.inside /= static_cast<double>(h) * (w - 1);
    return s;
}

SeamSteps VerticalSeam(const DecodedImage& image) {
    SeamSteps s;
    const uint32_t w = image.width, h = image.height;
    for (uint32_t x = 0; x < w; ++x) {
        s.seam += Difference(image.argb[(h - 1) * w + x], image.argb[x]);
        for (uint32_t y = 0; y + 1 < h; ++y) s.inside += Difference(image.argb[y * w + x], image.argb[(y + 1) * w + x]);
    }
    s.seam /= w;
    s.inside /= static_cast<double>(w) * (h - 1);
    return s;
}

void ExpectSeamless(const SeamSteps& s, const std::string& what) {
    EXPECT_LE(s.seam, 2.0 * s.inside + 3.0) << what << " seam " << s.seam << " inside " << s.inside;
}

TEST(Pictures, EveryJpegDecodesIntoATexture) {
    for (const auto& [name, bytes] : contenttest::Library()) {
        if (name.size() < 4 || name.substr(name.size() - 4) != ".jpg") continue;
        DecodedImage image = Decode(name);
        EXPECT_EQ(image.container, "JPEG") << name;
        EXPECT_NE(D3DXCreateTextureFromFileInMemory(bytes.data(), bytes.size()), nullptr) << name;
    }
}

TEST(Pictures, RockSurfacesTileInBothDirections) {
    for (const std::string& file : content::kRockTextureNames) {
        DecodedImage image = Decode(content::TextureEntry(file));
        EXPECT_EQ(image.width, image.height) << file;
        ExpectSeamless(HorizontalSeam(image), file + " across");
        ExpectSeamless(VerticalSeam(image), file + " down");
    }
}

TEST(Pictures, BackgroundsTileAndStayDark) {
    std::vector<std::string> names = content::kBackgroundNames;
    names.push_back(content::kShardstormBackName);
    std::set<uint32_t> firstPixels;
    for (const std::string& name : names) {
        DecodedImage image = Decode(name);
        ExpectSeamless(HorizontalSeam(image), name + " across");
        ExpectSeamless(VerticalSeam(image), name + " down");
        double sum = 0;
        for (uint32_t p : image.argb) sum += Luma(p);
        EXPECT_LT(sum / image.argb.size(), 0.2) << name;
        firstPixels.insert(image.argb[image.width * (image.height / 2) + image.width / 3]);
    }
    EXPECT_GT(firstPixels.size(), names.size() / 2);  // different scenes
}

TEST(Pictures, TheStarfieldIsTwiceAsTallAsWideAndWrapsVertically) {
    DecodedImage image = Decode(content::kStarfieldName);
    EXPECT_EQ(image.height, 2 * image.width);
    ExpectSeamless(VerticalSeam(image), "starfield");
}

TEST(Pictures, CartridgePicturesFillTheLaunchersRectangle) {
    for (const std::string& name : content::kCartNames) {
        DecodedImage image = Decode(name);
        EXPECT_EQ(image.width, 466u) << name;
        EXPECT_EQ(image.height, 569u) << name;
    }
}

// A frame as the explosion sprite loads it, then with the game's alpha fill.
std::unique_ptr<Texture> FilledFrame(int frame) {
    const contentgen::Bytes& bytes = Entry(content::TextureEntry(content::ExplosionFrameName(frame)));
    std::unique_ptr<Texture> texture = D3DXCreateTextureFromFileInMemoryEx(bytes.data(), bytes.size(), 0xFF000000);
    if (texture) MakeSpriteAlpha(texture.get());
    return texture;
}

TEST(Explosions, FramesAreSmallBlackBackedBitmaps) {
    for (int frame = 1; frame <= content::kExplosionFrames; ++frame) {
        const contentgen::Bytes& bytes = Entry(content::TextureEntry(content::ExplosionFrameName(frame)));
        SDL_Surface* surface = SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
        ASSERT_NE(surface, nullptr) << SDL_GetError();
        EXPECT_LE(surface->w, 256);
        EXPECT_LE(surface->h, 256);
        EXPECT_EQ(surface->format->BitsPerPixel, 24);
        const auto* corner = static_cast<const uint8_t*>(surface->pixels);
        EXPECT_EQ(corner[0] + corner[1] + corner[2], 0) << "frame " << frame;
        SDL_FreeSurface(surface);
    }
}

TEST(Explosions, TheAlphaFillClearsTheBackgroundAndKeepsAFireballThatGrowsThenFades) {
    std::vector<int> shown;
    for (int frame = 1; frame <= content::kExplosionFrames; ++frame) {
        std::unique_ptr<Texture> texture = FilledFrame(frame);
        ASSERT_NE(texture, nullptr);
        const uint32_t w = texture->Width(), h = texture->Height();
        int clear = 0, visible = 0;
        for (uint32_t y = 0; y < h; ++y)
            for (uint32_t x = 0; x < w; ++x) {
                uint32_t alpha = texture->TexelArgb(0, x, y) >> 24;
                clear += alpha == 0;
                visible += alpha == 192;
            }
        EXPECT_EQ(texture->TexelArgb(0, 0, 0) >> 24, 0u);
        EXPECT_EQ(texture->TexelArgb(0, w - 1, h - 1) >> 24, 0u) << "the background surrounds frame " << frame;
        EXPECT_GT(clear, static_cast<int>(w * h / 4)) << "frame " << frame;
        shown.push_back(visible);
    }
    auto peak = std::max_element(shown.begin(), shown.end());
    EXPECT_GT(*peak, shown.front() * 2);
    EXPECT_GT(peak - shown.begin(), 2);  // it swells first
    EXPECT_LT(shown.back(), *peak / 4);  // and fades away
    EXPECT_GT(shown.front(), 0);
}

}  // namespace
