#include "input/arcademisc.h"

#include <strings.h>

#include <cstdio>

namespace {

constexpr int MAX_KEY_CODE = 254;

struct NamedKey {
    int code;
    const char* name;
};

constexpr NamedKey NAMED_KEYS[] = {
    {8, "backspace"},   {9, "tab"},         {13, "enter"},        {16, "shift"},      {17, "control"},
    {18, "alt"},        {27, "escape"},     {32, "space"},        {33, "pg up"},      {34, "pg down"},
    {35, "end"},        {36, "home"},       {37, "left arrow"},   {38, "up arrow"},   {39, "right arrow"},
    {40, "down arrow"},
};

char g_charName[2];

}  // namespace

const char* KeyName(int code) {
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) {
        std::snprintf(g_charName, sizeof g_charName, "%c", code);
        return g_charName;
    }
    for (const NamedKey& k : NAMED_KEYS)
        if (k.code == code) return k.name;
    return nullptr;
}

void FillKeyCombo(KeyCombo& list) {
    list.items.clear();
    list.selected = -1;
    for (int code = 0; code <= MAX_KEY_CODE; ++code)
        if (const char* name = KeyName(code)) list.items.emplace_back(name);
}

void SelectKeyInCombo(KeyCombo& list, int code) {
    const char* name = KeyName(code);
    if (!name) return;
    for (size_t i = 0; i < list.items.size(); ++i)
        if (list.items[i] == name) {
            list.selected = int(i);
            return;
        }
}

int KeyFromCombo(const KeyCombo& list) {
    const std::string text = list.Text();
    for (int code = 0; code <= MAX_KEY_CODE; ++code) {
        const char* name = KeyName(code);
        if (name && strcasecmp(name, text.c_str()) == 0) return code;
    }
    return -1;
}
