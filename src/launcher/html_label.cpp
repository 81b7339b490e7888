#include "launcher/html_label.h"

#include <strings.h>

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

enum class TagEffect {
    Paragraph, LineBreak, HyperOn, HyperOff, StyleOn, StyleOff, BlueOn, BlueOff
};

struct Tag {
    const char* text;
    TagEffect effect;
    uint32_t style;
};

// Tested in this order at each position; the first match is consumed.
constexpr Tag kTags[] = {
    {"<p>", TagEffect::Paragraph, 0},
    {"<br>", TagEffect::LineBreak, 0},
    {"<hyper>", TagEffect::HyperOn, 0},
    {"</hyper>", TagEffect::HyperOff, 0},
    {"<b>", TagEffect::StyleOn, STYLE_BOLD},
    {"</b>", TagEffect::StyleOff, STYLE_BOLD},
    {"<u>", TagEffect::StyleOn, STYLE_UNDERLINE},
    {"</u>", TagEffect::StyleOff, STYLE_UNDERLINE},
    {"<i>", TagEffect::StyleOn, STYLE_ITALIC},
    {"</i>", TagEffect::StyleOff, STYLE_ITALIC},
    {"<strike>", TagEffect::StyleOn, STYLE_STRIKEOUT},
    {"</strike>", TagEffect::StyleOff, STYLE_STRIKEOUT},
    {"<blue>", TagEffect::BlueOn, 0},
    {"</blue>", TagEffect::BlueOff, 0},
};

bool StartsWithNoCase(const std::string& text, size_t pos, const char* prefix) {
    const size_t n = std::char_traits<char>::length(prefix);
    return text.size() - pos >= n && strncasecmp(text.c_str() + pos, prefix, n) == 0;
}

}  // namespace

void THtmlLabelBase::SetCanvas(LabelCanvas* canvas) {
    canvas_ = canvas;
    Changed();
}

void THtmlLabelBase::SetAlignment(LabelAlignment alignment) {
    alignment_ = alignment;
    Changed();
}

void THtmlLabelBase::SetWordWrap(bool wordWrap) {
    wordWrap_ = wordWrap;
    Changed();
}

void THtmlLabelBase::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    Changed();
}

void THtmlLabelBase::SetFont(const LabelFont& font) {
    baseFont_ = font;
    Changed();
}

void THtmlLabelBase::SetBounds(int width, int height) {
    width_ = width;
    height_ = height;
    Changed();
}

void THtmlLabelBase::Changed() {
    if (canvas_) AutoResize();
}

void THtmlLabelBase::Paint(LabelCanvas& canvas) {
    canvas.FillRect(0, 0, width_, height_, color);
    drawing_ = true;
    ProcessCaption(canvas);
}

LabelSize THtmlLabelBase::GetExtent() {
    if (!canvas_) return {};
    drawing_ = false;
    ProcessCaption(*canvas_);
    return {extentWidth_, tallest_};
}

void THtmlLabelBase::AutoResize() {
    const LabelSize extent = GetExtent();
    if (autoSize_) {
        width_ = extent.width;
        height_ = extent.height;
    }
    originY_ = 0;
    switch (alignment_) {
        case LabelAlignment::Left: originX_ = 0; break;
        case LabelAlignment::Right: originX_ = width_ - extent.width; break;
        case LabelAlignment::Center: originX_ = (width_ - extent.width) / 2; break;
    }
}

void THtmlLabelBase::ProcessCaption(LabelCanvas& canvas) {
    active_ = &canvas;
    font_ = baseFont_;
    savedColor_ = baseFont_.color;
    pendingWord_.clear();
    penX_ = originX_;
    penY_ = originY_;
    extentWidth_ = 0;
    tallest_ = 0;

    const std::string text = Text();
    size_t pos = 0;
    while (pos < text.size()) {
        if (ConsumeTag(text, pos)) continue;
        const char c = text[pos++];
        if (c == ' ') {
            DumpText();
            DumpSpace();
        } else {
            pendingWord_ += c;
        }
    }
    DumpText();
    active_ = nullptr;
}

bool THtmlLabelBase::ConsumeTag(const std::string& text, size_t& pos) {
    if (text[pos] != '<') return false;
    for (const Tag& tag : kTags) {
        const bool breakTag = tag.effect == TagEffect::Paragraph || tag.effect == TagEffect::LineBreak;
        if ((breakTag && !lineBreaks_) || !StartsWithNoCase(text, pos, tag.text)) continue;
        pos += std::char_traits<char>::length(tag.text);
        DumpText();
        switch (tag.effect) {
            case TagEffect::Paragraph:
                penX_ = originX_;
                penY_ += 2 * tallest_;
                break;
            case TagEffect::LineBreak:
                penX_ = originX_;
                penY_ += tallest_;
                break;
            case TagEffect::HyperOn:
                savedColor_ = font_.color;
                font_.color = kLabelBlue;
                font_.style |= STYLE_UNDERLINE;
                break;
            case TagEffect::HyperOff:
                font_.color = savedColor_;
                font_.style &= ~STYLE_UNDERLINE;
                break;
            case TagEffect::StyleOn: font_.style |= tag.style; break;
            case TagEffect::StyleOff: font_.style &= ~tag.style; break;
            case TagEffect::BlueOn:
                savedColor_ = font_.color;
                font_.color = kLabelBlue;
                break;
            case TagEffect::BlueOff: font_.color = savedColor_; break;
        }
        return true;
    }
    return false;
}

void THtmlLabelBase::DumpText() {
    if (pendingWord_.empty()) return;
    const LabelSize size = active_->TextExtent(pendingWord_, font_);
    // A word that does not fit starts a new line, unless it already starts
    // one: then it runs past the edge rather than leaving an empty line.
    if (wordWrap_ && penX_ != originX_ && penX_ + size.width > width_) {
        penX_ = originX_;
        penY_ += tallest_;
    }
    if (drawing_) active_->TextOut(penX_, penY_, pendingWord_, font_);
    penX_ += size.width;
    extentWidth_ += size.width;
    tallest_ = std::max(tallest_, size.height);
    pendingWord_.clear();
}

void THtmlLabelBase::DumpSpace() {
    if (penX_ == originX_) return;
    if (drawing_) active_->TextOut(penX_, penY_, " ", font_);
    penX_ += active_->TextExtent(" ", font_).width;
}

void TLargeHtmlLabel::SetLines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    Changed();
}

std::string TLargeHtmlLabel::Text() const {
    std::string text;
    for (const std::string& line : lines_) {
        if (!text.empty() && !std::isspace(static_cast<unsigned char>(text.back()))) text += ' ';
        text += line;
    }
    return text;
}

void THtmlLabel::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    Changed();
}
