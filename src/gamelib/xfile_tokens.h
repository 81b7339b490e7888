// Tokens of the text form of .x files.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

enum class XTokenKind { Word, Open, Close, String, Guid };

struct XToken {
    XTokenKind kind;
    std::string_view text;  // a string's or GUID's without its delimiters
};

// Splits the text that follows the 16-byte header. Words are runs of
// characters other than white space, ',', ';', braces, '"' and '<'; ',' and
// ';' only separate; a '#' or "//" where a token would start comments out the
// rest of the line. None for a NUL byte, or a string or GUID left open or
// running over a line's end.
std::optional<std::vector<XToken>> SplitXTokens(std::string_view body);
