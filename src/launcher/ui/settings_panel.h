// The settings panel's place and spacing in the main form, and the columns
// of its Controls tab: the device choice, then per role its label, key box
// and controller box. The boxes are wide enough for every key and control
// name in the normal face.
#pragma once

#include <imgui.h>

#include "launcher/main_form.h"

namespace settings_panel {

constexpr float kLeft = 22, kTop = 176, kWidth = 460, kHeight = 297;
static_assert(kLeft + kWidth <= kFormClientWidth, "the panel runs past the form");
// Frame padding, item spacing and window padding, across and down.
constexpr float kFramePadX = 4, kFramePadY = 2, kSpacingX = 6, kSpacingY = 3, kPaddingX = 6, kPaddingY = 5;

// The Controls tab's columns.
constexpr float kDevices = 128, kLabel = 80, kKeyBox = 94, kPadBox = 132;
// Where the binding rows start, and the room they have up to the panel's
// inner edge (a scroll bar never shows: the tab's rows fit its height).
constexpr float kBindingsLeft = kPaddingX + kDevices + kSpacingX;
constexpr float kBindingsRoom = kWidth - kPaddingX - kBindingsLeft;
static_assert(kLabel + kKeyBox + kSpacingX + kPadBox <= kBindingsRoom, "a binding row runs past the panel");

// The panel's spacing, pushed around its contents.
inline void PushStyle() {
    ImGui::PushStyleVar(ImGuiStyleVar_FramePadding, ImVec2(kFramePadX, kFramePadY));
    ImGui::PushStyleVar(ImGuiStyleVar_ItemSpacing, ImVec2(kSpacingX, kSpacingY));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(kPaddingX, kPaddingY));
}
inline void PopStyle() { ImGui::PopStyleVar(3); }

}  // namespace settings_panel
