#include "input/arcademisc.h"

#include <SDL_keyboard.h>

#include <cstdio>
#include <cstring>

#include "platform/vk_map.h"

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

char g_charName[32];

bool IsCharacterKey(int code) { return (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z'); }

}  // namespace

const char* KeyName(int code) { return KeyName(code, SDL_GetKeyFromScancode); }

const char* KeyName(int code, KeyLayout layout) {
    if (IsCharacterKey(code)) {
        const SDL_Keycode key = layout(ScancodeFromVirtualKey(code));
        const char* label = key != SDLK_UNKNOWN ? SDL_GetKeyName(key) : "";
        if (*label && std::strlen(label) < sizeof g_charName)
            std::snprintf(g_charName, sizeof g_charName, "%s", label);
        else
            std::snprintf(g_charName, sizeof g_charName, "%c", code);
        return g_charName;
    }
    for (const NamedKey& k : NAMED_KEYS)
        if (k.code == code) return k.name;
    return nullptr;
}

void FillKeyCombo(KeyCombo& list) {
    list.items.clear();
    list.codes.clear();
    list.selected = -1;
    for (int code = 0; code <= MAX_KEY_CODE; ++code)
        if (const char* name = KeyName(code)) {
            list.items.emplace_back(name);
            list.codes.push_back(code);
        }
}

void SelectKeyInCombo(KeyCombo& list, int code) {
    for (size_t i = 0; i < list.codes.size() && i < list.items.size(); ++i)
        if (list.codes[i] == code) {
            list.selected = int(i);
            return;
        }
}

int KeyFromCombo(const KeyCombo& list) {
    const bool chosen = list.selected >= 0 && list.selected < (int)list.codes.size();
    return chosen ? list.codes[list.selected] : -1;
}
