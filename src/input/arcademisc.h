// Key names of virtual-key codes and the launcher's key lists.
#pragma once

#include <SDL_keycode.h>

#include <string>
#include <vector>

// The key a keyboard layout gives for a physical key; SDLK_UNKNOWN when it
// does not say.
using KeyLayout = SDL_Keycode (*)(SDL_Scancode);

// Name of a bindable key, or null for a code that has none. Bindings are
// physical keys: a digit or letter key is named by the label the layout
// in use prints on it (US names where the layout does not say). Those
// names live in one shared buffer, valid until the next call.
const char* KeyName(int code);
// The same under `layout`.
const char* KeyName(int code, KeyLayout layout);

// A combo list as the launcher model keeps it: item texts, the key code of
// each, and a selection.
struct KeyCombo {
    std::vector<std::string> items;
    int selected = -1;
    std::vector<int> codes;
    std::string Text() const { return selected >= 0 && selected < (int)items.size() ? items[selected] : ""; }
};

// Every bindable key, named under the layout in use, in code order.
void FillKeyCombo(KeyCombo& list);
void SelectKeyInCombo(KeyCombo& list, int code);
// The code of the selected item, else -1.
int KeyFromCombo(const KeyCombo& list);
