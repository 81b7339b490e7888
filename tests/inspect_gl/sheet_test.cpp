#include <algorithm>
#include <filesystem>

#include "drawing_fixture.h"
#include "names.h"
#include "resources/resource_fixtures.h"
#include "sheet_layout.h"
#include "sound/wav.h"

namespace {

bool IsFailureMark(Rgb p) { return p.r > 200 && p.g < 140 && p.b < 120; }
bool IsDrawn(Rgb p) { return !IsBackdrop(p); }

// Runs the sheet command; the picture it wrote, or an empty one.
Picture Sheet(const std::string& lib, const std::string& png, int expectedStatus, ToolRun* run = nullptr) {
    ToolRun result = RunTool({"sheet", lib, png});
    EXPECT_EQ(result.status, expectedStatus) << result.err;
    if (run) *run = result;
    std::optional<Picture> picture = ReadPng(png);
    EXPECT_TRUE(picture.has_value()) << png;
    return picture.value_or(Picture{});
}

PixelRect Inner(const PixelRect& r, int margin) {
    return {r.x + margin, r.y + margin, r.width - 2 * margin, r.height - 2 * margin};
}

TEST(Sheet, DrawsAHandMadeMeshWithItsOutlineAndAPicture) {
    HandMadeLibrary files;
    files.Add("cube.x", CubeMesh(2.0f, 1, 0, 0));
    files.Add("shaders\\outline.txt", OutlineShaderText());
    files.Add("textures\\sky.bmp", MakeBmp(16, 16, [](int, int) { return 0x2040F0u; }));
    auto header = MakeWavHeader(1, 22050, 16, 2);
    files.Add("beep.wav", std::string(header.begin(), header.end()) + "ab");
    ToolRun run;
    const Picture sheet = Sheet(files.Pack(), files.OutputPath("sheet.png"), 0, &run);
    EXPECT_NE(run.out.find("drew 1 meshes and 1 pictures"), std::string::npos) << run.out;

    const SheetLayout layout = LayOutSheet(1, 2, 1);
    ASSERT_EQ(sheet.width, layout.width);
    ASSERT_EQ(sheet.height, layout.height);
    const SheetCell& mesh = layout.meshes[0];
    const PixelRect& lit = mesh.panels[0];
    const Rgb face = sheet.At(lit.x + lit.width / 2, lit.y + lit.height / 2);
    EXPECT_GT(face.r, 200);
    EXPECT_LT(face.g, 12);
    const PixelRect drawn = DrawnExtent(sheet, lit);
    EXPECT_NEAR(drawn.width, 2 * (kFillRadius / 1.7320508) / (2 * kFillRadius * kFillMargin) * lit.width, 3);

    // The outline panel: silhouette lines around a face-on cube, nothing inside.
    const PixelRect& outline = mesh.panels[1];
    EXPECT_GT(CountPixels(sheet, outline, IsOutline), 4 * 80);
    EXPECT_EQ(CountPixels(sheet, Inner(outline, outline.width / 3), IsDrawn), 0);
    const PixelRect lines = DrawnExtent(sheet, outline);
    EXPECT_NEAR(lines.width, drawn.width, 8);

    const PixelRect& thumbnail = layout.pictures[0].panels[0];
    const Rgb sky = sheet.At(thumbnail.x + thumbnail.width / 2, thumbnail.y + thumbnail.height / 2);
    EXPECT_NEAR(sky.r, 0x20, 4);
    EXPECT_NEAR(sky.b, 0xF0, 4);
    // Exactly the thumbnail's pixels, none more.
    EXPECT_EQ(CountPixels(sheet, thumbnail, IsBackdrop), 0);
    EXPECT_EQ(DrawnExtent(sheet, Inner(thumbnail, -2)).width, thumbnail.width);
    EXPECT_EQ(DrawnExtent(sheet, Inner(thumbnail, -2)).height, thumbnail.height);

    EXPECT_GT(CountPixels(sheet, mesh.label, IsLettering), 20);
    EXPECT_GT(CountPixels(sheet, layout.pictures[0].label, IsLettering), 20);
}

TEST(Sheet, WithoutTheOutlineShaderMeshesHaveOnePanel) {
    HandMadeLibrary files;
    files.Add("cube.x", CubeMesh(1.0f, 0, 1, 0));
    files.Add("other.x", CubeMesh(1.0f, 0, 0, 1));
    const Picture sheet = Sheet(files.Pack(), files.OutputPath("sheet.png"), 0);
    const SheetLayout layout = LayOutSheet(2, 1, 0);
    ASSERT_EQ(sheet.width, layout.width);
    ASSERT_EQ(sheet.height, layout.height);
    // In name order: the green cube, then the blue one right beside it.
    const PixelRect& first = layout.meshes[0].panels[0];
    const PixelRect& second = layout.meshes[1].panels[0];
    EXPECT_GT(sheet.At(first.x + first.width / 2, first.y + first.height / 2).g, 200);
    EXPECT_GT(sheet.At(second.x + second.width / 2, second.y + second.height / 2).b, 200);
}

TEST(Sheet, AMeshThatCannotLoadIsMarkedAndFailsTheCommand) {
    HandMadeLibrary files;
    files.Add("broken.x", "xof 0303txt 0032\nMesh {");
    files.Add("cube.x", CubeMesh(1.0f, 1, 1, 0));
    ToolRun run;
    const Picture sheet = Sheet(files.Pack(), files.OutputPath("sheet.png"), 1, &run);
    EXPECT_NE(run.err.find("some entries could not be loaded"), std::string::npos) << run.err;
    const SheetLayout layout = LayOutSheet(2, 1, 0);
    ASSERT_EQ(sheet.height, layout.height);
    EXPECT_EQ(CountPixels(sheet, layout.meshes[0].panels[0], IsDrawn), 0);
    EXPECT_GT(CountPixels(sheet, layout.meshes[0].label, IsFailureMark), 20);
    EXPECT_GT(CountPixels(sheet, layout.meshes[1].panels[0], IsDrawn), 1000);
    EXPECT_EQ(CountPixels(sheet, layout.meshes[1].label, IsFailureMark), 0);
}

TEST(Sheet, NothingToDrawAndUsage) {
    HandMadeLibrary files;
    auto header = MakeWavHeader(1, 22050, 16, 2);
    files.Add("beep.wav", std::string(header.begin(), header.end()) + "ab");
    const std::string png = files.OutputPath("sheet.png");
    ToolRun run = RunTool({"sheet", files.Pack(), png});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no meshes or pictures"), std::string::npos) << run.err;
    EXPECT_EQ(RunTool({"sheet", png}).status, 2);
    EXPECT_EQ(RunTool({"sheet", files.OutputPath("game.lib"), png, "extra"}).status, 2);
    EXPECT_FALSE(std::filesystem::exists(png));
}

// Every mesh of the default library drawn lit and as an outline, filling its
// panel; every picture filling its thumbnail; every cell named.
TEST(Sheet, DefaultLibrary) {
    HandMadeLibrary scratch;
    ToolRun run;
    const Picture sheet = Sheet(ROCKPILE_LIBRARY_FILE, scratch.OutputPath("sheet.png"), 0, &run);
    std::vector<std::string> meshes = content::kMeshNames;
    std::sort(meshes.begin(), meshes.end());
    const std::vector<std::string> names = content::RequiredNames();
    const auto pictures = std::count_if(names.begin(), names.end(), [](const std::string& n) {
        return n.ends_with(".jpg") || n.ends_with(".bmp");
    });
    EXPECT_NE(run.out.find("drew " + std::to_string(meshes.size()) + " meshes and " + std::to_string(pictures) +
                           " pictures"),
              std::string::npos)
        << run.out;
    const SheetLayout layout = LayOutSheet(int(meshes.size()), 2, int(pictures));
    ASSERT_EQ(sheet.width, layout.width);
    ASSERT_EQ(sheet.height, layout.height);

    for (size_t i = 0; i < meshes.size(); ++i) {
        const SheetCell& cell = layout.meshes[i];
        const PixelRect& lit = cell.panels[0];
        const int area = lit.width * lit.height;
        EXPECT_GT(CountPixels(sheet, lit, IsDrawn), area / 50) << meshes[i];
        const PixelRect drawn = DrawnExtent(sheet, lit);
        EXPECT_GT(std::max(drawn.width, drawn.height), lit.width / 2) << meshes[i];
        EXPECT_GT(CountPixels(sheet, cell.panels[1], IsOutline), lit.width / 2) << meshes[i];
        EXPECT_GT(CountPixels(sheet, cell.label, IsLettering), 20) << meshes[i];
    }
    for (const SheetCell& cell : layout.pictures) {
        const PixelRect& thumbnail = cell.panels[0];
        EXPECT_GT(CountPixels(sheet, thumbnail, IsDrawn), thumbnail.width * thumbnail.height / 5);
        EXPECT_GT(CountPixels(sheet, cell.label, IsLettering), 20);
    }
}

}  // namespace
