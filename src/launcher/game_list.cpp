#include "launcher/game_list.h"

#include "launcher/main_form.h"

TFormController::TFormController(TForm1& launcher) : launcher_(launcher) {
    launcher_.Pack().FillListView(ListViewController);
}

void TFormController::ListViewControllerChange(int row) {
    if (row < 0 || row >= static_cast<int>(ListViewController.items.size())) return;
    selected = row;
    launcher_.SelectGame(*ListViewController.items[row].second);
}

FormRect DockGameList(const FormRect& launcher, const FormRect& list, const FormRect& desktop) {
    FormRect docked = list;
    docked.top = launcher.top + launcher.height - list.height;
    const bool pastRight = launcher.left + launcher.width + list.width - desktop.left > desktop.width;
    if (pastRight && launcher.left - list.width > desktop.left)
        docked.left = launcher.left - list.width - 5;
    else
        docked.left = launcher.left + launcher.width + 5;
    return docked;
}
