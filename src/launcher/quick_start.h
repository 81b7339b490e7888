// The quick-start window: first hints for a new player, shown beside the
// launcher at start unless the player asked not to see it again.
#pragma once

#include "launcher/form_controls.h"
#include "launcher/html_label.h"

class TGame;

// The hint text, one mini-markup line each.
extern const char* const kQuickStartHints[13];

class TFormQuickStartGame {
public:
    static constexpr const char* kCaption = "Quick Start";
    static constexpr const char* kTitle = "Quick Start / Hints";
    static constexpr const char* kCloseCaption = "Press here to close this window";
    static constexpr uint32_t kPanelColor = 0xFFFFE1;  // tool-tip background

    TFormQuickStartGame();

    // Ticks the check box when "hidequickstart" under the game's key is set.
    void FormCreate(const TGame& game);
    // Reads "hidequickstart" again; unless it is set, places the window a
    // third of the way into the launcher and shows it.
    void ShowQuickStart(const FormRect& launcher, const TGame& game);
    void ButtonCloseClick() { visible = false; }
    // At program end: "hidequickstart" from the check box, under the key of
    // the game current then.
    void FormDestroy(const TGame& currentGame);

    CheckBox CheckBoxShowForm;
    TLargeHtmlLabel HintsLabel;
    FormRect bounds{0, 0, 448, 315};
    bool visible = false;
};
