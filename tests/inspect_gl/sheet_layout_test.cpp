#include <gtest/gtest.h>

#include "gl_commands.h"
#include "sheet_layout.h"

namespace {

bool Overlap(const PixelRect& a, const PixelRect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

std::vector<PixelRect> AllRects(const SheetLayout& sheet) {
    std::vector<PixelRect> rects;
    for (const auto* cells : {&sheet.meshes, &sheet.pictures})
        for (const SheetCell& cell : *cells) {
            rects.insert(rects.end(), cell.panels.begin(), cell.panels.end());
            rects.push_back(cell.label);
        }
    return rects;
}

TEST(SheetLayout, CellsFillRowsWithoutOverlapInsideTheSheet) {
    const SheetMetrics m;
    const SheetLayout sheet = LayOutSheet(29, 2, 52, m);
    ASSERT_EQ(sheet.meshes.size(), 29u);
    ASSERT_EQ(sheet.pictures.size(), 52u);
    EXPECT_EQ(sheet.width, m.width);
    const std::vector<PixelRect> rects = AllRects(sheet);
    for (size_t i = 0; i < rects.size(); ++i) {
        EXPECT_GE(rects[i].x, 0);
        EXPECT_GE(rects[i].y, 0);
        EXPECT_LE(rects[i].x + rects[i].width, sheet.width);
        EXPECT_LE(rects[i].y + rects[i].height, sheet.height);
        for (size_t j = i + 1; j < rects.size(); ++j) EXPECT_FALSE(Overlap(rects[i], rects[j])) << i << " " << j;
    }
    // Four mesh pairs fit a row of 1536; the fifth starts the next row.
    EXPECT_EQ(sheet.meshes[3].panels[0].y, sheet.meshes[0].panels[0].y);
    EXPECT_GT(sheet.meshes[4].panels[0].y, sheet.meshes[3].panels[0].y);
    EXPECT_EQ(sheet.meshes[4].panels[0].x, m.gap);
    // Pictures start below the last mesh row.
    EXPECT_GT(sheet.pictures[0].panels[0].y, sheet.meshes.back().label.y + m.label);
}

TEST(SheetLayout, PanelsSitSideBySideAboveTheirLabel) {
    const SheetMetrics m;
    const SheetLayout sheet = LayOutSheet(1, 2, 1, m);
    const SheetCell& mesh = sheet.meshes[0];
    ASSERT_EQ(mesh.panels.size(), 2u);
    EXPECT_EQ(mesh.panels[1].x, mesh.panels[0].x + m.meshPanel);
    EXPECT_EQ(mesh.panels[0].width, m.meshPanel);
    EXPECT_EQ(mesh.label.width, 2 * m.meshPanel);
    EXPECT_EQ(mesh.label.y, mesh.panels[0].y + m.meshPanel);
    const SheetCell& picture = sheet.pictures[0];
    ASSERT_EQ(picture.panels.size(), 1u);
    EXPECT_EQ(picture.panels[0].width, m.thumbnail);
    EXPECT_EQ(picture.label.height, m.label);
    EXPECT_EQ(sheet.height, picture.label.y + m.label + m.gap);
}

TEST(SheetLayout, EdgeCases) {
    SheetMetrics narrow;
    narrow.width = 100;  // narrower than one mesh pair
    const SheetLayout wide = LayOutSheet(2, 2, 0, narrow);
    EXPECT_EQ(wide.width, 2 * narrow.meshPanel + 2 * narrow.gap);
    EXPECT_EQ(wide.meshes[0].panels[0].x, narrow.gap);
    EXPECT_EQ(wide.meshes[1].panels[0].x, narrow.gap);
    EXPECT_GT(wide.meshes[1].panels[0].y, wide.meshes[0].panels[0].y);

    const SheetLayout picturesOnly = LayOutSheet(0, 2, 3);
    EXPECT_TRUE(picturesOnly.meshes.empty());
    EXPECT_EQ(picturesOnly.pictures[0].panels[0].y, SheetMetrics{}.gap);

    const SheetLayout single = LayOutSheet(1, 0, 0);
    EXPECT_EQ(single.meshes[0].panels.size(), 1u);

    const SheetLayout empty = LayOutSheet(0, 1, 0);
    EXPECT_TRUE(empty.meshes.empty() && empty.pictures.empty());
    EXPECT_EQ(empty.height, SheetMetrics{}.gap);
}

TEST(FrameSize, ParsesWidthByHeightWithinLimits) {
    int w = 0, h = 0;
    EXPECT_TRUE(ParseFrameSize("640x480", w, h));
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    EXPECT_TRUE(ParseFrameSize("16x8192", w, h));
    EXPECT_EQ(h, 8192);
    for (const char* bad : {"", "640", "640x", "x480", "15x100", "100x8193", "64x-64", "64 x64", "64x64x2", "axb"})
        EXPECT_FALSE(ParseFrameSize(bad, w, h)) << bad;
}

}  // namespace
