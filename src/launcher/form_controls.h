// Plain states of the launcher's controls. The forms work on these; the
// view only draws them and writes the player's changes back.
#pragma once

#include <string>
#include <vector>

#include "framework/display_lists.h"
#include "input/arcademisc.h"

struct Control {
    bool visible = true;
    bool enabled = true;
};

struct Label : Control {
    std::string caption;
};

struct CheckBox : Control {
    std::string caption;
    bool checked = false;
};

struct RadioButton : Control {
    std::string caption;
    bool checked = false;
};

// A group of exclusive choices; itemIndex -1 when none is chosen.
struct RadioGroup : Control {
    std::string caption;
    std::vector<std::string> items;
    int itemIndex = -1;
};

struct TrackBar : Control {
    int min = 0, max = 10;
    int position = 0;
};

struct KeyBox : Control {
    KeyCombo combo;
};

struct ComboBox : Control {
    ListModel list;
};

// A pad control bound to a role: the list of the pad's controls, each
// valued with its code.
struct PadBox : Control {
    ListModel list;
};

struct FormRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const FormRect&) const = default;
};

struct Button : Control {
    std::string caption;
    FormRect bounds;  // in the form's client area
};
