// Resolution and adapter lists, the mode text and the window height rule.
#include <gtest/gtest.h>

#include "framework/display_lists.h"
#include "framework/display_modes.h"

namespace {

DisplayMode Mode(uint32_t w, uint32_t h, uint32_t hz = 60) { return {w, h, hz, D3DFMT_X8R8G8B8}; }

TEST(ResolutionList, RefreshRatesOfOneSizeGiveOneItemCarryingTheFirst) {
    ListModel list;
    FillResolutionCombo({Mode(1024, 768, 75), Mode(800, 600, 60), Mode(800, 600, 75), Mode(640, 480)}, list);
    ASSERT_EQ(list.items.size(), 3u);
    EXPECT_EQ(list.items[1].text, "800 x 600");
    ASSERT_TRUE(list.items[1].mode.has_value());
    EXPECT_EQ(list.items[1].mode->refreshRate, 60u);
    EXPECT_EQ(list.items[1].value, 1);
    EXPECT_EQ(list.items[2].value, 3);
    EXPECT_EQ(list.selected, -1);
}

TEST(ResolutionList, SelectionFallsBackTo800x600Then640x480ThenTheWidest) {
    ListModel list;
    FillResolutionCombo({Mode(1024, 768), Mode(800, 600), Mode(640, 480)}, list);
    int w = 0, h = 0;
    SelectResolutionOrDefault(list, 1024, 768);
    GetSelectedResolution(list, w, h);
    EXPECT_EQ(w, 1024);
    SelectResolutionOrDefault(list, 1600, 1200);
    GetSelectedResolution(list, w, h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);

    FillResolutionCombo({Mode(1024, 768), Mode(640, 480)}, list);
    SelectResolutionOrDefault(list, 1600, 1200);
    GetSelectedResolution(list, w, h);
    EXPECT_EQ(w, 640);

    FillResolutionCombo({Mode(1024, 768), Mode(1280, 720), Mode(1280, 1024), Mode(720, 576)}, list);
    SelectResolutionOrDefault(list, 1600, 1200);
    GetSelectedResolution(list, w, h);
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h, 720) << "the first of equally wide items";
}

TEST(ResolutionList, NothingSelectedReads800x600) {
    ListModel list;
    int w = 0, h = 0;
    GetSelectedResolution(list, w, h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    SelectWidestResolution(list);
    EXPECT_EQ(list.selected, -1);
    EXPECT_FALSE(SelectResolution(list, 800, 600));
    EXPECT_FALSE(GetSelectedItemObject(list).has_value());
}

TEST(AdapterList, ItemsAreSelectedByTheirValue) {
    ListModel list;
    list.items = {{"first [Default]", 0, std::nullopt}, {"second", 1, std::nullopt}};
    EXPECT_TRUE(SelectItemByObject(list, 1));
    EXPECT_EQ(GetSelectedItemObject(list), 1);
    EXPECT_FALSE(SelectItemByObject(list, 5));
    EXPECT_EQ(GetSelectedItemObject(list), 1) << "a failed selection keeps the old one";
}

TEST(ModeText, StartsWithTheCountAndListsEveryModeThatFits) {
    EXPECT_EQ(DescribeModes({}), "0: ");
    EXPECT_EQ(DescribeModes({Mode(800, 600, 60), Mode(640, 480, 75)}), "2: 800x600:60:22 640x480:75:22 ");
}

TEST(ModeText, StaysBelow1024CharactersAndTriesLaterShorterPieces) {
    // 16-character pieces up to the limit, then a long one and a short one.
    std::vector<DisplayMode> modes(100, Mode(1280, 1024, 60));
    std::string text = DescribeModes(modes);
    EXPECT_EQ(text.size(), 5u + 62 * 16) << "filled as far as the rule allows";

    std::vector<DisplayMode> mixed(63, Mode(1280, 1024, 60));  // "64: " + 62 x 16 = 996; the 63rd is skipped
    mixed.push_back(Mode(1, 1, 1));                            // "1x1:1:22 " (9) still fits
    text = DescribeModes(mixed);
    EXPECT_EQ(text.size(), 1005u);
    EXPECT_EQ(text.substr(0, 4), "64: ");
    EXPECT_EQ(text.substr(text.size() - 9), "1x1:1:22 ");
}

TEST(WindowHeight, FrameAndCaptionAreAddedOnlyBelowTheScreenHeight) {
    EXPECT_EQ(GameWindowHeight(1024, 26, 1024), 1024);
    EXPECT_EQ(GameWindowHeight(1024, 26, 1200), 1050);
    EXPECT_EQ(GameWindowHeight(998, 26, 1024), 998) << "a sum equal to the screen is not below it";
    EXPECT_EQ(GameWindowHeight(997, 26, 1024), 1023);
}

}  // namespace
