// The game list window beside the launcher: one row per game of the pack;
// picking a row makes that game current.
#pragma once

#include <string>

#include "framework/tgamepack.h"
#include "launcher/form_controls.h"

class TLauncherForm;

class TGameListForm {
public:
    // FormCreate: one row per catalogue entry, in catalogue order, no row
    // selected.
    explicit TGameListForm(TLauncherForm& launcher);

    // The player picked row `row` (-1: none): its game becomes current.
    void GameListChange(int row);
    // B or Escape: the list hides, as the dialogs do, and the launcher has
    // the keyboard again; OpenGameList brings it back.
    void Close();

    static constexpr const char* kPrompt = "Select a game from the list below:";
    static constexpr const char* kColumnCaption = "Game Name";
    static constexpr int kColumnWidth = 190;

    GameListView GameList;
    int selected = -1;
    FormRect bounds{0, 0, 300, 249};
    bool visible = false;

private:
    TLauncherForm& launcher_;
};

// Where the list goes beside the launcher: bottom edges aligned, 5 pixels
// to its right, or to its left when the right side would run past the
// desktop and the left side does not.
FormRect DockGameList(const FormRect& launcher, const FormRect& list, const FormRect& desktop);
