#include "launcher/ui/aux_views.h"

#include <SDL.h>
#include <imgui.h>

#include <cfloat>

#include "framework/display_report.h"
#include "launcher/error_form.h"
#include "launcher/game_list.h"
#include "launcher/quick_start.h"
#include "launcher/ui/ui_system.h"
#include "launcher/ui/ui_widgets.h"
#include "platform/message_box.h"

namespace {

void PushDialogStyle() {
    ImGui::PushStyleColor(ImGuiCol_Text, IM_COL32(0, 0, 0, 255));
    ImGui::PushStyleColor(ImGuiCol_Button, IM_COL32(210, 210, 216, 255));
    ImGui::PushStyleColor(ImGuiCol_ButtonHovered, IM_COL32(190, 200, 230, 255));
    ImGui::PushStyleColor(ImGuiCol_ButtonActive, IM_COL32(160, 175, 220, 255));
    ImGui::PushStyleColor(ImGuiCol_FrameBg, IM_COL32(255, 255, 255, 255));
    ImGui::PushStyleColor(ImGuiCol_FrameBgHovered, IM_COL32(235, 240, 255, 255));
    ImGui::PushStyleColor(ImGuiCol_CheckMark, IM_COL32(0, 0, 0, 255));
    ImGui::PushStyleColor(ImGuiCol_Border, IM_COL32(130, 130, 140, 255));
    ImGui::PushStyleColor(ImGuiCol_ChildBg, IM_COL32(255, 255, 255, 255));
    ImGui::PushStyleVar(ImGuiStyleVar_FrameBorderSize, 1.0f);
}

void PopDialogStyle() {
    ImGui::PopStyleVar();
    ImGui::PopStyleColor(9);
}

bool EnterPressed() {
    return ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Enter)) ||
           ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_KeyPadEnter));
}

// The address drawn as a link; a click opens a new mail to it.
void DrawMailLink(const char* address, const std::string& url) {
    ImGui::SetCursorPosX(10);
    ImGui::TextColored(ImVec4(0.0f, 0.0f, 0.8f, 1.0f), "%s", address);
    const ImVec2 min = ImGui::GetItemRectMin(), max = ImGui::GetItemRectMax();
    ImGui::GetWindowDrawList()->AddLine(ImVec2(min.x, max.y), max, IM_COL32(0, 0, 204, 255));
    if (ImGui::IsItemHovered()) ImGui::SetMouseCursor(ImGuiMouseCursor_Hand);
    if (ImGui::IsItemClicked() && SDL_OpenURL(url.c_str()) != 0)
        MessageBox(std::string("Unable to open a new mail: ") + SDL_GetError(), "error");
}

}  // namespace

void DrawGameList(TGameListForm& list, UiActions& later) {
    ImGui::SetCursorPos(ImVec2(10, 10));
    ImGui::TextUnformatted(TGameListForm::kPrompt);
    ImGui::SetCursorPos(ImVec2(10, 36));
    ImGui::PushStyleColor(ImGuiCol_ChildBg, IM_COL32(0, 0, 0, 255));
    // The rows take the focus straight from the window, without entering the
    // child first.
    ImGui::BeginChild("GameList", ImVec2(list.bounds.width - 20.0f, list.bounds.height - 46.0f), true,
                      ImGuiWindowFlags_NavFlattened);
    for (size_t row = 0; row < list.GameList.items.size(); ++row) {
        const bool selected = list.selected == static_cast<int>(row);
        const std::string& title = list.GameList.items[row].first;
        if (ImGui::Selectable(title.c_str(), selected, 0, ImVec2(TGameListForm::kColumnWidth, 0)) && !selected)
            later.push_back([&list, row] { list.GameListChange(static_cast<int>(row)); });
        if (selected) ImGui::SetItemDefaultFocus();
    }
    ImGui::EndChild();
    ImGui::PopStyleColor();
    if (NavPressed(ImGuiNavInput_Cancel)) later.push_back([&list] { list.Close(); });
}

void QuickStartView::Attach(TFormQuickStartGame& form) {
    TLargeHtmlLabel& label = form.HintsLabel;
    label.SetBounds(form.bounds.width - 40, 0);
    label.SetCanvas(&canvas_);
}

void QuickStartView::Draw(TFormQuickStartGame& form) {
    PushDialogStyle();
    const float width = static_cast<float>(form.bounds.width);
    const ImVec2 panelMin = ClientPoint(8, 8), panelMax = ClientPoint(width - 8, 248);
    ImDrawList* list = ImGui::GetWindowDrawList();
    list->AddRectFilled(panelMin, panelMax, OpaqueColor(TFormQuickStartGame::kPanelColor));
    list->AddRect(panelMin, panelMax, IM_COL32(130, 130, 140, 255));

    ImFont* bold = ui_.Font(STYLE_BOLD);
    const float pixels = UiSystem::PixelSize(UiFontSize::Normal);
    const float titleWidth = bold->CalcTextSizeA(pixels, FLT_MAX, 0, TFormQuickStartGame::kTitle).x;
    list->AddText(bold, pixels, ClientPoint((width - titleWidth) / 2, 12), IM_COL32(0, 0, 0, 255),
                  TFormQuickStartGame::kTitle);

    list->PushClipRect(ImVec2(panelMin.x + 1, panelMin.y + 1), ImVec2(panelMax.x - 1, panelMax.y - 1), true);
    canvas_.Target(list, ClientPoint(20, 34));
    form.HintsLabel.Paint(canvas_);
    canvas_.Target(nullptr, ImVec2(0, 0));
    list->PopClipRect();

    ImGui::SetCursorPos(ImVec2(12, 252));
    CheckBoxView(form.CheckBoxShowForm);
    const float buttonWidth = 260;
    ImGui::SetCursorPos(ImVec2((width - buttonWidth) / 2, 280));
    // B or Escape closes the hints too; a pad's first move lands on this button.
    if (ImGui::Button(TFormQuickStartGame::kCloseCaption, ImVec2(buttonWidth, 26)) || EnterPressed() ||
        NavPressed(ImGuiNavInput_Cancel))
        form.ButtonCloseClick();
    ImGui::SetItemDefaultFocus();
    PopDialogStyle();
}

bool DrawErrorForm(const TFormError& form) {
    PushDialogStyle();
    const ImVec2 size = ImGui::GetIO().DisplaySize;
    ImGui::SetCursorPos(ImVec2(10, 10));
    ImGui::PushTextWrapPos(size.x - 10);
    ImGui::TextUnformatted(TFormError::kIntro);
    ImGui::SetCursorPosX(10);
    ImGui::TextUnformatted(TFormError::kAskToSend);
    ImGui::PopTextWrapPos();
    DrawMailLink(kSupportAddress, ErrorReportMailUrl(form));
    const float memoTop = ImGui::GetCursorPosY() + 6;
    ImGui::SetCursorPos(ImVec2(10, memoTop));
    ImGui::BeginChild("MemoDetails", ImVec2(size.x - 20, size.y - 50 - memoTop), true,
                      ImGuiWindowFlags_HorizontalScrollbar | ImGuiWindowFlags_AlwaysVerticalScrollbar |
                          ImGuiWindowFlags_AlwaysHorizontalScrollbar);
    ImGui::TextUnformatted(form.MemoDetails.c_str(), form.MemoDetails.c_str() + form.MemoDetails.size());
    ImGui::EndChild();
    ImGui::SetCursorPos(ImVec2(10, size.y - 40));
    const bool close = ImGui::Button(TFormError::kCloseCaption, ImVec2(90, 28)) || NavPressed(ImGuiNavInput_Cancel);
    ImGui::SameLine(size.x - 10 - 250);
    if (ImGui::Button(TFormError::kCopyCaption, ImVec2(250, 28))) SDL_SetClipboardText(form.MemoDetails.c_str());
    PopDialogStyle();
    return !close;
}

std::optional<bool> DrawQuestion(const std::string& text) {
    PushDialogStyle();
    const ImVec2 size = ImGui::GetIO().DisplaySize;
    ImGui::SetCursorPos(ImVec2(16, 20));
    ImGui::PushTextWrapPos(size.x - 16);
    ImGui::TextUnformatted(text.c_str());
    ImGui::PopTextWrapPos();
    std::optional<bool> answer;
    const float buttonWidth = 90, y = size.y - 44;
    ImGui::SetCursorPos(ImVec2(size.x / 2 - buttonWidth - 6, y));
    if (ImGui::Button("Yes", ImVec2(buttonWidth, 28)) || EnterPressed()) answer = true;
    ImGui::SetCursorPos(ImVec2(size.x / 2 + 6, y));
    if (ImGui::Button("No", ImVec2(buttonWidth, 28)) || NavPressed(ImGuiNavInput_Cancel)) answer = false;
    PopDialogStyle();
    return answer;
}
