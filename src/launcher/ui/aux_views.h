// Draws the launcher's smaller windows: the game list, the quick-start
// hints and the error report.
#pragma once

#include <optional>
#include <string>

#include "launcher/ui/imgui_label_canvas.h"
#include "launcher/ui/main_form_view.h"

class TGameListForm;
class TFormQuickStartGame;
struct TFormError;
class UiSystem;

constexpr uint32_t kGameListBackground = 0x000000;
constexpr uint32_t kDialogBackground = 0xE4E4E8;

void DrawGameList(TGameListForm& list, UiActions& later);

class QuickStartView {
public:
    explicit QuickStartView(const UiSystem& ui) : ui_(ui), canvas_(ui, UiFontSize::Small) {}
    // Measures the hint label with the launcher's fonts from now on.
    void Attach(TFormQuickStartGame& form);
    void Draw(TFormQuickStartGame& form);

private:
    const UiSystem& ui_;
    ImGuiLabelCanvas canvas_;
};

// False once the player closed the form.
bool DrawErrorForm(const TFormError& form);
// A question with Yes and No (Return and Escape): the answer once given.
std::optional<bool> DrawQuestion(const std::string& text);
