#include "framework/display_lists.h"

#include <algorithm>

#include "platform/sdl_window.h"

const ListItem* ListModel::Selected() const {
    return selected >= 0 && selected < static_cast<int>(items.size()) ? &items[selected] : nullptr;
}

void FillAdapterCombo(ListModel& list) {
    list.Clear();
    const std::vector<std::string> names = AdapterNames();
    for (size_t i = 0; i < names.size(); ++i)
        list.items.push_back({i == 0 ? names[i] + " [Default]" : names[i], static_cast<int>(i), std::nullopt});
}

void FillResolutionCombo(int adapter, ListModel& list) {
    if (!InitSdlVideo()) return;
    FillResolutionCombo(EnumModes(adapter), list);
}

void FillResolutionCombo(const std::vector<DisplayMode>& modes, ListModel& list) {
    list.Clear();
    for (size_t i = 0; i < modes.size(); ++i) {
        std::string text = std::to_string(modes[i].width) + " x " + std::to_string(modes[i].height);
        const bool present =
            std::any_of(list.items.begin(), list.items.end(), [&](const ListItem& it) { return it.text == text; });
        if (!present) list.items.push_back({std::move(text), static_cast<int>(i), modes[i]});
    }
}

bool SelectResolution(ListModel& list, int width, int height) {
    for (size_t i = 0; i < list.items.size(); ++i) {
        const auto& mode = list.items[i].mode;
        if (mode && static_cast<int>(mode->width) == width && static_cast<int>(mode->height) == height) {
            list.selected = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

void SelectResolutionOrDefault(ListModel& list, int width, int height) {
    if (SelectResolution(list, width, height) || SelectResolution(list, 800, 600) ||
        SelectResolution(list, 640, 480))
        return;
    SelectWidestResolution(list);
}

void SelectWidestResolution(ListModel& list) {
    int best = -1;
    uint32_t widest = 0;
    for (size_t i = 0; i < list.items.size(); ++i) {
        const auto& mode = list.items[i].mode;
        if (mode && (best < 0 || mode->width > widest)) {
            best = static_cast<int>(i);
            widest = mode->width;
        }
    }
    if (best >= 0) list.selected = best;
}

void GetSelectedResolution(const ListModel& list, int& width, int& height) {
    width = 800;
    height = 600;
    const ListItem* item = list.Selected();
    if (!item || !item->mode) return;
    width = static_cast<int>(item->mode->width);
    height = static_cast<int>(item->mode->height);
}

std::optional<int> GetSelectedItemObject(const ListModel& list) {
    const ListItem* item = list.Selected();
    return item ? std::optional<int>(item->value) : std::nullopt;
}

bool SelectItemByObject(ListModel& list, int value) {
    for (size_t i = 0; i < list.items.size(); ++i) {
        if (list.items[i].value == value) {
            list.selected = static_cast<int>(i);
            return true;
        }
    }
    return false;
}
