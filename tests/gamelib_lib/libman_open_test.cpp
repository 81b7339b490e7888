#include <gtest/gtest.h>

#include <string>

#include "gamelib/libman.h"
#include "gamelib_lib/lib_image.h"

namespace {

using libtest::MakeImage;

class LibraryOpening : public ::testing::Test {
protected:
    void SetUp() override {
        useGameLib = 1;
    }
    libtest::TempFolder folder_;
};

void OpenAndReport(const std::string& path) {
    TGameLib lib(path.c_str(), nullptr);
    lib.Open();
    std::fprintf(stderr, "opened\n");
    std::exit(0);
}

TEST_F(LibraryOpening, EachDamagedLibraryIsRefusedWithItsProblemNamed) {
    for (const libtest::Damage& damage : libtest::DamagedLibraries()) {
        SCOPED_TRACE(damage.what);
        std::string path = folder_.Write("damaged.lib", damage.image);
        std::string why = TGameLib::Validate(damage.image.data(), damage.image.size());
        EXPECT_NE(why.find(damage.message), std::string::npos) << why;
        EXPECT_EXIT(OpenAndReport(path), ::testing::ExitedWithCode(1),
                    "Error: Damaged game library: .*" + libtest::RegexLiteral(damage.message));
    }
}

TEST_F(LibraryOpening, ATableOneByteShortIsRefusedAndAWholeEmptyTableIsNot) {
    std::vector<uint8_t> image = MakeImage({});
    ASSERT_EQ(image.size(), 61444u);
    std::string whole = folder_.Write("whole.lib", image);
    EXPECT_EXIT(OpenAndReport(whole), ::testing::ExitedWithCode(0), "opened");
    image.pop_back();
    std::string shortFile = folder_.Write("short.lib", image);
    EXPECT_EXIT(OpenAndReport(shortFile), ::testing::ExitedWithCode(1), "61443 bytes, shorter than its 61444-byte table");
    std::string empty = folder_.Write("empty.lib", std::string());
    EXPECT_EXIT(OpenAndReport(empty), ::testing::ExitedWithCode(1), "the file is 0 bytes");
}

TEST_F(LibraryOpening, AMissingLibraryOrAFolderEndsTheProgramWithTheOpeningError) {
    // The words stay; the path and the system's reason follow them.
    EXPECT_EXIT(OpenAndReport(folder_.path() + "/missing.lib"), ::testing::ExitedWithCode(1),
                "Error: Error while opening game library .*/missing.lib: No such file or directory");
    EXPECT_EXIT(OpenAndReport(folder_.path()), ::testing::ExitedWithCode(1),
                "Error while opening game library .*: Is a directory");
}

}  // namespace
