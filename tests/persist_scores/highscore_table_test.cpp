#include <gtest/gtest.h>

#include "persist/highscore.h"

namespace {

class HighScoreTable : public ::testing::Test {
protected:
    void SetUp() override { ClearHighScores(); }
    void Fill(std::initializer_list<int> scores) {
        int i = 0;
        for (int s : scores) {
            highScores[i].score = s;
            highScores[i].playerName = "p" + std::to_string(i);
            ++i;
        }
    }
};

TEST_F(HighScoreTable, FreshTableTakesAnyPositiveScoreAtTheTopButNeverZero) {
    EXPECT_EQ(InsertHighScore(0), -1);
    EXPECT_EQ(InsertHighScore(-5), -1);
    EXPECT_EQ(InsertHighScore(1), 0);
    EXPECT_EQ(highScores[0].score, 1);
}

TEST_F(HighScoreTable, EqualScoreGoesBelowAndLowerRowsMoveDown) {
    Fill({900, 800, 700, 600, 500, 400, 300, 200, 100, 50});
    EXPECT_EQ(InsertHighScore(700), 3);
    EXPECT_EQ(highScores[2].playerName, "p2");
    EXPECT_EQ(highScores[3].playerName, "");
    EXPECT_EQ(highScores[3].score, 700);
    EXPECT_EQ(highScores[4].playerName, "p3");
    EXPECT_EQ(highScores[9].playerName, "p8");  // old row 9 dropped
}

TEST_F(HighScoreTable, BestScoreDropsTheLastRowAndTooLowOneIsRefused) {
    Fill({900, 800, 700, 600, 500, 400, 300, 200, 100, 50});
    EXPECT_EQ(InsertHighScore(50), -1);
    EXPECT_EQ(InsertHighScore(1000), 0);
    EXPECT_EQ(highScores[1].playerName, "p0");
    EXPECT_EQ(highScores[9].score, 100);
}

TEST(NameEntry, TwentyCharactersNotBytes) {
    std::string name;
    for (int i = 0; i < 19; ++i) EXPECT_EQ(EditName(name, 'a'), NameEdit::Changed);
    EXPECT_EQ(EditName(name, 0x00E9), NameEdit::Changed);  // é, two bytes
    EXPECT_EQ(Utf8Length(name), 20u);
    EXPECT_EQ(name.size(), 21u);
    EXPECT_EQ(EditName(name, 'z'), NameEdit::Unchanged);
    EXPECT_EQ(EditName(name, 8), NameEdit::Changed);  // removes the whole é
    EXPECT_EQ(name, std::string(19, 'a'));
}

TEST(NameEntry, ControlCharactersAreIgnoredCommandLettersAreText) {
    std::string name;
    EXPECT_EQ(EditName(name, 27), NameEdit::Unchanged);
    EXPECT_EQ(EditName(name, '\t'), NameEdit::Unchanged);
    EXPECT_EQ(EditName(name, 0xD800), NameEdit::Unchanged);  // lone surrogate
    EditName(name, 'q');
    EditName(name, 'r');
    EditName(name, 0x1F680);  // four-byte character
    EXPECT_EQ(name, "qr\xF0\x9F\x9A\x80");
    EXPECT_EQ(EditName(name, 13), NameEdit::Finished);
    EXPECT_EQ(EditName(name, 10), NameEdit::Finished);
    std::string empty;
    EXPECT_EQ(EditName(empty, 8), NameEdit::Unchanged);
}

}  // namespace
