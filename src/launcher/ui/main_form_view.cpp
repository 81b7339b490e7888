#include "launcher/ui/main_form_view.h"

#include <SDL_scancode.h>
#include <imgui.h>
#include <imgui_internal.h>

#include <string>
#include <utility>
#include <vector>

#include "launcher/main_form.h"
#include "launcher/ui/settings_panel.h"
#include "launcher/ui/ui_system.h"
#include "launcher/ui/ui_widgets.h"
#include "platform/gl/gl_target.h"
#include "platform/texel_bytes.h"

namespace {

namespace panel = settings_panel;

constexpr float kColumn = 172;  // width of one of the two columns of a tab

void GameTab(TLauncherForm& f) {
    ImGui::BeginGroup();
    RadioGroupView("mode", f.RadioGroupMode, kColumn);
    RadioGroupView("difficulty", f.RadioGroupDifficulty, kColumn);
    ImGui::EndGroup();
    ImGui::SameLine();
    ImGui::BeginGroup();
    const float pad = ImGui::GetStyle().WindowPadding.x;
    const float inner = kColumn - 2 * pad;
    if (BeginGroupBox("accel", "Acceleration Effects", kColumn, 2)) {
        TrackBarView("##accel", f.TrackBarAccel, inner);
        TrackBarLegend(pad, inner, "None", "Max");
        EndGroupBox();
    }
    if (BeginGroupBox("missile", "Projectile (Missile) Speed", kColumn, 3, f.GroupBoxMissileSpeed.visible)) {
        const float label = ImGui::CalcTextSize("Player: ").x;
        for (auto [caption, bar] : {std::pair{"Player:", &f.TrackBarPlayerMissile}, {"Enemy:", &f.TrackBarUfoMissile}}) {
            ImGui::AlignTextToFramePadding();
            ImGui::TextUnformatted(caption);
            ImGui::SameLine(pad + label);
            TrackBarView((std::string("##") + caption).c_str(), *bar, inner - label);
        }
        TrackBarLegend(pad + label, inner - label, "Slow", "Fast");
        EndGroupBox();
    }
    if (BeginGroupBox("ssi", "Game Play Settings:", kColumn, 2, f.GroupBoxGamePlay.visible)) {
        CheckBoxView(f.CheckBoxEnableBarricades);
        CheckBoxView(f.CheckBoxEnableRotation);
        EndGroupBox();
    }
    ImGui::EndGroup();
}

void GraphicsTab(TLauncherForm& f) {
    ImGui::BeginGroup();
    if (f.ComboBoxAdapter.visible) {
        ImGui::TextUnformatted("Adapter");
        if (ListComboView("##adapter", f.ComboBoxAdapter.list, kColumn)) f.ComboBoxAdapterChange();
        ImGui::Spacing();
    }
    ImGui::TextUnformatted("Resolution");
    ListComboView("##resolution", f.ComboBoxResolution.list, kColumn);
    ImGui::Spacing();
    ImGui::PushTextWrapPos(kColumn);
    CheckBoxView(f.CheckBoxEnableSpecular);
    ImGui::PopTextWrapPos();
    ImGui::EndGroup();
    ImGui::SameLine();
    RadioGroupView("background", f.RadioGroupBackground, kColumn);
}

void SoundTab(TLauncherForm& f) {
    CheckBoxView(f.CheckBoxEnableSound);
    CheckBoxView(f.CheckBoxSoundPlacement);
}

void AdvancedTab(TLauncherForm& f, UiActions& later) {
    ImGui::PushTextWrapPos(0);
    ImGui::TextUnformatted(f.LabelAdvancedNote.caption.c_str());
    ImGui::PopTextWrapPos();
    ImGui::Spacing();
    for (CheckBox* box : {&f.CheckBoxShowBounding, &f.CheckBoxShowFPS, &f.CheckBoxPresentImmediate,
                          &f.CheckBoxTimingFallback, &f.CheckBoxWireFrame, &f.CheckBoxPauseOnFocusLoss})
        CheckBoxView(*box);
    ImGui::Spacing();
    if (ImGui::Button(f.ButtonResetScores.caption.c_str())) later.push_back([&f] { f.ButtonResetScoresClick(); });
}

void CheatTab(TLauncherForm& f) {
    for (const Label& label : f.LabelCheat) LabelView(label);
    ImGui::Spacing();
    CheckBoxView(f.CheckBoxEnableCheat);
}

void ControlsTab(TLauncherForm& f) {
    constexpr float kDevices = panel::kDevices;  // the left column: device and velocity
    ImGui::BeginGroup();
    RadioButton* forKeyboard[2] = {&f.RadioButtonJoystick, &f.RadioButtonMouse};
    RadioButton* forJoystick[2] = {&f.RadioButtonKeyboard, &f.RadioButtonMouse};
    RadioButton* forMouse[2] = {&f.RadioButtonKeyboard, &f.RadioButtonJoystick};
    RadioButtonView(f.RadioButtonKeyboard, forKeyboard);
    RadioButtonView(f.RadioButtonJoystick, forJoystick);
    ImGui::Indent();
    ImGui::PushTextWrapPos(kDevices);
    ImGui::TextDisabled("%s", f.LabelJoystickName.caption.c_str());
    ImGui::PopTextWrapPos();
    ImGui::Unindent();
    RadioButtonView(f.RadioButtonMouse, forMouse);
    ImGui::Spacing();
    ImGui::TextUnformatted("Velocity:");
    TrackBarView("##velocity", f.TrackBarMouseVelocity, kDevices - 10);
    TrackBarLegend(ImGui::GetCursorPosX(), kDevices - 10, "None", "Max");
    ImGui::EndGroup();
    ImGui::SameLine();

    // One row per role: its key and its controller binding.
    constexpr float kLabel = panel::kLabel, kBox = panel::kKeyBox, kPad = panel::kPadBox;
    const float left = panel::kBindingsLeft;
    ImGui::SetCursorPosX(left);
    ImGui::BeginGroup();
    const float padLeft = left + kLabel + kBox + panel::kSpacingX;
    ImGui::SetCursorPosX(left + kLabel);
    ImGui::TextDisabled("Keyboard");
    ImGui::SameLine();
    ImGui::SetCursorPosX(padLeft);
    ImGui::TextDisabled("Controller");
    const Label none;
    struct Row {
        const char *keyId, *padId;
        const Label& label;
        KeyBox& key;
        PadBox* pad;
    };
    const Row rows[] = {
        {"##fire", "##padfire", f.LabelFire, f.ComboBoxKeyFire, &f.ComboBoxPadFire},
        {"##fire0", nullptr, f.LabelTurretFire, f.ComboBoxKeyFire0, nullptr},
        {"##fire1", nullptr, none, f.ComboBoxKeyFire1, nullptr},
        {"##fire2", nullptr, none, f.ComboBoxKeyFire2, nullptr},
        {"##altfire", "##padaltfire", f.LabelAltFire, f.ComboBoxKeyAltFire, &f.ComboBoxPadAltFire},
        {"##thrust", "##padthrust", f.LabelThrust, f.ComboBoxKeyThrust, &f.ComboBoxPadThrust},
        {"##brake", nullptr, f.LabelBrake, f.ComboBoxKeyBrake, nullptr},
        {"##left", "##padleft", f.LabelLeft, f.ComboBoxKeyLeft, &f.ComboBoxPadLeft},
        {"##right", "##padright", f.LabelRight, f.ComboBoxKeyRight, &f.ComboBoxPadRight},
        {"##shield", "##padshield", f.LabelShield, f.ComboBoxKeyShield, &f.ComboBoxPadShield},
    };
    for (const Row& row : rows) {
        KeyBoxView(row.keyId, row.label, row.key, kLabel, kBox);
        if (!row.pad || !row.pad->visible) continue;
        ImGui::SameLine();
        ImGui::SetCursorPosX(padLeft);
        ListComboView(row.padId, row.pad->list, kPad);
    }
    ImGui::Spacing();
    if (ImGui::Button(f.ButtonResetKeyboard.caption.c_str())) f.ButtonResetKeyboardClick();
    ImGui::EndGroup();
}

void AboutTab(TLauncherForm& f, const UiSystem& ui) {
    ImGui::Dummy(ImVec2(0, 40));
    ImGui::PushFont(ui.Font(STYLE_BOLD));
    const float width = ImGui::GetContentRegionAvail().x;
    ImGui::SetCursorPosX((width - ImGui::CalcTextSize(f.LabelProgName.caption.c_str()).x) / 2);
    LabelView(f.LabelProgName);
    ImGui::PopFont();
    ImGui::SetCursorPosX((width - ImGui::CalcTextSize(f.LabelVersion.caption.c_str()).x) / 2);
    LabelView(f.LabelVersion);
}

}  // namespace

void MainFormView::Release() {
    if (texture_) glDeleteTextures(1, &texture_);
    texture_ = 0;
    textureSerial_ = 0;
}

void MainFormView::SyncPicture(const TLauncherForm& form) {
    if (form.pictureSerial == textureSerial_) return;
    textureSerial_ = form.pictureSerial;
    const DecodedImage& picture = form.cartPicture;
    if (!texture_) glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    // A8R8G8B8 texels are B, G, R, A bytes in memory; RGBA is what every GL target takes.
    const std::vector<uint8_t> rgba =
        RgbaFromBgra(reinterpret_cast<const uint8_t*>(picture.argb.data()), picture.argb.size(), false);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(picture.width),
                 static_cast<GLsizei>(picture.height), 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
}

void MainFormView::Draw(TLauncherForm& form, UiActions& later, const std::function<void()>& exit) {
    // Keys and pads start on Play: one press plays.
    if (!started_) focus_ = &form.ButtonPlay;
    started_ = true;
    SyncPicture(form);
    ImDrawList* list = ImGui::GetWindowDrawList();
    const ImVec2 min = ClientPoint(kCartPictureRect.left, kCartPictureRect.top);
    const ImVec2 max = ClientPoint(kCartPictureRect.left + kCartPictureRect.width,
                                   kCartPictureRect.top + kCartPictureRect.height);
    if (texture_ && !form.cartPicture.argb.empty())
        list->AddImage(reinterpret_cast<ImTextureID>(static_cast<intptr_t>(texture_)), min, max);
    else
        list->AddRectFilled(min, max, IM_COL32(24, 24, 36, 255), 12.0f);
    list->AddRect(ImVec2(min.x - 1, min.y - 1), ImVec2(max.x + 1, max.y + 1), IM_COL32(90, 90, 110, 255), 12.0f, 0, 2);

    ImFont* small = ui_.Font(0, UiFontSize::Small);
    if (FormButton(form.ButtonPlay)) later.push_back([&form] { form.Play(); });
    ImGui::SetItemDefaultFocus();
    FocusIfAsked(form.ButtonPlay);
    if (FormButton(form.ButtonSettings)) form.ButtonSettingsClick();
    FocusIfAsked(form.ButtonSettings);
    if (FormButton(form.ButtonDocumentation, small))
        later.push_back([&form] { form.ButtonDocumentationClick(); });
    if (FormButton(form.ButtonDemo, small)) later.push_back([&form] { form.PlayDemo(); });
    if (FormButton(form.ButtonExit, small)) later.push_back(exit);
    // X or F6 opens the game list and hands it the keyboard.
    if (NavPressed(ImGuiNavInput_Menu) || ImGui::IsKeyPressed(SDL_SCANCODE_F6, false))
        later.push_back([&form] { form.OpenGameList(); });
    if (form.SettingsPanel.visible) DrawSettings(form, later);
}

void MainFormView::FocusIfAsked(const Button& button) {
    if (focus_ != &button) return;
    ImGui::SetFocusID(ImGui::GetItemID(), ImGui::GetCurrentWindow());
    GImGui->NavDisableHighlight = false;
    focus_ = nullptr;
}

void MainFormView::DrawSettings(TLauncherForm& form, UiActions& later) {
    // B or Escape backs out of the panel once no list is open or control
    // held; the shoulders step through the tabs.
    if (!ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopupId) && !ImGui::IsAnyItemActive()) {
        if (NavPressed(ImGuiNavInput_Cancel)) {
            form.ButtonSettingsClick();
            focus_ = &form.ButtonSettings;
            return;
        }
        if (NavPressed(ImGuiNavInput_FocusPrev)) form.StepTab(-1);
        if (NavPressed(ImGuiNavInput_FocusNext)) form.StepTab(1);
    }
    ImGui::SetCursorPos(ImVec2(panel::kLeft, panel::kTop));
    ImGui::PushStyleColor(ImGuiCol_ChildBg, IM_COL32(28, 30, 40, 250));
    panel::PushStyle();
    ImGui::BeginChild("SettingsPanel", ImVec2(panel::kWidth, panel::kHeight), true);
    ImGui::PopStyleColor();
    // Seven captions fit across the panel in the small face.
    ImFont* small = ui_.Font(0, UiFontSize::Small);
    ImGui::PushFont(small);
    const bool tabs = ImGui::BeginTabBar("tabs");
    ImGui::PopFont();
    if (tabs) {
        // A tab chosen by the form (a new game shows "Game") is selected once;
        // after that the player's clicks decide.
        const bool forced = form.activeTab != shownTab_;
        for (int tab = 0; tab < TAB_COUNT; ++tab) {
            const ImGuiTabItemFlags flags = forced && tab == form.activeTab ? ImGuiTabItemFlags_SetSelected : 0;
            ImGui::PushFont(small);
            const bool open = ImGui::BeginTabItem(kSettingsTabCaptions[tab], nullptr, flags);
            ImGui::PopFont();
            if (!open) continue;
            shownTab_ = tab;
            if (!forced) form.activeTab = tab;
            switch (tab) {
                case TAB_GAME: GameTab(form); break;
                case TAB_GRAPHICS: GraphicsTab(form); break;
                case TAB_SOUND: SoundTab(form); break;
                case TAB_ADVANCED: AdvancedTab(form, later); break;
                case TAB_CHEAT: CheatTab(form); break;
                case TAB_CONTROLS: ControlsTab(form); break;
                case TAB_ABOUT: AboutTab(form, ui_); break;
            }
            ImGui::EndTabItem();
        }
        ImGui::EndTabBar();
    }
    ImGui::EndChild();
    panel::PopStyle();
}
