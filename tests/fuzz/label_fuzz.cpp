// Mini-markup label layout: any text, with the options taken from the first
// byte, lays out and paints; measuring draws nothing, and the measured width
// is the sum of the widths of the words painted.
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "launcher/html_label.h"

namespace {

// Fixed-pitch metrics: bold is wider, italic taller, so style changes matter.
class CountingCanvas : public LabelCanvas {
public:
    LabelSize TextExtent(const std::string& text, const LabelFont& font) override {
        return {int(text.size()) * ((font.style & STYLE_BOLD) ? 8 : 7), (font.style & STYLE_ITALIC) ? 15 : 13};
    }
    void TextOut(int, int, const std::string& text, const LabelFont& font) override {
        ++drawn;
        if (text != " ") wordWidth += TextExtent(text, font).width;
    }
    void FillRect(int, int, int, int, uint32_t) override {}
    int drawn = 0;
    int wordWidth = 0;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t options = data[0];
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

    CountingCanvas canvas;
    TLargeHtmlLabel large;
    THtmlLabel small;
    for (THtmlLabelBase* label : {static_cast<THtmlLabelBase*>(&large), static_cast<THtmlLabelBase*>(&small)}) {
        label->SetCanvas(&canvas);
        label->SetBounds(20 + (options >> 4) * 16, 13);
        label->SetAlignment(LabelAlignment((options & 3) % 3));
        label->SetWordWrap(options & 4);
        label->SetAutoSize(options & 8);
    }
    large.SetLines(Lines(text));
    small.SetCaption(text);

    for (THtmlLabelBase* label : {static_cast<THtmlLabelBase*>(&large), static_cast<THtmlLabelBase*>(&small)}) {
        canvas.drawn = 0;
        const LabelSize extent = label->GetExtent();
        FUZZ_CHECK(canvas.drawn == 0);
        FUZZ_CHECK(extent.width >= 0 && extent.height >= 0);
        if (label->AutoSize()) FUZZ_CHECK(label->Width() == extent.width);
        canvas.wordWidth = 0;
        label->Paint();
        FUZZ_CHECK(canvas.wordWidth == extent.width);
    }
    return 0;
}
