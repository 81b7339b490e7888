// The text format of the profile files: "[group]" headers, "key=value" lines
// and comment lines ("#…" or blank), UTF-8 only. Comments and the order of
// lines survive a load and save; keys are matched exactly here.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class KeyFile {
public:
    // Replaces the contents with the parsed text; on failure the contents are
    // unchanged and `error` says which line is wrong and why.
    bool Load(std::string_view text, std::string& error);
    std::string Save() const;

    bool HasGroup(std::string_view group) const;
    std::vector<std::string> Keys(std::string_view group) const;
    // The value as written after "=", without the blanks that follow "=".
    std::optional<std::string> Value(std::string_view group, std::string_view key) const;
    // Adds the group and the key as needed; a new key goes after the
    // group's last key, before the comments that end the group.
    void SetValue(std::string_view group, std::string_view key, std::string_view value);

private:
    struct Line {
        std::string key;  // empty for a comment line
        std::string value;  // the comment's text for a comment line
    };
    struct Group {
        std::string name;  // empty for the comments before the first group
        std::vector<Line> lines;
    };
    Group* Find(std::string_view group);
    const Group* Find(std::string_view group) const;

    std::vector<Group> groups_;
};

bool IsValidUtf8(std::string_view text);
// C escapes for \b \f \n \r \t \v \\ and \", octal for other control bytes
// and for bytes from 0x7f up, except that bytes from 0x80 up stay as they are
// when `keepHighBytes`.
std::string EscapeText(std::string_view text, bool keepHighBytes);
// Undoes EscapeText: the named escapes, one to three octal digits, and a
// backslash before any other byte stands for that byte. A lone backslash at
// the end ends the text.
std::string UnescapeText(std::string_view text);
