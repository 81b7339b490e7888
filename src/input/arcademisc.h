// Key names of virtual-key codes and the launcher's key lists.
#pragma once

#include <string>
#include <vector>

// Name of a bindable key, or null for a code that has none. Digit and letter
// names live in one shared buffer, valid until the next call.
const char* KeyName(int code);

// A combo list as the launcher model keeps it: item texts and a selection.
struct KeyCombo {
    std::vector<std::string> items;
    int selected = -1;
    std::string Text() const { return selected >= 0 && selected < (int)items.size() ? items[selected] : ""; }
};

void FillKeyCombo(KeyCombo& list);
void SelectKeyInCombo(KeyCombo& list, int code);
// The code whose name equals the list's text (case ignored), else -1.
int KeyFromCombo(const KeyCombo& list);
