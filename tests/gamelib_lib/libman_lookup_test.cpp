#include <gtest/gtest.h>

#include <string>

#include "gamelib/libman.h"
#include "gamelib_lib/lib_image.h"

namespace {

using libtest::MakeImage;

std::string Bytes(const TLibEntry* entry) {
    return std::string(reinterpret_cast<const char*>(entry->data), entry->length);
}

class LibraryLookup : public ::testing::Test {
protected:
    void SetUp() override {
        useGameLib = 1;
        logGameLibUsage = 0;
    }
    TGameLib& Open(const std::vector<uint8_t>& image) {
        lib_ = std::make_unique<TGameLib>(folder_.Write("pack.lib", image).c_str(), nullptr);
        lib_->Open();
        return *lib_;
    }
    libtest::TempFolder folder_;
    std::unique_ptr<TGameLib> lib_;
};

TEST_F(LibraryLookup, NamesMatchWithoutRegardToCaseButSeparatorsAndSpacesCount) {
    TGameLib& lib = Open(MakeImage({{"sounds\\fire.wav", "FIRE"}, {"backs\\back3.jpg", "JPEG!"}}));
    ASSERT_EQ(lib.NumEntries(), 2);
    TLibEntry* entry = lib.GetFile("BACKS\\BACK3.JPG");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(Bytes(entry), "JPEG!");
    EXPECT_STREQ(entry->name, "backs\\back3.jpg");
    EXPECT_EQ(lib.GetFile("backs/back3.jpg"), nullptr);
    EXPECT_EQ(lib.GetFile("backs\\back3.jpg "), nullptr);
    EXPECT_EQ(lib.GetFile("back3.jpg"), nullptr);
    EXPECT_EQ(lib.GetFile("backs\\back3.jp"), nullptr);
    EXPECT_EQ(Bytes(lib.GetFile("Sounds\\Fire.WAV")), "FIRE");
}

TEST_F(LibraryLookup, TheEntryNearestTheStartOfTheTableWins) {
    TGameLib& lib = Open(MakeImage({{"other", "x"}, {"dup.txt", "first"}, {"DUP.TXT", "second"}}));
    EXPECT_EQ(Bytes(lib.GetFile("Dup.Txt")), "first");
    EXPECT_EQ(lib.GetFile("dup.txt"), lib.Entry(1));
}

TEST_F(LibraryLookup, AnEmptyTableFindsNothingEvenWithRecordsBehindTheCount) {
    std::vector<uint8_t> image = MakeImage({{"ghost", "boo"}});
    libtest::PutU32(image, libtest::kCountAt, 0);
    TGameLib& lib = Open(image);
    EXPECT_EQ(lib.NumEntries(), 0);
    EXPECT_EQ(lib.GetFile("ghost"), nullptr);
    EXPECT_EQ(lib.Entry(0), nullptr);
}

TEST_F(LibraryLookup, RecordsIgnoreTheStoredRunTimeWordsAndSurviveRelease) {
    // The image stores junk pointers and ownsData = 1; the reader must not trust them.
    TGameLib& lib = Open(MakeImage({{"a.txt", "alpha"}, {"empty", ""}}));
    TLibEntry* entry = lib.GetFile("a.txt");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->ownsData, 0);
    EXPECT_EQ(entry->offset, libtest::kTableBytes);
    EXPECT_EQ(entry->reserved, 0xDEADBEEFu);
    lib.ReleaseFile(entry);
    lib.ReleaseFile(entry);
    EXPECT_EQ(lib.GetFile("a.txt"), entry);
    EXPECT_EQ(Bytes(entry), "alpha");
    TLibEntry* empty = lib.GetFile("EMPTY");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->length, 0u);
    EXPECT_EQ(empty->offset, libtest::kTableBytes + 5);  // a zero-length entry at the very end is sound
}

TEST(LibraryBuildImage, ABuiltLibraryStartsEmptyAndReportsRegrowth) {
    useGameLib = 1;
    TGameLib lib("never-opened.lib", nullptr);
    EXPECT_EQ(lib.NumEntries(), 0);
    EXPECT_EQ(lib.GetFile("anything"), nullptr);
    ::testing::internal::CaptureStdout();
    lib.Grow(LIB_BUILD_IMAGE_SIZE);
    lib.Grow(2 * LIB_BUILD_IMAGE_SIZE);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "libman: realloc to 2097152\n");
    EXPECT_EQ(lib.NumEntries(), 0);
}

TEST_F(LibraryLookup, GlobalOperationsUseTheOneOpenLibrary) {
    std::string path = folder_.Write("global.lib", MakeImage({{"shaders\\outline.txt", "vs"}}));
    OpenGameLib(path.c_str(), nullptr);
    ASSERT_NE(theGameLib, nullptr);
    EXPECT_EQ(theGameLib->libraryPath, path);
    TLibEntry* entry = LibGetFile("SHADERS\\OUTLINE.TXT");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(Bytes(entry), "vs");
    LibReleaseFile(entry);
    EXPECT_EQ(LibGetFile("shaders\\outline.txt"), entry);
    EXPECT_EQ(LibGetFile("missing"), nullptr);
}

}  // namespace
