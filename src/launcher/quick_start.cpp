#include "launcher/quick_start.h"

#include "framework/tgame.h"
#include "persist/kwparam.h"

const char* const kQuickStartHints[13] = {
    "This page contains some useful <b>hints</b> to help you get started playing the game.",
    "You may close this window by using the button at the bottom.",
    "<br><br>",
    "<b>Input Controls</b> -- by default the game comes preconfigured to use the <b>mouse</b>.",
    "You may also select the <b>keyboard</b> or <b>joystick</b> if you prefer. ",
    "Please read the instructions as there are some items (shields, special weapons) that require use of keyboard.",
    "<br><br>",
    "<b>Display Mode</b> -- the game uses <b>full screen</b>mode by default.",
    "You may use the options page to selected windowed mode if you prefer, and to adjust the display resolution.",
    "<br><br>",
    "<b>Jitter / Jerky Gameplay</b> -- is usually caused by other windows programs running in the background.",
    "It is suggested you close as many unnecessary programs as possible. You can also try switching from full-screen ",
    "to <b>windowed</b> mode, which runs a little better on some computers",
};

namespace {

constexpr const char* kHideValue = "hidequickstart";

int32_t ReadHideValue(const TGame& game) {
    TParamStore store;
    OpenParams(game.GetRegistryKeyName(), game.GetRegistryKeyName(), store, 1);
    const int32_t value = ReadParamInt(store, kHideValue, 0);
    CloseParams(store);
    return value;
}

}  // namespace

TFormQuickStartGame::TFormQuickStartGame() {
    CheckBoxShowForm.caption = "Do not display this dialog in the future";
    HintsLabel.SetWordWrap(true);
    HintsLabel.color = kPanelColor;
    HintsLabel.SetLines({std::begin(kQuickStartHints), std::end(kQuickStartHints)});
}

void TFormQuickStartGame::FormCreate(const TGame& game) { CheckBoxShowForm.checked = ReadHideValue(game) != 0; }

void TFormQuickStartGame::ShowQuickStart(const FormRect& launcher, const TGame& game) {
    if (ReadHideValue(game) != 0) return;
    bounds.left = launcher.left + launcher.width / 3;
    bounds.top = launcher.top + launcher.height / 3;
    visible = true;
}

void TFormQuickStartGame::FormDestroy(const TGame& currentGame) {
    TParamStore store;
    OpenParams(currentGame.GetRegistryKeyName(), currentGame.GetRegistryKeyName(), store, 1);
    WriteParamInt(store, kHideValue, CheckBoxShowForm.checked ? 1 : 0);
    CloseParams(store);
}
