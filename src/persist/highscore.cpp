#include "persist/highscore.h"

THighScore highScores[NUM_HIGH_SCORES];

int InsertHighScore(int32_t score) {
    if (score <= 0) return -1;
    int pos = 0;
    while (pos < NUM_HIGH_SCORES && highScores[pos].score >= score) ++pos;
    if (pos == NUM_HIGH_SCORES) return -1;
    for (int i = NUM_HIGH_SCORES - 1; i > pos; --i) highScores[i] = highScores[i - 1];
    highScores[pos].playerName.clear();
    highScores[pos].score = score;
    return pos;
}

size_t Utf8Length(const std::string& text) {
    size_t n = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

namespace {

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsControl(uint32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp < 0xA0); }
bool IsValidCodePoint(uint32_t cp) { return cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF); }

}  // namespace

NameEdit EditName(std::string& name, uint32_t cp) {
    if (cp == 8) {
        if (name.empty()) return NameEdit::Unchanged;
        size_t end = name.size() - 1;
        while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
        name.erase(end);
        return NameEdit::Changed;
    }
    if (cp == 10 || cp == 13) return NameEdit::Finished;
    if (IsControl(cp) || !IsValidCodePoint(cp)) return NameEdit::Unchanged;
    if (Utf8Length(name) >= MAX_NAME_CHARACTERS) return NameEdit::Unchanged;
    AppendUtf8(name, cp);
    return NameEdit::Changed;
}

void ClearHighScores() {
    for (THighScore& entry : highScores) entry = THighScore{};
}
