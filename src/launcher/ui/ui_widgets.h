// Interface pieces for the launcher's control states: each draws one
// control and writes the player's change back into it.
#pragma once

#include <imgui.h>

#include "launcher/form_controls.h"

// A framed group with its caption on top; `rows` rows of controls below.
// Returns false (draw nothing, no EndGroupBox) when it is hidden.
bool BeginGroupBox(const char* id, const char* caption, float width, int rows, bool visible = true);
void EndGroupBox();
// The height of a group box of `rows` rows.
float GroupBoxHeight(int rows);

void RadioGroupView(const char* id, RadioGroup& group, float width);
// True when the player changed it.
bool CheckBoxView(CheckBox& box);
void RadioButtonView(RadioButton& button, RadioButton* others[2]);
// A track bar as a slider `width` wide.
void TrackBarView(const char* id, TrackBar& bar, float width);
// The words under track bars: `low` at the left, "Default" in the middle
// and `high` at the right of a span `width` wide starting at `left`.
void TrackBarLegend(float left, float width, const char* low, const char* high);
void KeyBoxView(const char* id, const Label& label, KeyBox& box, float labelWidth, float boxWidth);
// True when the player picked another item.
bool ListComboView(const char* id, ListModel& list, float width);
void LabelView(const Label& label);
// A white-on-black rounded button at its place in the window, its caption
// in `font` (null: the current one).
bool FormButton(const Button& button, ImFont* font = nullptr);
// A point of the current window's client area, (x, y) from its top-left
// corner, where draw lists take it: the window need not start at the
// display's origin (in a browser page it has its place in a shared canvas).
ImVec2 ClientPoint(float x, float y);
// Whether a pad button or its key (Escape for ImGuiNavInput_Cancel) went
// down in this frame.
bool NavPressed(ImGuiNavInput input);
