#include "launcher/ui/imgui_label_canvas.h"

#include <cfloat>
#include <cmath>


ImU32 OpaqueColor(uint32_t rgb) { return IM_COL32((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF, 0xFF); }

LabelSize ImGuiLabelCanvas::TextExtent(const std::string& text, const LabelFont& font) {
    const ImVec2 size = ui_.Font(font.style, size_)->CalcTextSizeA(UiSystem::PixelSize(size_), FLT_MAX, 0,
                                                                   text.c_str(), text.c_str() + text.size());
    return {static_cast<int>(std::lround(size.x)), static_cast<int>(std::lround(size.y))};
}

void ImGuiLabelCanvas::TextOut(int x, int y, const std::string& text, const LabelFont& font) {
    if (!list_) return;
    ImFont* face = ui_.Font(font.style, size_);
    const float pixels = UiSystem::PixelSize(size_);
    const ImVec2 at(origin_.x + x, origin_.y + y);
    const ImU32 color = OpaqueColor(font.color);
    list_->AddText(face, pixels, at, color, text.c_str(), text.c_str() + text.size());
    const float width = face->CalcTextSizeA(pixels, FLT_MAX, 0, text.c_str(), text.c_str() + text.size()).x;
    const float scale = pixels / face->FontSize;
    if (font.style & STYLE_UNDERLINE) {
        const float line = std::floor(at.y + face->Ascent * scale) + 1.5f;
        list_->AddLine(ImVec2(at.x, line), ImVec2(at.x + width, line), color);
    }
    if (font.style & STYLE_STRIKEOUT) {
        const float line = std::floor(at.y + face->Ascent * scale * 0.62f) + 0.5f;
        list_->AddLine(ImVec2(at.x, line), ImVec2(at.x + width, line), color);
    }
}

void ImGuiLabelCanvas::FillRect(int x, int y, int width, int height, uint32_t color) {
    if (!list_) return;
    list_->AddRectFilled(ImVec2(origin_.x + x, origin_.y + y), ImVec2(origin_.x + x + width, origin_.y + y + height),
                         OpaqueColor(color));
}
