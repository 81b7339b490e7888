// Every name a Controls tab box can show fits the box whole, in the face the
// launcher draws it with, at the launcher's fixed size: the labels of every
// game, the keys under several keyboard layouts, and a pad's controls by a
// controller's layout and as a raw joystick's.
#include <imgui.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "input/arcademisc.h"
#include "input/pad_bindings.h"
#include "launcher/form_controls.h"
#include "launcher/ui/settings_panel.h"
#include "launcher/ui/ui_system.h"
#include "launcher_fixture.h"
#include "platform/vk_map.h"

namespace {

namespace panel = settings_panel;

// French positions: A and Q, Z and W swapped, M beside L, digits shifted.
SDL_Keycode Azerty(SDL_Scancode position) {
    switch (position) {
        case SDL_SCANCODE_A: return SDLK_q;
        case SDL_SCANCODE_Q: return SDLK_a;
        case SDL_SCANCODE_W: return SDLK_z;
        case SDL_SCANCODE_Z: return SDLK_w;
        case SDL_SCANCODE_1: return 0xE9;  // é
        case SDL_SCANCODE_2: return 0xE8;  // è
        default: return SDLK_UNKNOWN;  // as on a US keyboard
    }
}

// A layout that says nothing: US names.
SDL_Keycode Us(SDL_Scancode) { return SDLK_UNKNOWN; }

// A layout whose letters are Cyrillic, among the widest letters the face has.
SDL_Keycode Cyrillic(SDL_Scancode position) {
    if (position >= SDL_SCANCODE_A && position <= SDL_SCANCODE_Z) return 0x0416 + (position - SDL_SCANCODE_A) % 4;  // Ж З И Й
    return SDLK_UNKNOWN;
}

class BindingNamesFitTest : public LauncherTest {
protected:
    void SetUp() override {
        LauncherTest::SetUp();
        ui_ = std::make_unique<UiSystem>();
        context_ = ImGui::CreateContext(ui_->Atlas());
        ImGuiIO& io = ImGui::GetIO();
        io.DisplaySize = ImVec2(kFormClientWidth, kFormClientHeight);
        io.IniFilename = nullptr;
        io.FontDefault = ui_->Font(0);
        ImGui::NewFrame();
        panel::PushStyle();
    }
    void TearDown() override {
        panel::PopStyle();
        ImGui::EndFrame();
        ImGui::DestroyContext(context_);
        LauncherTest::TearDown();
    }

    // The width a combo box needs to show `text` whole: the text after the
    // frame's left padding, clipped where the arrow button begins.
    static float ComboNeeds(const std::string& text) {
        return panel::kFramePadX + ImGui::CalcTextSize(text.c_str()).x + ImGui::GetFrameHeight();
    }
    static void ExpectFits(const std::vector<std::string>& names, float box, const char* what) {
        float widest = 0;
        std::string longest;
        for (const std::string& name : names)
            if (ComboNeeds(name) > widest) {
                widest = ComboNeeds(name);
                longest = name;
            }
        // The interface clips text that reaches the clipping edge.
        EXPECT_LT(widest, box) << what << ": \"" << longest << "\" needs " << widest;
    }

    std::unique_ptr<UiSystem> ui_;
    ImGuiContext* context_ = nullptr;
};

TEST_F(BindingNamesFitTest, EveryKeyNameFitsItsBoxUnderEveryLayout) {
    for (KeyLayout layout : {KeyLayout(Us), KeyLayout(Azerty), KeyLayout(Cyrillic)}) {
        std::vector<std::string> names;
        for (int code = 0; code <= 254; ++code)
            if (const char* name = KeyName(code, layout)) names.emplace_back(name);
        ASSERT_EQ(names.size(), 52u);
        ExpectFits(names, panel::kKeyBox, "key box");
    }
}

TEST_F(BindingNamesFitTest, EveryControllerNameFitsItsBox) {
    for (PadLayout layout : {PadLayout::Controller, PadLayout::Raw}) {
        ListModel list;
        FillPadCombo(list, layout, PAD_BUTTON_END);
        std::vector<std::string> names;
        for (const ListItem& item : list.items) names.push_back(item.text);
        ExpectFits(names, panel::kPadBox, "controller box");
    }
}

TEST_F(BindingNamesFitTest, EveryGamesLabelsFitTheirColumn) {
    TLauncherForm& form = StartForm();
    for (TGame* game : {&Game("Driftrock Classic"), &Game("Meteor Marshal"), &Game("Shardstorm")}) {
        form.SelectGame(*game);
        for (const Label* label : {&form.LabelFire, &form.LabelTurretFire, &form.LabelAltFire, &form.LabelThrust,
                                   &form.LabelBrake, &form.LabelLeft, &form.LabelRight, &form.LabelShield}) {
            const float width = ImGui::CalcTextSize(label->caption.c_str()).x + panel::kSpacingX;
            EXPECT_LE(width, panel::kLabel) << label->caption << " needs " << width;
        }
    }
}

}  // namespace
