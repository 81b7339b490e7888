// The mini-markup labels measured and drawn with the launcher's fonts into
// an interface draw list; underline and strike-out are drawn as lines.
#pragma once

#include <imgui.h>

#include "launcher/html_label.h"
#include "launcher/ui/ui_system.h"

class ImGuiLabelCanvas : public LabelCanvas {
public:
    ImGuiLabelCanvas(const UiSystem& ui, UiFontSize size) : ui_(ui), size_(size) {}

    // Where the label's (0, 0) is, and the list drawn into (none: measure only).
    void Target(ImDrawList* list, ImVec2 origin) {
        list_ = list;
        origin_ = origin;
    }

    LabelSize TextExtent(const std::string& text, const LabelFont& font) override;
    void TextOut(int x, int y, const std::string& text, const LabelFont& font) override;
    void FillRect(int x, int y, int width, int height, uint32_t color) override;

private:
    const UiSystem& ui_;
    UiFontSize size_;
    ImDrawList* list_ = nullptr;
    ImVec2 origin_{0, 0};
};

// 0xRRGGBB as an opaque interface colour.
ImU32 OpaqueColor(uint32_t rgb);
