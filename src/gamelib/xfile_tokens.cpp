#include "gamelib/xfile_tokens.h"

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

bool EndsWord(char c) {
    return IsSpace(c) || c == ',' || c == ';' || c == '{' || c == '}' || c == '"' || c == '<' || c == '\0';
}

}  // namespace

std::optional<std::vector<XToken>> SplitXTokens(std::string_view body) {
    std::vector<XToken> tokens;
    tokens.reserve(body.size() / 6);  // numbers as exporters write them take about eight bytes
    size_t i = 0;
    while (i < body.size()) {
        const char c = body[i];
        if (c == '\0') return std::nullopt;
        if (c == '#' || body.substr(i, 2) == "//") {
            i = body.find('\n', i);
        } else if (IsSpace(c) || c == ',' || c == ';') {
            ++i;
        } else if (c == '{' || c == '}') {
            tokens.push_back({c == '{' ? XTokenKind::Open : XTokenKind::Close, body.substr(i++, 1)});
        } else if (c == '"' || c == '<') {
            const size_t end = body.find(c == '"' ? '"' : '>', i + 1);
            if (end == std::string_view::npos) return std::nullopt;
            const std::string_view inside = body.substr(i + 1, end - i - 1);
            if (inside.find_first_of(std::string_view("\n\0", 2)) != std::string_view::npos) return std::nullopt;
            tokens.push_back({c == '"' ? XTokenKind::String : XTokenKind::Guid, inside});
            i = end + 1;
        } else {
            const size_t start = i;
            while (i < body.size() && !EndsWord(body[i])) ++i;
            tokens.push_back({XTokenKind::Word, body.substr(start, i - start)});
        }
    }
    return tokens;
}
