// Launcher windows under an X server: what one window draws stays the same
// when its renderer and the shared context are let go and made again (as
// while a game plays), and when a second window uploads the shared font
// atlas after the first.
#include <gtest/gtest.h>
#include <imgui.h>

#include <algorithm>
#include <set>
#include <string>

#include "launcher/ui/ui_system.h"
#include "launcher/ui/ui_window.h"
#include "platform/sdl_window.h"

namespace {

class UiWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(InitSdlVideo(&error)) << error;
    }

    std::unique_ptr<UiWindow> Open(const std::string& title) {
        std::string error;
        auto window = UiWindow::Create(ui_, title, 320, 120, false, error);
        EXPECT_NE(window, nullptr) << error;
        if (window) window->SetVisible(true);
        return window;
    }

    // One frame of a label and a button, read back.
    static Image Draw(UiWindow& window) {
        window.BeginFrame(0x202830);
        ImGui::TextUnformatted("Meteor Marshal");
        ImGui::Button("Click here to Play !");
        Image picture;
        window.EndFrame(&picture);
        return picture;
    }

    UiSystem ui_;
};

size_t Colours(const Image& picture) {
    std::set<uint32_t> seen;
    for (size_t i = 0; i + 3 < picture.rgba.size(); i += 4)
        seen.insert(picture.rgba[i] | picture.rgba[i + 1] << 8 | picture.rgba[i + 2] << 16);
    return seen.size();
}

TEST_F(UiWindowTest, ARendererMadeAgainDrawsTheSamePicture) {
    auto window = Open("Renderer");
    ASSERT_NE(window, nullptr);
    const Image before = Draw(*window);
    // Text and a framed button, not the background alone.
    ASSERT_GT(Colours(before), 8u);
    window->ReleaseRenderer();
    window->ReleaseRenderer();  // a second release finds nothing to let go
    const Image after = Draw(*window);
    EXPECT_EQ(after.rgba, before.rgba) << "the window drew " << Colours(after) << " colours after its renderer came back";
    // And again, as after a game, the context too.
    window->ReleaseRenderer();
    ui_.ReleaseContext();
    EXPECT_EQ(Draw(*window).rgba, before.rgba);
}

TEST_F(UiWindowTest, ASecondWindowDrawsTheTextTheFirstDraws) {
    auto first = Open("First");
    auto second = Open("Second");
    ASSERT_TRUE(first && second);
    const Image one = Draw(*first);
    ASSERT_GT(Colours(one), 8u);
    EXPECT_EQ(Draw(*second).rgba, one.rgba);
    // Both renderers and the context made again.
    first->ReleaseRenderer();
    second->ReleaseRenderer();
    ui_.ReleaseContext();
    EXPECT_EQ(Draw(*second).rgba, one.rgba);
    EXPECT_EQ(Draw(*first).rgba, one.rgba);
}

}  // namespace
