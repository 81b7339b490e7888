#include "persist/key_file.h"

#include <algorithm>
#include <utility>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

std::string_view TrimStart(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

std::string_view TrimEnd(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7f; }

// "[name]" with optional blanks after it; the name has no brackets or
// control bytes and is not empty.
std::optional<std::string_view> GroupHeader(std::string_view line) {
    if (line.empty() || line.front() != '[') return std::nullopt;
    size_t close = line.find(']');
    if (close == std::string_view::npos || !TrimStart(line.substr(close + 1)).empty()) return std::nullopt;
    std::string_view name = line.substr(1, close - 1);
    if (name.empty() || std::any_of(name.begin(), name.end(), [](char c) {
            return c == '[' || IsControl(static_cast<unsigned char>(c));
        }))
        return std::nullopt;
    return name;
}

// A key: no "=", no blank at either end; "[" only for a trailing "[locale]".
bool IsKeyName(std::string_view key) {
    if (key.empty() || key.front() == ' ' || key.back() == ' ') return false;
    size_t open = key.find_first_of("[]");
    if (open == std::string_view::npos) return true;
    return key[open] == '[' && key.back() == ']' && open + 2 < key.size() &&
           key.substr(open + 1, key.size() - open - 2).find_first_of("[]") == std::string_view::npos;
}

std::string Quoted(std::string_view line) { return "\"" + std::string(line) + "\""; }

// The control bytes with C escapes of their own, and the letter of each.
constexpr char kNamedEscapes[][2] = {{'\b', 'b'}, {'\f', 'f'}, {'\n', 'n'}, {'\r', 'r'}, {'\t', 't'}, {'\v', 'v'}};

// The letter of a control byte's escape (`toLetter`) or the byte of an
// escape's letter; null when `c` has none.
const char* NamedEscape(char c, bool toLetter) {
    for (const auto& pair : kNamedEscapes)
        if (pair[toLetter ? 0 : 1] == c) return &pair[toLetter ? 1 : 0];
    return nullptr;
}

}  // namespace

bool KeyFile::Load(std::string_view text, std::string& error) {
    std::vector<Group> groups(1);
    size_t number = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        const std::string where = "line " + std::to_string(number) + " ";
        if (!IsValidUtf8(raw)) {
            error = where + "is not UTF-8";
            return false;
        }
        std::string_view line = TrimStart(raw);
        if (line.empty() || line.front() == '#') {
            groups.back().lines.push_back({"", std::string(line)});
        } else if (auto name = GroupHeader(line)) {
            auto same = std::find_if(groups.begin() + 1, groups.end(), [&](const Group& g) { return g.name == *name; });
            if (same == groups.end()) {
                groups.push_back({std::string(*name), {}});
            } else {
                // A repeated group continues the earlier one.
                Group moved = std::move(*same);
                groups.erase(same);
                groups.push_back(std::move(moved));
            }
        } else if (size_t equals = line.find('='); equals != std::string_view::npos && equals > 0) {
            std::string_view key = TrimEnd(line.substr(0, equals));
            std::string value(TrimStart(line.substr(equals + 1)));
            if (groups.size() == 1) {
                error = where + Quoted(raw) + " comes before the first group";
                return false;
            }
            if (!IsKeyName(key)) {
                error = where + "has the invalid key name " + Quoted(key);
                return false;
            }
            if (key == "Encoding" && value != "UTF-8") {
                error = where + "names the unsupported encoding " + Quoted(value);
                return false;
            }
            auto& lines = groups.back().lines;
            auto same = std::find_if(lines.begin(), lines.end(), [&](const Line& l) { return l.key == key; });
            if (same != lines.end()) lines.erase(same);  // the later value wins
            lines.push_back({std::string(key), std::move(value)});
        } else {
            error = where + Quoted(raw) + " is not a key-value pair, group or comment";
            return false;
        }
    }
    groups_ = std::move(groups);
    return true;
}

std::string KeyFile::Save() const {
    std::string text;
    for (const Group& group : groups_) {
        if (!group.name.empty()) text += "[" + group.name + "]\n";
        for (const Line& line : group.lines)
            text += line.key.empty() ? line.value + "\n" : line.key + "=" + line.value + "\n";
    }
    return text;
}

const KeyFile::Group* KeyFile::Find(std::string_view group) const {
    if (group.empty()) return nullptr;
    auto found = std::find_if(groups_.begin(), groups_.end(), [&](const Group& g) { return g.name == group; });
    return found == groups_.end() ? nullptr : &*found;
}

KeyFile::Group* KeyFile::Find(std::string_view group) {
    return const_cast<Group*>(std::as_const(*this).Find(group));
}

bool KeyFile::HasGroup(std::string_view group) const { return Find(group) != nullptr; }

std::vector<std::string> KeyFile::Keys(std::string_view group) const {
    std::vector<std::string> keys;
    if (const Group* found = Find(group))
        for (const Line& line : found->lines)
            if (!line.key.empty()) keys.push_back(line.key);
    return keys;
}

std::optional<std::string> KeyFile::Value(std::string_view group, std::string_view key) const {
    if (const Group* found = Find(group))
        for (const Line& line : found->lines)
            if (!line.key.empty() && line.key == key) return line.value;
    return std::nullopt;
}

void KeyFile::SetValue(std::string_view group, std::string_view key, std::string_view value) {
    if (groups_.empty()) groups_.emplace_back();
    Group* found = Find(group);
    if (!found) {
        // A new group is set apart from any text before it by a blank line.
        std::vector<Line>& before = groups_.back().lines;
        const bool blankBefore = !before.empty() && before.back().key.empty() && before.back().value.empty();
        if ((groups_.size() > 1 || !before.empty()) && !blankBefore) before.push_back({"", ""});
        found = &groups_.emplace_back(Group{std::string(group), {}});
    }
    auto& lines = found->lines;
    for (Line& line : lines)
        if (!line.key.empty() && line.key == key) {
            line.value = value;
            return;
        }
    auto lastKey = std::find_if(lines.rbegin(), lines.rend(), [](const Line& l) { return !l.key.empty(); });
    lines.insert(lastKey.base(), Line{std::string(key), std::string(value)});
}

bool IsValidUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        size_t length;
        char32_t code;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xc2 && lead <= 0xdf) {
            length = 2, code = lead & 0x1f;
        } else if (lead >= 0xe0 && lead <= 0xef) {
            length = 3, code = lead & 0x0f;
        } else if (lead >= 0xf0 && lead <= 0xf4) {
            length = 4, code = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size()) return false;
        for (size_t k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xc0) != 0x80) return false;
            code = (code << 6) | (next & 0x3f);
        }
        const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < least[length] || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff)) return false;
        i += length;
    }
    return true;
}

std::string EscapeText(std::string_view text, bool keepHighBytes) {
    std::string escaped;
    for (char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (const char* name = NamedEscape(c, true)) {
            escaped += '\\';
            escaped += *name;
            continue;
        }
        if (c == '\\' || c == '"') {
            escaped += '\\';
            escaped += c;
            continue;
        }
        if (byte < 0x20 || byte == 0x7f || (byte >= 0x80 && !keepHighBytes)) {
            escaped += '\\';
            escaped += static_cast<char>('0' + ((byte >> 6) & 7));
            escaped += static_cast<char>('0' + ((byte >> 3) & 7));
            escaped += static_cast<char>('0' + (byte & 7));
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string UnescapeText(std::string_view text) {
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            plain += text[i];
            continue;
        }
        if (++i == text.size()) break;
        const char c = text[i];
        if (c >= '0' && c <= '7') {
            unsigned value = 0;
            for (size_t digits = 0; digits < 3 && i < text.size() && text[i] >= '0' && text[i] <= '7'; ++digits, ++i)
                value = value * 8 + unsigned(text[i] - '0');
            --i;
            plain += static_cast<char>(value & 0xff);
            continue;
        }
        const char* named = NamedEscape(c, false);
        plain += named ? *named : c;  // a backslash before any other byte drops
    }
    return plain;
}
