// The high score table of the current game: ten entries, best first.
#pragma once

#include <cstdint>
#include <string>

constexpr int NUM_HIGH_SCORES = 10;
constexpr int MAX_NAME_CHARACTERS = 20;

struct THighScore {
    std::string playerName;  // UTF-8
    int32_t score = 0;
};

extern THighScore highScores[NUM_HIGH_SCORES];

// Inserts a qualifying score with an empty name: the row where it went, or
// -1 when the score is not above 0 or not above the tenth entry. A score equal
// to an entry's goes below it; the last entry drops out.
int InsertHighScore(int32_t score);

// What a typed character did to a name being entered.
enum class NameEdit { Changed, Unchanged, Finished };

// Applies one typed character (a Unicode code point): backspace removes the
// last character, line feed or carriage return finishes, other control
// characters are ignored, anything else is appended while the name is
// shorter than MAX_NAME_CHARACTERS characters.
NameEdit EditName(std::string& name, uint32_t codePoint);

// Number of characters (code points) of a UTF-8 text.
size_t Utf8Length(const std::string& text);

void ClearHighScores();
