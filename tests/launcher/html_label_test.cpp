// The mini-markup labels' layout, measured with a canvas of fixed glyph
// sizes: 10 pixels a character (12 in bold), lines 16 pixels high (20 in bold).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/html_label.h"

namespace {

struct Drawn {
    int x, y;
    std::string text;
    LabelFont font;
};

class FixedCanvas : public LabelCanvas {
public:
    LabelSize TextExtent(const std::string& text, const LabelFont& font) override {
        const bool bold = font.style & STYLE_BOLD;
        return {static_cast<int>(text.size()) * (bold ? 12 : 10), bold ? 20 : 16};
    }
    void TextOut(int x, int y, const std::string& text, const LabelFont& font) override {
        drawn.push_back({x, y, text, font});
    }
    void FillRect(int, int, int width, int height, uint32_t color) override {
        fills.push_back({width, height, std::to_string(color), {}});
    }
    // The words drawn, without the spaces between them.
    std::vector<Drawn> Words() const {
        std::vector<Drawn> words;
        for (const Drawn& d : drawn)
            if (d.text != " ") words.push_back(d);
        return words;
    }
    std::vector<Drawn> drawn, fills;
};

class HtmlLabelTest : public ::testing::Test {
protected:
    TLargeHtmlLabel& Large(std::vector<std::string> lines, int width = 1000, bool wrap = false) {
        large_.SetCanvas(&canvas_);
        large_.SetBounds(width, 100);
        large_.SetWordWrap(wrap);
        large_.SetLines(std::move(lines));
        return large_;
    }
    std::vector<Drawn> Paint(THtmlLabelBase& label) {
        canvas_.drawn.clear();
        label.Paint(canvas_);
        return canvas_.Words();
    }
    FixedCanvas canvas_;
    TLargeHtmlLabel large_;
};

TEST_F(HtmlLabelTest, TagsSplitWordsWithoutAddingSpace) {
    const std::vector<Drawn> words = Paint(Large({"a<b>b</b>c"}));
    ASSERT_EQ(canvas_.drawn.size(), 3u);  // no space drawn
    EXPECT_EQ(words[0].text, "a");
    EXPECT_EQ(words[0].x, 0);
    EXPECT_EQ(words[1].text, "b");
    EXPECT_EQ(words[1].x, 10);
    EXPECT_TRUE(words[1].font.style & STYLE_BOLD);
    EXPECT_EQ(words[2].text, "c");
    EXPECT_EQ(words[2].x, 22);
    EXPECT_FALSE(words[2].font.style & STYLE_BOLD);
}

TEST_F(HtmlLabelTest, SpacesAdvanceThePenAndAreDrawnInTheCurrentFont) {
    Paint(Large({"ab <u>cd ef</u>"}));
    ASSERT_EQ(canvas_.drawn.size(), 5u);
    EXPECT_EQ(canvas_.drawn[1].text, " ");
    EXPECT_EQ(canvas_.drawn[1].x, 20);
    EXPECT_EQ(canvas_.drawn[2].x, 30);
    // The space inside the underlined run is underlined too.
    EXPECT_EQ(canvas_.drawn[3].text, " ");
    EXPECT_TRUE(canvas_.drawn[3].font.style & STYLE_UNDERLINE);
    EXPECT_EQ(canvas_.drawn[4].x, 60);
}

TEST_F(HtmlLabelTest, ALineAfterABreakStartsWithoutItsLeadingSpaces) {
    const std::vector<Drawn> words = Paint(Large({"first", "<br>   second"}));
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[1].text, "second");
    EXPECT_EQ(words[1].x, 0);
    EXPECT_EQ(words[1].y, 16);
    // The one space joining the lines comes before the break, on line one.
    for (const Drawn& d : canvas_.drawn) {
        if (d.text == " ") {
            EXPECT_EQ(d.y, 0);
        }
    }
}

TEST_F(HtmlLabelTest, CapitalTagsWork) {
    const std::vector<Drawn> words = Paint(Large({"one<BR>two <B>three</B> <I>four</i>"}));
    ASSERT_EQ(words.size(), 4u);
    EXPECT_EQ(words[1].y, 16);
    EXPECT_EQ(words[1].x, 0);
    EXPECT_TRUE(words[2].font.style & STYLE_BOLD);
    EXPECT_TRUE(words[3].font.style & STYLE_ITALIC);
}

TEST_F(HtmlLabelTest, AParagraphSkipsTwoLinesOfTheTallestWord) {
    const std::vector<Drawn> words = Paint(Large({"<b>big</b> small<p>next"}));
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[2].y, 40);
    EXPECT_EQ(words[2].x, 0);
}

TEST_F(HtmlLabelTest, WrappingMovesAWholeWordToTheNextLine) {
    const std::vector<Drawn> words = Paint(Large({"aaa bbb cc"}, 65, true));
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[0].y, 0);
    EXPECT_EQ(words[1].text, "bbb");
    EXPECT_EQ(words[1].x, 0);
    EXPECT_EQ(words[1].y, 16);
    EXPECT_EQ(words[2].x, 40);
    EXPECT_EQ(words[2].y, 16);
}

TEST_F(HtmlLabelTest, AWordWiderThanTheLabelRunsPastItsEdge) {
    const std::vector<Drawn> words = Paint(Large({"ab abcdefghij cd"}, 50, true));
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[1].x, 0);
    EXPECT_EQ(words[1].y, 16);
    EXPECT_EQ(words[2].y, 32);
    // Starting the text, it stays on the first line: no empty line above it.
    const std::vector<Drawn> alone = Paint(Large({"abcdefghij"}, 50, true));
    EXPECT_EQ(alone[0].y, 0);
}

TEST_F(HtmlLabelTest, WithoutWrapEverythingStaysOnOneLine) {
    const std::vector<Drawn> words = Paint(Large({"aaa bbb cc"}, 30, false));
    for (const Drawn& w : words) EXPECT_EQ(w.y, 0);
    EXPECT_EQ(words[2].x, 80);
}

TEST_F(HtmlLabelTest, AutoSizeTakesTheWordWidthsAndOneLineHeight) {
    TLargeHtmlLabel& label = Large({"ab", "<br>cde", "<br>f"});
    label.SetAutoSize(true);
    EXPECT_EQ(label.Width(), 60);  // spaces are not counted
    EXPECT_EQ(label.Height(), 16);
    const LabelSize extent = label.GetExtent();
    EXPECT_EQ(extent.width, 60);
    EXPECT_EQ(extent.height, 16);
}

TEST_F(HtmlLabelTest, AlignmentPlacesTheLineOrigin) {
    TLargeHtmlLabel& label = Large({"abc"}, 100);
    label.SetAlignment(LabelAlignment::Right);
    EXPECT_EQ(label.OriginX(), 70);
    EXPECT_EQ(Paint(label)[0].x, 70);
    label.SetAlignment(LabelAlignment::Center);
    EXPECT_EQ(label.OriginX(), 35);
    label.SetAlignment(LabelAlignment::Left);
    EXPECT_EQ(label.OriginX(), 0);
}

TEST_F(HtmlLabelTest, BlueAndLinksRestoreTheRememberedColour) {
    TLargeHtmlLabel& label = Large({"<blue>x</blue>y <hyper>link</hyper> z<strike>s</strike>"});
    label.SetFont({0, 0x112233});
    const std::vector<Drawn> words = Paint(label);
    ASSERT_EQ(words.size(), 5u);
    EXPECT_EQ(words[0].font.color, kLabelBlue);
    EXPECT_EQ(words[1].font.color, 0x112233u);
    EXPECT_EQ(words[2].font.color, kLabelBlue);
    EXPECT_TRUE(words[2].font.style & STYLE_UNDERLINE);
    EXPECT_EQ(words[3].font.color, 0x112233u);
    EXPECT_FALSE(words[3].font.style & STYLE_UNDERLINE);
    EXPECT_TRUE(words[4].font.style & STYLE_STRIKEOUT);
}

TEST_F(HtmlLabelTest, UnknownTagsAreText) {
    const std::vector<Drawn> words = Paint(Large({"<em>x"}));
    ASSERT_EQ(words.size(), 1u);
    EXPECT_EQ(words[0].text, "<em>x");
}

TEST_F(HtmlLabelTest, LinesJoinWithOneSpace) {
    const std::vector<Drawn> words = Paint(Large({"a", "b ", "c", "", "d"}));
    ASSERT_EQ(words.size(), 4u);
    EXPECT_EQ(words[1].x, 20);
    EXPECT_EQ(words[2].x, 40);
    EXPECT_EQ(words[3].x, 60);
}

TEST_F(HtmlLabelTest, PaintFillsTheClientAreaFirst) {
    TLargeHtmlLabel& label = Large({"a"}, 80);
    label.color = 0xFFFFE1;
    Paint(label);
    ASSERT_EQ(canvas_.fills.size(), 1u);
    EXPECT_EQ(canvas_.fills[0].x, 80);
    EXPECT_EQ(canvas_.fills[0].text, std::to_string(0xFFFFE1));
}

TEST(HtmlLabel, OneLineLabelsHaveNoBreakTags) {
    FixedCanvas canvas;
    THtmlLabel label;
    label.SetCanvas(&canvas);
    label.SetCaption("a<br>b <b>c</b>");
    label.SetAutoSize(true);
    EXPECT_EQ(label.Width(), 60 + 12);
    label.Paint(canvas);
    const std::vector<Drawn> words = canvas.Words();
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0].text, "a<br>b");
    EXPECT_EQ(words[1].y, 0);
    EXPECT_EQ(label.Height(), 20);
}

}  // namespace
