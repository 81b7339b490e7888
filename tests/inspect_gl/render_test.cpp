#include <filesystem>

#include "drawing_fixture.h"
#include "resources/resource_fixtures.h"
#include "sound/wav.h"

namespace {

// A cube's bounding sphere has radius half x sqrt(3); scaled to the fill
// radius, its face spans this share of the view's short side.
constexpr double kCubeShare = 2 * (kFillRadius / 1.7320508) / (2 * kFillRadius * kFillMargin);

class Render : public ::testing::Test {
protected:
    void SetUp() override {
        files.Add("cube.x", CubeMesh(0.01f, 1, 0, 0));
        files.Add("green.x", CubeMesh(3.0f, 1, 1, 1, "green.bmp"));
        files.Add("textures\\green.bmp", MakeBmp(4, 4, [](int, int) { return 0x00FF00u; }));
        files.Add("flag.bmp", MakeBmp(8, 4, [](int x, int) { return x < 4 ? 0xFF0000u : 0x0000FFu; }));
        auto header = MakeWavHeader(1, 22050, 16, 2);
        files.Add("beep.wav", std::string(header.begin(), header.end()) + "ab");
        lib = files.Pack();
    }

    // Renders `name` and reads the picture back.
    Picture Draw(const std::string& name, const std::string& size = "") {
        std::vector<std::string> args = {"render", lib, name, files.OutputPath("out.png")};
        if (!size.empty()) args.insert(args.end(), {"--size", size});
        ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, 0) << run.err;
        std::optional<Picture> picture = ReadPng(files.OutputPath("out.png"));
        EXPECT_TRUE(picture.has_value());
        return picture.value_or(Picture{});
    }

    HandMadeLibrary files;
    std::string lib;
};

TEST_F(Render, MeshFillsTheViewLitAsTheGamesLightIt) {
    const Picture picture = Draw("cube.x", "64x64");
    ASSERT_EQ(picture.width, 64);
    ASSERT_EQ(picture.height, 64);
    // The face towards the camera: diffuse by the light at 54.7 degrees plus
    // the light's 0.4 ambient, on a red material with ambient = diffuse.
    const Rgb centre = picture.At(32, 32);
    EXPECT_NEAR(centre.r, 249, 6);
    EXPECT_LE(centre.g, 8);
    EXPECT_LE(centre.b, 8);
    EXPECT_TRUE(IsBackdrop(picture.At(1, 1)));
    EXPECT_TRUE(IsBackdrop(picture.At(62, 62)));
    // A cube of 0.02 units is scaled up to fill the view like any other mesh.
    const PixelRect drawn = DrawnExtent(picture, {0, 0, 64, 64});
    EXPECT_NEAR(drawn.width, kCubeShare * 64, 2);
    EXPECT_NEAR(drawn.height, kCubeShare * 64, 2);
    EXPECT_NEAR(drawn.x + drawn.width / 2.0, 32, 1.5);
}

TEST_F(Render, WideFrameKeepsTheMeshSquareAndCentred) {
    const Picture picture = Draw("cube.x", "128x64");
    ASSERT_EQ(picture.width, 128);
    ASSERT_EQ(picture.height, 64);
    const PixelRect drawn = DrawnExtent(picture, {0, 0, 128, 64});
    EXPECT_NEAR(drawn.height, kCubeShare * 64, 2);
    EXPECT_NEAR(drawn.width, drawn.height, 1);
    EXPECT_NEAR(drawn.x + drawn.width / 2.0, 64, 1.5);
    EXPECT_NEAR(drawn.y + drawn.height / 2.0, 32, 1.5);
}

TEST_F(Render, MeshTexturesComeFromTheLibrary) {
    const Rgb centre = Draw("green.x", "48x48").At(24, 24);
    EXPECT_GT(centre.g, 200);
    EXPECT_LE(centre.r, 8);
    EXPECT_LE(centre.b, 8);
}

TEST_F(Render, PictureFitsWithItsAspectKept) {
    const Picture picture = Draw("flag.bmp", "64x64");
    ASSERT_EQ(picture.width, 64);
    // 8 x 4 becomes 64 x 32, centred: rows 16 to 47.
    const Rgb left = picture.At(12, 32), right = picture.At(52, 32);
    EXPECT_GT(left.r, 240);
    EXPECT_LT(left.b, 16);
    EXPECT_GT(right.b, 240);
    EXPECT_LT(right.r, 16);
    EXPECT_TRUE(IsBackdrop(picture.At(32, 8)));
    EXPECT_TRUE(IsBackdrop(picture.At(32, 56)));
    EXPECT_FALSE(IsBackdrop(picture.At(32, 17)));
    EXPECT_FALSE(IsBackdrop(picture.At(32, 46)));
}

TEST_F(Render, DefaultSize) {
    const Picture picture = Draw("cube.x");
    EXPECT_EQ(picture.width, 512);
    EXPECT_EQ(picture.height, 512);
}

TEST_F(Render, Failures) {
    const std::string out = files.OutputPath("nothing.png");
    ToolRun run = RunTool({"render", lib, "nothere.x", out});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no entry named 'nothere.x'"), std::string::npos) << run.err;
    run = RunTool({"render", lib, "beep.wav", out});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("neither a mesh nor a picture"), std::string::npos) << run.err;
    run = RunTool({"render", files.OutputPath("missing.lib"), "cube.x", out});
    EXPECT_EQ(run.status, 1);
    run = RunTool({"render", lib, "cube.x", "/nonexistent/folder/out.png", "--size", "32x32"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(out));

    run = RunTool({"render", lib, "cube.x", out, "--size", "10x10"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--size 10x10"), std::string::npos) << run.err;
    EXPECT_EQ(RunTool({"render", lib, "cube.x"}).status, 2);
    EXPECT_EQ(RunTool({"render", lib, "cube.x", out, "--scale", "2"}).status, 2);
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
