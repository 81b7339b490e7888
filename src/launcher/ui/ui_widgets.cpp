#include "launcher/ui/ui_widgets.h"

float GroupBoxHeight(int rows) {
    const ImGuiStyle& style = ImGui::GetStyle();
    return ImGui::GetTextLineHeightWithSpacing() + rows * ImGui::GetFrameHeightWithSpacing() +
           2 * style.WindowPadding.y;
}

bool BeginGroupBox(const char* id, const char* caption, float width, int rows, bool visible) {
    if (!visible) return false;
    ImGui::BeginChild(id, ImVec2(width, GroupBoxHeight(rows)), true, ImGuiWindowFlags_NoScrollbar);
    ImGui::TextUnformatted(caption);
    return true;
}

void EndGroupBox() { ImGui::EndChild(); }

void RadioGroupView(const char* id, RadioGroup& group, float width) {
    if (!BeginGroupBox(id, group.caption.c_str(), width, static_cast<int>(group.items.size()), group.visible)) return;
    for (size_t i = 0; i < group.items.size(); ++i)
        if (ImGui::RadioButton(group.items[i].c_str(), group.itemIndex == static_cast<int>(i)))
            group.itemIndex = static_cast<int>(i);
    EndGroupBox();
}

bool CheckBoxView(CheckBox& box) {
    if (!box.visible) return false;
    ImGui::BeginDisabled(!box.enabled);
    const bool changed = ImGui::Checkbox(box.caption.c_str(), &box.checked);
    ImGui::EndDisabled();
    return changed;
}

void RadioButtonView(RadioButton& button, RadioButton* others[2]) {
    if (!button.visible) return;
    ImGui::BeginDisabled(!button.enabled);
    if (ImGui::RadioButton(button.caption.c_str(), button.checked)) {
        button.checked = true;
        others[0]->checked = others[1]->checked = false;
    }
    ImGui::EndDisabled();
}

void TrackBarView(const char* id, TrackBar& bar, float width) {
    if (!bar.visible) return;
    ImGui::SetNextItemWidth(width);
    ImGui::SliderInt(id, &bar.position, bar.min, bar.max, "%d", ImGuiSliderFlags_AlwaysClamp);
}

void TrackBarLegend(float left, float width, const char* low, const char* high) {
    const float y = ImGui::GetCursorPosY() - ImGui::GetStyle().ItemSpacing.y;
    const char* words[3] = {low, "Default", high};
    for (int i = 0; i < 3; ++i) {
        const float textWidth = ImGui::CalcTextSize(words[i]).x;
        ImGui::SetCursorPos(ImVec2(left + (width - textWidth) * i / 2, y));
        ImGui::TextDisabled("%s", words[i]);
        if (i < 2) ImGui::SameLine();
    }
}

void KeyBoxView(const char* id, const Label& label, KeyBox& box, float labelWidth, float boxWidth) {
    if (!box.visible) return;
    const float left = ImGui::GetCursorPosX();
    if (label.visible) {
        ImGui::AlignTextToFramePadding();
        ImGui::TextUnformatted(label.caption.c_str());
    }
    ImGui::SameLine();
    ImGui::SetCursorPosX(left + labelWidth);
    ImGui::SetNextItemWidth(boxWidth);
    KeyCombo& combo = box.combo;
    if (ImGui::BeginCombo(id, combo.Text().c_str())) {
        for (size_t i = 0; i < combo.items.size(); ++i) {
            const bool selected = combo.selected == static_cast<int>(i);
            if (ImGui::Selectable(combo.items[i].c_str(), selected)) combo.selected = static_cast<int>(i);
            if (selected) ImGui::SetItemDefaultFocus();
        }
        ImGui::EndCombo();
    }
}

bool ListComboView(const char* id, ListModel& list, float width) {
    ImGui::SetNextItemWidth(width);
    const ListItem* current = list.Selected();
    bool changed = false;
    if (ImGui::BeginCombo(id, current ? current->text.c_str() : "")) {
        for (size_t i = 0; i < list.items.size(); ++i) {
            const bool selected = list.selected == static_cast<int>(i);
            if (ImGui::Selectable(list.items[i].text.c_str(), selected) && !selected) {
                list.selected = static_cast<int>(i);
                changed = true;
            }
            if (selected) ImGui::SetItemDefaultFocus();
        }
        ImGui::EndCombo();
    }
    return changed;
}

void LabelView(const Label& label) {
    if (label.visible) ImGui::TextUnformatted(label.caption.c_str());
}

ImVec2 ClientPoint(float x, float y) {
    const ImVec2 origin = ImGui::GetWindowPos();
    return ImVec2(origin.x + x, origin.y + y);
}

bool FormButton(const Button& button, ImFont* font) {
    if (!button.visible) return false;
    if (font) ImGui::PushFont(font);
    ImGui::SetCursorPos(ImVec2(static_cast<float>(button.bounds.left), static_cast<float>(button.bounds.top)));
    ImGui::PushStyleColor(ImGuiCol_Button, IM_COL32(0, 0, 0, 255));
    ImGui::PushStyleColor(ImGuiCol_ButtonHovered, IM_COL32(48, 48, 56, 255));
    ImGui::PushStyleColor(ImGuiCol_ButtonActive, IM_COL32(80, 80, 96, 255));
    ImGui::PushStyleColor(ImGuiCol_Text, IM_COL32(255, 255, 255, 255));
    ImGui::PushStyleColor(ImGuiCol_Border, IM_COL32(200, 200, 200, 255));
    ImGui::PushStyleVar(ImGuiStyleVar_FrameRounding, button.bounds.height / 2.0f);
    ImGui::PushStyleVar(ImGuiStyleVar_FrameBorderSize, 1.0f);
    ImGui::BeginDisabled(!button.enabled);
    const bool pressed = ImGui::Button(
        button.caption.c_str(), ImVec2(static_cast<float>(button.bounds.width), static_cast<float>(button.bounds.height)));
    ImGui::EndDisabled();
    ImGui::PopStyleVar(2);
    ImGui::PopStyleColor(5);
    if (font) ImGui::PopFont();
    return pressed;
}

bool NavPressed(ImGuiNavInput input) {
    const ImGuiIO& io = ImGui::GetIO();
    return io.NavInputs[input] > 0.0f && io.NavInputsDownDuration[input] == 0.0f;
}
