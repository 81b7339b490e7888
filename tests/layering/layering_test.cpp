#include <gtest/gtest.h>

#include <fstream>

#include "include_layers.h"

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kLayers = SplitLayers(ROCKPILE_LAYERS);

TEST(LayeringTest, NoSourceFileIncludesAHigherLayer) {
    ASSERT_GE(kLayers.size(), 2u);
    for (const UpwardInclude& up : FindUpwardIncludes(ROCKPILE_SOURCE_DIR, kLayers))
        ADD_FAILURE() << up.file << ":" << up.line << " reaches up: " << up.header;
}

TEST(LayeringTest, EveryFolderOfTheSourceTreeIsALayer) {
    EXPECT_EQ(FoldersOutsideLayers(ROCKPILE_SOURCE_DIR, kLayers), std::vector<std::string>{});
}

class IncludeScanTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("rockpile-layers-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
    }
    void TearDown() override { fs::remove_all(root_); }
    void Write(const std::string& name, const std::string& text) {
        fs::create_directories((root_ / name).parent_path());
        std::ofstream(root_ / name) << text;
    }
    fs::path root_;
};

TEST_F(IncludeScanTest, ReportsOnlyIncludesOfHigherLayersWithTheirPlace) {
    const std::vector<std::string> layers = SplitLayers("low,mid,high");
    Write("mid/a.cpp",
          "#include \"mid/a.h\"\n#include <vector>\n#include \"low/b.h\"\n  #  include \"high/c.h\"\n");
    Write("low/deep/d.h", "// #include \"mid/e.h\" in a comment\n#include \"mid/e.h\"\n");
    Write("high/f.cpp", "#include \"low/b.h\"\n#include \"mid/a.h\"\n");
    Write("main.cpp", "#include \"high/f.h\"\n");
    Write("other/g.cpp", "#include \"high/f.h\"\n");

    const std::vector<UpwardInclude> found = FindUpwardIncludes(root_, layers);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].file, "low/deep/d.h");
    EXPECT_EQ(found[0].line, 2);
    EXPECT_EQ(found[1].file, "mid/a.cpp");
    EXPECT_EQ(found[1].line, 4);
    EXPECT_NE(found[1].header.find("high/c.h"), std::string::npos);
}

TEST_F(IncludeScanTest, NamesFoldersThatAreNoLayer) {
    Write("low/a.cpp", "");
    Write("extra/b.cpp", "");
    Write("main.cpp", "");
    EXPECT_EQ(FoldersOutsideLayers(root_, SplitLayers("low,high")), std::vector<std::string>{"extra"});
}

TEST(LayerListTest, SplitsInOrderAndSkipsEmptyNames) {
    EXPECT_EQ(SplitLayers("platform,,persist,"), (std::vector<std::string>{"platform", "persist"}));
    EXPECT_TRUE(SplitLayers("").empty());
}

}  // namespace
