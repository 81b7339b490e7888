#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "gamelib/libman.h"
#include "gamelib_lib/lib_image.h"

namespace {

class LooseFiles : public ::testing::Test {
protected:
    void SetUp() override {
        useGameLib = 0;
        logGameLibUsage = 0;
        lib_.Open();
        lib_.defaultPaths[0] = folder_.path() + "/first";
        lib_.defaultPaths[1] = folder_.path() + "/second";
        lib_.defaultPathCount = 2;
    }
    void TearDown() override { logGameLibUsage = 0; }
    libtest::TempFolder folder_;
    TGameLib lib_{nullptr, (folder_.path() + "/usage.txt").c_str()};
};

TEST_F(LooseFiles, AFileIsReadIntoAnOwnedRecordAndAMissingOneGivesNone) {
    folder_.Write("second/sounds/fire.wav", std::string("RIFF\0data", 9));
    folder_.Write("first/empty.txt", "");
    TLibEntry* fire = lib_.GetFile("sounds\\fire.wav");
    ASSERT_NE(fire, nullptr);
    EXPECT_EQ(fire->ownsData, 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(fire->data), fire->length), std::string("RIFF\0data", 9));
    lib_.ReleaseFile(fire);
    TLibEntry* empty = lib_.GetFile("empty.txt");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->length, 0u);
    lib_.ReleaseFile(empty);
    EXPECT_EQ(lib_.GetFile("missing.txt"), nullptr);
    EXPECT_EQ(lib_.GetFile("sounds"), nullptr);  // a folder is not a file
}

TEST_F(LooseFiles, SearchFoldersAreTriedInOrderAndWithoutThemTheCurrentFolder) {
    folder_.Write("first/a.txt", "from first");
    folder_.Write("second/a.txt", "from second");
    folder_.Write("second/b.txt", "only second");
    std::string path;
    ASSERT_TRUE(lib_.ResolvePath("a.txt", path));
    EXPECT_EQ(path, folder_.path() + "/first/a.txt");
    ASSERT_TRUE(lib_.ResolvePath("b.txt", path));
    EXPECT_EQ(path, folder_.path() + "/second/b.txt");
    EXPECT_FALSE(lib_.ResolvePath("c.txt", path));

    lib_.defaultPathCount = 0;
    char previous[4096];
    ASSERT_NE(::getcwd(previous, sizeof(previous)), nullptr);
    ASSERT_EQ(::chdir((folder_.path() + "/second").c_str()), 0);
    bool found = lib_.ResolvePath("b.txt", path);
    ASSERT_EQ(::chdir(previous), 0);
    EXPECT_TRUE(found);
    EXPECT_EQ(path, "b.txt");
}

TEST_F(LooseFiles, TheUsageLogGetsEveryRequestInOrderRepeatsAndMissesIncluded) {
    std::string log = folder_.path() + "/usage.txt";
    folder_.Write("first/a.txt", "a");
    lib_.ReleaseFile(lib_.GetFile("a.txt"));
    EXPECT_FALSE(std::filesystem::exists(log)) << "logging is off";

    logGameLibUsage = 1;
    lib_.ReleaseFile(lib_.GetFile("a.txt"));
    lib_.ReleaseFile(lib_.GetFile("a.txt"));
    lib_.GetFile("nothing\\here.bmp");
    lib_.GetFile("nothing\\here.bmp");
    lib_.LogUsage("backs\\starfield.jpg");
    useGameLib = 1;
    TGameLib packed(folder_.Write("p.lib", libtest::MakeImage({{"x.bmp", "x"}})).c_str(), log.c_str());
    packed.Open();
    packed.GetFile("X.BMP");
    EXPECT_EQ(libtest::ReadText(log),
              "a.txt\na.txt\nnothing\\here.bmp\nnothing\\here.bmp\nbacks\\starfield.jpg\nX.BMP\n");
}

}  // namespace
