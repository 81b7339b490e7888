#include "launcher/game_list.h"

#include "launcher/main_form.h"

TGameListForm::TGameListForm(TLauncherForm& launcher) : launcher_(launcher) {
    launcher_.Pack().FillListView(GameList);
}

void TGameListForm::GameListChange(int row) {
    if (row < 0 || row >= static_cast<int>(GameList.items.size())) return;
    selected = row;
    launcher_.SelectGame(*GameList.items[row].second);
}

void TGameListForm::Close() {
    visible = false;
    launcher_.GameListClosed();
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
