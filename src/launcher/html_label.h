// Labels that draw text with a few HTML-like tags: <b>, <i>, <u>, <strike>,
// <blue>, <hyper> (blue and underlined) and, in the large label, <br> and
// <p>; with optional word wrap. Words are measured and drawn through a
// canvas, so the same layout serves the windows and the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum LabelFontStyle : uint32_t { STYLE_BOLD = 1, STYLE_ITALIC = 2, STYLE_UNDERLINE = 4, STYLE_STRIKEOUT = 8 };

struct LabelFont {
    uint32_t style = 0;        // LabelFontStyle bits
    uint32_t color = 0x000000;  // 0xRRGGBB
    bool operator==(const LabelFont&) const = default;
};

constexpr uint32_t kLabelBlue = 0x0000FF;

struct LabelSize {
    int width = 0, height = 0;
};

// Measures and draws text in the label's coordinates (0, 0 at its top left).
class LabelCanvas {
public:
    virtual ~LabelCanvas() = default;
    // Width of the text and height of its line in the font.
    virtual LabelSize TextExtent(const std::string& text, const LabelFont& font) = 0;
    // Draws the text with its cell's top left at (x, y); underline and
    // strike-out are part of the font.
    virtual void TextOut(int x, int y, const std::string& text, const LabelFont& font) = 0;
    virtual void FillRect(int x, int y, int width, int height, uint32_t color) = 0;
};

enum class LabelAlignment { Left = 0, Right = 1, Center = 2 };

class THtmlLabelBase {
public:
    virtual ~THtmlLabelBase() = default;

    // The canvas the label measures with (and paints on unless Paint is
    // given another). Set before any setter runs.
    void SetCanvas(LabelCanvas* canvas);
    void SetAlignment(LabelAlignment alignment);
    void SetWordWrap(bool wordWrap);
    void SetAutoSize(bool autoSize);
    void SetFont(const LabelFont& font);  // CMFontChanged
    void SetBounds(int width, int height);

    // Fills the client area with the label's colour and draws the text.
    void Paint(LabelCanvas& canvas);
    void Paint() { Paint(*canvas_); }
    // Measures without drawing: the sum of the word widths and the tallest word.
    LabelSize GetExtent();
    // Sizes the label to its text when auto size is on and places the line
    // origin for the alignment.
    void AutoResize();

    LabelAlignment Alignment() const { return alignment_; }
    bool WordWrap() const { return wordWrap_; }
    bool AutoSize() const { return autoSize_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int OriginX() const { return originX_; }
    // Where the pen was when the last layout ended (below the last line once
    // tallest is added).
    int PenY() const { return penY_; }
    int Tallest() const { return tallest_; }

    uint32_t color = 0xFFFFFF;  // background

protected:
    explicit THtmlLabelBase(bool lineBreaks) : lineBreaks_(lineBreaks) {}
    virtual std::string Text() const = 0;
    // Re-lays out after a property change (the repaint comes with the next frame).
    void Changed();

private:
    void ProcessCaption(LabelCanvas& canvas);
    bool ConsumeTag(const std::string& text, size_t& pos);
    void DumpText();
    void DumpSpace();

    bool lineBreaks_;
    LabelCanvas* canvas_ = nullptr;
    LabelCanvas* active_ = nullptr;  // the canvas of the layout in progress
    LabelAlignment alignment_ = LabelAlignment::Left;
    bool wordWrap_ = false;
    bool autoSize_ = false;
    int width_ = 30, height_ = 13;
    LabelFont baseFont_;

    // Layout state, rebuilt by every ProcessCaption.
    LabelFont font_;
    uint32_t savedColor_ = 0;
    int originX_ = 0, originY_ = 0;
    int penX_ = 0, penY_ = 0;
    std::string pendingWord_;
    int extentWidth_ = 0;
    int tallest_ = 0;
    bool drawing_ = false;
};

// A label of several lines joined into one text, with line and paragraph breaks.
class TLargeHtmlLabel : public THtmlLabelBase {
public:
    TLargeHtmlLabel() : THtmlLabelBase(true) {}
    void SetLines(std::vector<std::string> lines);
    const std::vector<std::string>& Lines() const { return lines_; }

protected:
    // The lines joined: one space before a line unless the text so far is
    // empty or ends in white space.
    std::string Text() const override;

private:
    std::vector<std::string> lines_;
};

// A one-line caption; <br> and <p> are not tags here.
class THtmlLabel : public THtmlLabelBase {
public:
    THtmlLabel() : THtmlLabelBase(false) {}
    void SetCaption(std::string caption);
    const std::string& Caption() const { return caption_; }

protected:
    std::string Text() const override { return caption_; }

private:
    std::string caption_;
};
