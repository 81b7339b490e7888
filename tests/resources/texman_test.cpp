#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "gamelib/texman.h"
#include "platform/crt_rand.h"
#include "platform/image_decode.h"
#include "resource_fixtures.h"

namespace {

// Left half black, right half grey 0x204060 (r, g, b).
const std::string kPicture = MakeBmp(4, 2, [](int x, int) { return x < 2 ? 0x000000u : 0x204060u; });

TEST(ImageDecode, PlainLoaderBuildsTheMipChain) {
    auto texture = D3DXCreateTextureFromFileInMemory(kPicture.data(), kPicture.size());
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->Format(), D3DFMT_X8R8G8B8);
    EXPECT_EQ(texture->GetLevelCount(), 3u);  // 4x2, 2x1, 1x1
    EXPECT_EQ(texture->TexelArgb(0, 3, 1), 0xFF204060u);
    EXPECT_EQ(texture->TexelArgb(1, 0, 0) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(texture->TexelArgb(1, 1, 0) & 0xFFFFFF, 0x204060u);
}

TEST(ImageDecode, ExtendedLoaderKeysExactMatchesOnly) {
    auto keyed = D3DXCreateTextureFromFileInMemoryEx(kPicture.data(), kPicture.size(), 0xFF000000);
    ASSERT_NE(keyed, nullptr);
    EXPECT_EQ(keyed->Format(), D3DFMT_A8R8G8B8);
    EXPECT_EQ(keyed->GetLevelCount(), 1u);
    EXPECT_EQ(keyed->TexelArgb(0, 0, 0), 0x00000000u);
    EXPECT_EQ(keyed->TexelArgb(0, 3, 0), 0xFF204060u);
    auto unkeyed = D3DXCreateTextureFromFileInMemoryEx(kPicture.data(), kPicture.size(), 0);
    EXPECT_EQ(unkeyed->TexelArgb(0, 0, 0), 0xFF000000u);
}

TEST(ImageDecode, RefusesWhatIsNotAPicture) {
    std::string junk = "GIF89a....";
    DecodedImage image;
    std::string error;
    EXPECT_FALSE(DecodeImage(junk.data(), junk.size(), image, &error));
    EXPECT_FALSE(error.empty());
    std::string truncated = kPicture.substr(0, 30);
    EXPECT_EQ(D3DXCreateTextureFromFileInMemory(truncated.data(), truncated.size()), nullptr);
    std::string badJpeg = "\xFF\xD8\xFF\xE0garbage";
    EXPECT_EQ(D3DXCreateTextureFromFileInMemoryEx(badJpeg.data(), badJpeg.size(), 0), nullptr);
}

class TextureManagerTest : public ::testing::Test {
protected:
    TextureManagerTest() : manager(nullptr, "textures") {
        library.Add("textures\\rock.bmp", kPicture);
        library.Add("textures\\twhite_glow.bmp", kPicture);
        library.Add("textures\\TWHITE_Glow.bmp", kPicture);
        library.Add("backs\\back3.bmp", kPicture);
    }
    LooseLibrary library;
    MessageLog log;
    TTextureManager manager;
};

TEST_F(TextureManagerTest, LoadsOnceAndMergesFlags) {
    TTextureEntry* first = manager.LoadTexture("rock.bmp", 16, 0xFF000000);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->weight, 1);
    EXPECT_EQ(first->flags, 16u);
    EXPECT_EQ(first->texture->Format(), D3DFMT_X8R8G8B8);
    TTextureEntry* second = manager.LoadTexture("rock.bmp", 32, 0xFF000000);
    EXPECT_EQ(second, first);
    EXPECT_EQ(first->flags, 48u);
    EXPECT_EQ(manager.PickRandomTexture(48), first);
    EXPECT_EQ(manager.Count(), 1u);
}

TEST_F(TextureManagerTest, LibraryNameRuleAndMissingTexture) {
    EXPECT_NE(manager.LoadTexture("backs\\back3.bmp", 0, 0xFF000000), nullptr);
    EXPECT_EQ(manager.LoadTexture("marble23.jpg", 0, 0xFF000000), nullptr);
    EXPECT_TRUE(log.Has("Failed to load texture 'textures\\marble23.jpg' from library", "Error"));
    TTextureManager bare(nullptr, "");
    EXPECT_EQ(bare.LoadTexture("rock.bmp", 0, 0), nullptr);
    EXPECT_TRUE(log.Has("Failed to load texture 'rock.bmp' from library", "Error"));
}

TEST_F(TextureManagerTest, ColourKeyUsesTheExtendedLoader) {
    TTextureEntry* entry = manager.LoadTexture("rock.bmp", TEX_COLOR_KEY, 0xFF000000);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->flags, TEX_COLOR_KEY | TEX_EXTENDED);
    EXPECT_EQ(entry->texture->GetLevelCount(), 1u);
    EXPECT_EQ(entry->texture->TexelArgb(0, 0, 0), 0u);
}

TEST_F(TextureManagerTest, TwhiteNamesBecomeInvertedAlphaMasksInEitherCase) {
    TTextureEntry* lower = manager.LoadTexture("twhite_glow.bmp", 0, 0xFF000000);
    TTextureEntry* upper = manager.LoadTexture("TWHITE_Glow.bmp", 0, 0xFF000000);
    ASSERT_NE(lower, nullptr);
    ASSERT_NE(upper, nullptr);
    EXPECT_NE(lower, upper);  // names are case-sensitive
    for (TTextureEntry* e : {lower, upper}) {
        EXPECT_EQ(e->flags, TEX_ALPHA_MASK | TEX_EXTENDED);
        // Black is not keyed for masks: it becomes fully opaque once inverted.
        EXPECT_EQ(e->texture->TexelArgb(0, 0, 0), 0xFF000000u);
        EXPECT_EQ(e->texture->TexelArgb(0, 3, 0), uint32_t(255 - GreyLevel(0x204060, false)) << 24);
    }
}

TEST_F(TextureManagerTest, ADeclaredPictureIsDecodedOnlyWhileItIsWanted) {
    TTextureEntry* entry = manager.DeclareTexture("backs\\back3.bmp");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->texture, nullptr);
    EXPECT_EQ(manager.DeclareTexture("backs\\back3.bmp"), entry);
    ASSERT_TRUE(manager.Realize(entry));
    ASSERT_NE(entry->texture, nullptr);
    EXPECT_EQ(entry->texture->TexelArgb(0, 3, 1), 0xFF204060u);
    manager.Release(entry);
    EXPECT_EQ(entry->texture, nullptr);
    EXPECT_EQ(manager.LoadTexture("backs\\back3.bmp", 0, 0xFF000000), entry);  // loading decodes it again
    ASSERT_NE(entry->texture, nullptr);
    EXPECT_EQ(entry->texture->TexelArgb(0, 3, 1), 0xFF204060u);
    EXPECT_EQ(manager.Count(), 1u);
}

TEST_F(TextureManagerTest, AMissingDeclaredPictureIsReportedWhenWantedAndKeyedOnesAreKept) {
    TTextureEntry* missing = manager.DeclareTexture("backs\\back9.bmp");
    ASSERT_NE(missing, nullptr);
    EXPECT_FALSE(log.Has("Failed to load texture 'backs\\back9.bmp' from library", "Error"));
    EXPECT_FALSE(manager.Realize(missing));
    EXPECT_TRUE(log.Has("Failed to load texture 'backs\\back9.bmp' from library", "Error"));
    EXPECT_EQ(missing->texture, nullptr);

    // A colour-keyed picture could not be decoded the same again: it stays.
    TTextureEntry* keyed = manager.LoadTexture("rock.bmp", TEX_COLOR_KEY, 0xFF000000);
    ASSERT_NE(keyed, nullptr);
    manager.Release(keyed);
    ASSERT_NE(keyed->texture, nullptr);
    EXPECT_EQ(keyed->texture->TexelArgb(0, 0, 0), 0u);
}

TEST(GreyLevel, WeightsGreenRedBlue) {
    EXPECT_EQ(GreyLevel(0xFF000000, false), 0);
    EXPECT_EQ(GreyLevel(0x00FFFFFF, false), 255);
    EXPECT_EQ(GreyLevel(0x00FFFFFF, true), 0);
    EXPECT_EQ(GreyLevel(0x000A0000, false), 3);   // red 10: 30 / 10
    EXPECT_EQ(GreyLevel(0x00000A00, false), 6);   // green 10
    EXPECT_EQ(GreyLevel(0x0000000A, false), 1);   // blue 10
    EXPECT_EQ(GreyLevel(0x00204060, true), 255 - (6 * 0x40 + 3 * 0x20 + 0x60) / 10);
}

TEST(MakeAlphaMask, EveryLevelIsConverted) {
    TTextureManager manager(nullptr, "");
    auto texture = std::make_unique<Texture>(4, 4, 0, D3DFMT_A8R8G8B8);
    for (uint32_t level = 0; level < texture->GetLevelCount(); ++level) {
        auto* t = reinterpret_cast<uint32_t*>(texture->MutableBits(level));
        for (uint32_t i = 0; i < texture->Width(level) * texture->Height(level); ++i) t[i] = 0xFFFFFFFF;
    }
    TTextureEntry* entry = manager.AddTexture("made", std::move(texture), 0);
    MakeAlphaMask(entry, false);
    EXPECT_EQ(entry->flags, TEX_EXTENDED);
    for (uint32_t level = 0; level < 3; ++level) EXPECT_EQ(entry->texture->TexelArgb(level, 0, 0), 0xFF000000u);
}

class PickRandomTextureTest : public ::testing::Test {
protected:
    TTextureEntry* Add(const char* name, uint32_t flags, int weight) {
        TTextureEntry* e = manager.AddTexture(name, std::make_unique<Texture>(1, 1, 1, D3DFMT_A8R8G8B8), flags);
        e->weight = weight;
        return e;
    }
    TTextureManager manager{nullptr, ""};
};

TEST_F(PickRandomTextureTest, MaskSelectsAndNoMatchDrawsNothing) {
    TTextureEntry* fire = Add("fire", 0x800, 1);
    TTextureEntry* marble = Add("marble", 0x10, 1);
    rp::srand(1);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(manager.PickRandomTexture(0x10), marble);
    uint64_t draws = rp::randDraws();
    EXPECT_EQ(manager.PickRandomTexture(0x40), nullptr);
    EXPECT_EQ(rp::randDraws(), draws);
    std::map<TTextureEntry*, int> seen;
    for (int i = 0; i < 200; ++i) ++seen[manager.PickRandomTexture(0)];
    EXPECT_GT(seen[fire], 0);
    EXPECT_GT(seen[marble], 0);
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(PickRandomTextureTest, WeightsSetTheOdds) {
    TTextureEntry* heavy = Add("heavy", 0x20, 9);
    Add("light", 0x20, 1);
    rp::srand(7);
    int heavyCount = 0;
    for (int i = 0; i < 5000; ++i) heavyCount += manager.PickRandomTexture(0x20) == heavy;
    EXPECT_NEAR(heavyCount / 5000.0, 0.9, 0.03);
}

TEST_F(PickRandomTextureTest, SlotListIsCappedAt1280) {
    TTextureEntry* a = Add("a", 1 << 12, 1000);
    TTextureEntry* b = Add("b", 1 << 12, 1000);
    TTextureEntry* c = Add("c", 1 << 12, 1000);
    rp::srand(3);
    std::map<TTextureEntry*, int> seen;
    for (int i = 0; i < 12800; ++i) ++seen[manager.PickRandomTexture(1 << 12)];
    // Whichever entries come first fill the 1,280 slots: 1,000 and 280; the third gets none.
    std::vector<int> counts = {seen[a], seen[b], seen[c]};
    std::sort(counts.begin(), counts.end());
    EXPECT_EQ(counts[0], 0);
    EXPECT_NEAR(counts[1] / 12800.0, 280.0 / 1280, 0.03);
    EXPECT_NEAR(counts[2] / 12800.0, 1000.0 / 1280, 0.03);
}

}  // namespace
