// The adapter and resolution lists of the launcher as plain list models.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/display_modes.h"

struct ListItem {
    std::string text;
    int value = 0;                    // adapter number, or the mode's index in the enumeration
    std::optional<DisplayMode> mode;  // resolution items
};

struct ListModel {
    std::vector<ListItem> items;
    int selected = -1;  // -1: nothing selected

    void Clear() {
        items.clear();
        selected = -1;
    }
    const ListItem* Selected() const;
};

// Display names, display 0 as "%s [Default]", each valued with its number.
// Without video the list stays empty.
void FillAdapterCombo(ListModel& list);
// "%d x %d" per mode, the first refresh rate of a size winning. Without
// video the list is left as it was.
void FillResolutionCombo(int adapter, ListModel& list);
void FillResolutionCombo(const std::vector<DisplayMode>& modes, ListModel& list);

// Selects the first item of that size.
bool SelectResolution(ListModel& list, int width, int height);
// The given size, else 800 x 600, else 640 x 480, else the widest.
void SelectResolutionOrDefault(ListModel& list, int width, int height);
// The item of greatest width, the first of equals.
void SelectWidestResolution(ListModel& list);
// The selected item's size; 800 x 600 when none with a mode is selected.
void GetSelectedResolution(const ListModel& list, int& width, int& height);
std::optional<int> GetSelectedItemObject(const ListModel& list);
bool SelectItemByObject(ListModel& list, int value);
