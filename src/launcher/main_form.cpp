#include "launcher/main_form.h"

#include <algorithm>
#include <array>
#include <optional>

#include "framework/gameglobals.h"
#include "framework/tgame.h"
#include "framework/tgamepack.h"
#include "game/highscore_board.h"
#include "gamelib/libman.h"
#include "input/joystick.h"
#include "launcher/documentation.h"
#include "launcher/find_library.h"
#include "launcher/game_list.h"
#include "launcher/quick_start.h"
#include "launcher/settings_store.h"
#include "persist/highscore.h"
#include "platform/files.h"
#include "platform/target.h"

const char* const kSettingsTabCaptions[TAB_COUNT] = {"Game",  "Graphics", "Sound", "Advanced",
                                                     "Cheat", "Controls", "About"};

namespace {

constexpr const char* kCheatKeys[7] = {"F3 ... 5 minutes of invulnerability", "F4 ... Create random powerup",
                                       "F5 ... Go to next level",             "F6 ... Give 250 starburst",
                                       "F7 ... Give missile launcher",        "F8 ... Destroy Ship",
                                       "F9 ... Add some whirlygigs"};

using namespace setting_columns;

// Showing a setting on its control and taking it back (the control column of
// ROCKPILE_SETTINGS). The display-mode boxes are left to ShowDisplayMode and
// TakeDisplayMode.
template <class T>
void ShowSetting(NoControl, const T&) {}
void ShowSetting(CheckBox& box, int32_t flag) { box.checked = flag != 0; }
void ShowSetting(TrackBar& bar, int32_t value) { bar.position = std::clamp(value, bar.min, bar.max); }
template <class T>
void ShowSetting(RadioGroup& group, T value) {
    group.itemIndex = static_cast<int>(value);
}
void ShowSetting(KeyBox& box, int32_t key) { SelectKeyInCombo(box.combo, key); }
void ShowSetting(ComboBox&, int32_t) {}
void ShowSetting(PadBox& box, int32_t code) {
    if (!SelectItemByObject(box.list, code)) box.list.selected = -1;
}
void ShowSetting(InputDeviceRadios buttons, int32_t device) {
    buttons.mouse.checked = device == INPUT_MOUSE;
    buttons.keyboard.checked = device == INPUT_KEYBOARD;
    buttons.joystick.checked = device == INPUT_JOYSTICK;
}

template <class T>
void TakeSetting(NoControl, T&) {}
void TakeSetting(const CheckBox& box, int32_t& flag) { flag = box.checked ? 1 : 0; }
void TakeSetting(const TrackBar& bar, int32_t& value) { value = bar.position; }
template <class T>
void TakeSetting(const RadioGroup& group, T& value) {
    value = static_cast<T>(group.itemIndex);
}
void TakeSetting(const KeyBox& box, int32_t& key) { key = KeyFromCombo(box.combo); }
void TakeSetting(const ComboBox&, int32_t&) {}
// A code the list does not offer (a raw pad's button beyond the open pad's)
// is kept.
void TakeSetting(const PadBox& box, int32_t& code) { code = GetSelectedItemObject(box.list).value_or(code); }
// Keyboard before joystick before mouse; with none chosen, the keyboard.
void TakeSetting(InputDeviceRadios buttons, InputDevice& device) {
    device = buttons.keyboard.checked   ? INPUT_KEYBOARD
             : buttons.joystick.checked ? INPUT_JOYSTICK
             : buttons.mouse.checked    ? INPUT_MOUSE
                                        : INPUT_KEYBOARD;
}

// A track bar runs over its setting's range.
template <class Control, class Low, class High>
void SetRange(Control&&, Low, High) {}
void SetRange(TrackBar& bar, int32_t low, int32_t high) {
    bar.min = low;
    bar.max = high;
}

template <class Control>
void FillChoices(Control&&) {}
// A key box names the keys under the layout in use, its choice kept.
void FillChoices(KeyBox& box) {
    const int kept = KeyFromCombo(box.combo);
    FillKeyCombo(box.combo);
    SelectKeyInCombo(box.combo, kept);
}

// A pad box lists the open pad's controls in its names, its choice kept.
template <class Control>
void FillPadChoices(Control&&) {}
void FillPadChoices(PadBox& box) {
    const std::optional<int> kept = GetSelectedItemObject(box.list);
    if (theJoystick)
        FillPadCombo(box.list, theJoystick->Layout(), theJoystick->rawButtons);
    else
        FillPadCombo(box.list, PadLayout::Controller, 0);
    if (kept) SelectItemByObject(box.list, *kept);
}

void SetButton(Button& button, const char* caption, int left, int top, int width, int height) {
    button.caption = caption;
    button.bounds = {left, top, width, height};
}

}  // namespace

TLauncherForm::TLauncherForm(TGamePack& pack, LauncherHost& host) : pack_(pack), host_(host) {
    game_ = pack_.current;

    SetButton(ButtonPlay, "Click here to Play !", 66, 480, 185, 33);
    SetButton(ButtonSettings, "Options / Settings", 258, 480, 185, 33);
    SetButton(ButtonDocumentation, "Instructions / How to Play", 66, 520, 151, 25);
    SetButton(ButtonExit, "EXIT", 388, 520, 55, 25);
    SetButton(ButtonDemo, "Watch a Demo", 226, 520, 153, 25);
    SettingsPanel.visible = false;
    // What a browser page cannot do is not offered there: open a local
    // file, leave, choose an adapter or screen mode, draw wireframes.
    ButtonDocumentation.visible = ButtonExit.visible = !kBrowserPage;
    ComboBoxAdapter.visible = RadioGroupMode.visible = CheckBoxWireFrame.visible = !kBrowserPage;

    RadioGroupMode.caption = "Game Mode:";
    RadioGroupMode.items = {"Full Screen", "Windowed"};
    RadioGroupDifficulty.caption = "Difficulty Level";
    RadioGroupDifficulty.items = {"Super Wimpy", "Easy", "Normal", "Difficult", "Unreasonably Difficult"};
    CheckBoxEnableBarricades.caption = "Space-Invaders Barricades";
    CheckBoxEnableRotation.caption = "Invader Rotation";

    RadioGroupBackground.caption = "Background";
    RadioGroupBackground.items = {"Disabled", "Fixed Picture", "Rotating Picture",
                                  "Verical Scroll", "Horiz Scroll", "Starfield"};
    CheckBoxEnableSpecular.caption = "Enable specular lighting";
    CheckBoxEnableSound.caption = "Enable Sound Effects";
    CheckBoxSoundPlacement.caption = "Place sounds where they happen (left to right)";

    LabelAdvancedNote.caption =
        "These options are mainly for debugging, and for the game author to use. You shouldn't need to adjust "
        "them, unless you are told to.";
    CheckBoxShowBounding.caption = "Show bounding boxes";
    CheckBoxShowFPS.caption = "Show Frame Per Second (FPS)";
    CheckBoxPresentImmediate.caption = "Update at maximum speed (instead of refresh rate)";
    CheckBoxTimingFallback.caption = "Use fallback timing mechanism";
    CheckBoxWireFrame.caption = "Wireframe Mode";
    CheckBoxPauseOnFocusLoss.caption = "Pause the game when its window loses focus";
    ButtonResetScores.caption = "Reset High Score List";

    for (int i = 0; i < 7; ++i) LabelCheat[i].caption = kCheatKeys[i];
    CheckBoxEnableCheat.caption = "Enable Cheat Keys";

    RadioButtonKeyboard.caption = "Keyboard";
    RadioButtonJoystick.caption = "Joystick";
    RadioButtonMouse.caption = "Mouse";
    LabelFire.caption = "Fire:";
    LabelTurretFire.caption = "Turret Fire:";
    LabelAltFire.caption = "Alt Weapon:";
    LabelThrust.caption = "Thrust:";
    LabelBrake.caption = "Brake:";
    LabelLeft.caption = "Left:";
    LabelRight.caption = "Right:";
    LabelShield.caption = "Shield:";
    ButtonResetKeyboard.caption = "Reset Keys and Controller to Defaults";

    const TSettings& s = settings;  // the ranges may name other settings
#define RANGE(type, field, store, key, written, def, low, high, reset, replay, control) SetRange(control, low, high);
    ROCKPILE_SETTINGS(RANGE)
#undef RANGE
}

TLauncherForm::~TLauncherForm() {
    if (theJoystick) theJoystick->onChange = nullptr;
}

void TLauncherForm::OpenLibrary() {
    libraryPath = libraryOverride.empty() ? FindLibraryOrExit(pack_.GetLibraryFile(), *game_) : libraryOverride;
    useGameLib = 1;
    logGameLibUsage = 0;
    OpenGameLib(libraryPath.c_str(), pack_.GetUsageFile());
}

void TLauncherForm::StartUp() {
    CreateInputDevices();
    if (theJoystick) theJoystick->onChange = [this] { ShowJoystick(); };
    ShowJoystick();

    SelectGame(*game_);

    const FormRect screen = host_.Screen();
    bounds.top = screen.top + (screen.height - bounds.height) / 2;
    if (pack_.count < 2) {
        bounds.left = screen.left + (screen.width - bounds.width) / 2;
    } else {
        gameList = std::make_unique<TGameListForm>(*this);
        const int left = (screen.width - bounds.width - gameList->bounds.width) / 2;
        bounds.left = screen.left + std::max(left, 0);
        gameList->bounds = DockGameList(bounds, gameList->bounds, screen);
        gameList->visible = true;
    }

    quickStart = std::make_unique<TFormQuickStartGame>();
    quickStart->FormCreate(*game_);
    quickStart->ShowQuickStart(bounds, *game_);
    startupDone = 1;
}

void TLauncherForm::SelectGame(TGame& game) {
    if (game_ && formReady) {
        ReadForm();
        SaveSettings();
    }
    game_ = &game;
    pack_.current = &game;

    ShowGameFeatures();
    FillKeyBoxes();
    PaintCartPicture();
    caption = game.GetTitle();

    FillAdapterCombo(ComboBoxAdapter.list);
    SelectItemByObject(ComboBoxAdapter.list, settings.adapter);
    FillResolutionCombo(0, ComboBoxResolution.list);

    ResetSettings();
    LoadSettings();
    WriteForm();
    activeTab = TAB_GAME;

    LabelProgName.caption = game.GetTitle();
    LabelVersion.caption = pack_.GetVersion();
}

void TLauncherForm::ShowGameFeatures() {
    const TGame& g = *game_;
    GroupBoxMissileSpeed.visible = !g.HidesMissileSpeed();
    LabelThrust.visible = ComboBoxKeyThrust.visible = ComboBoxPadThrust.visible = !g.HidesThrustKey();
    LabelAltFire.visible = ComboBoxKeyAltFire.visible = ComboBoxPadAltFire.visible = !g.HidesAltFireKey();
    LabelShield.visible = ComboBoxKeyShield.visible = ComboBoxPadShield.visible = !g.HidesShieldKey();
    LabelBrake.visible = ComboBoxKeyBrake.visible = g.ShowsBrakeKey() != 0;
    const bool turret = g.ShowsTurretFireKeys() != 0;
    LabelTurretFire.visible = ComboBoxKeyFire0.visible = ComboBoxKeyFire1.visible = ComboBoxKeyFire2.visible = turret;
    GroupBoxGamePlay.visible = g.ShowsGamePlaySettings() != 0;
    const bool upDown = g.UsesUpDownLabels() != 0;
    LabelThrust.caption = upDown ? "Up" : "Thrust";
    LabelBrake.caption = upDown ? "Down" : "Brake";
    // A game without its own text shows the usual one, whatever the game
    // before it showed.
    const char* f3 = g.GetCheatF3Text();
    const char* f9 = g.GetCheatF9Text();
    LabelCheatF3.caption = f3 ? f3 : kCheatKeys[0];
    LabelCheatF9.caption = f9 ? f9 : kCheatKeys[6];
}

void TLauncherForm::FillKeyBoxes() {
#define FILL(type, field, store, key, written, def, low, high, reset, replay, control) FillChoices(control);
    ROCKPILE_SETTINGS(FILL)
#undef FILL
    FillPadBoxes();
}

void TLauncherForm::FillPadBoxes() {
#define FILL(type, field, store, key, written, def, low, high, reset, replay, control) FillPadChoices(control);
    ROCKPILE_SETTINGS(FILL)
#undef FILL
}

void TLauncherForm::KeyLayoutChanged() { FillKeyBoxes(); }

void TLauncherForm::ShowJoystick() {
    const bool found = theJoystick && theJoystick->found;
    LabelJoystickName.caption = found ? theJoystick->productName : "(not found)";
    // A joystick chosen stays chosen without a pad; Play then takes the keyboard.
    RadioButtonJoystick.enabled = found;
    FillPadBoxes();
}

void TLauncherForm::PaintCartPicture() {
    TLibEntry* entry = LibGetFile(game_->GetCartPicture());
    if (!entry) return;
    DecodedImage picture;
    if (DecodeImage(entry->data, entry->length, picture)) {
        cartPicture = std::move(picture);
        ++pictureSerial;
    }
    LibReleaseFile(entry);
}

void TLauncherForm::ResetSettings() { ::ResetSettings(*game_); }

void TLauncherForm::ResetKeys() { ::ResetKeys(); }

void TLauncherForm::LoadSettings() {
    ::LoadSettings(pack_, *game_);
    ReportStoreProblems();
}

void TLauncherForm::SaveSettings() {
    if (!::SaveSettings(pack_, *game_)) ReportStoreProblems();
}

void TLauncherForm::WriteForm() {
#define SHOW(type, field, store, key, written, def, low, high, reset, replay, control) \
    ShowSetting(control, settings.field);
    ROCKPILE_SETTINGS(SHOW)
#undef SHOW
    ShowDisplayMode();
    formReady = 1;
}

void TLauncherForm::ReadForm() {
    const bool hidesMissileSpeed = game_->HidesMissileSpeed();
#define TAKE(type, field, store, key, written, def, low, high, reset, replay, control) \
    if (!(store == GAME_MISSILE && hidesMissileSpeed)) TakeSetting(control, settings.field);
    ROCKPILE_SETTINGS(TAKE)
#undef TAKE
    // The level sets the values that follow it (the hulls among them).
    game_->SetDifficulty(settings.difficulty);
    TakeDisplayMode();
}

void TLauncherForm::ShowDisplayMode() {
    SelectItemByObject(ComboBoxAdapter.list, settings.adapter);
    FillResolutionCombo(GetSelectedItemObject(ComboBoxAdapter.list).value_or(settings.adapter), ComboBoxResolution.list);
    SelectResolutionOrDefault(ComboBoxResolution.list, settings.width, settings.height);
}

void TLauncherForm::TakeDisplayMode() {
    // An empty adapter list (no video) keeps the stored adapter.
    settings.adapter = GetSelectedItemObject(ComboBoxAdapter.list).value_or(settings.adapter);
    GetSelectedResolution(ComboBoxResolution.list, settings.width, settings.height);
}

void TLauncherForm::ComboBoxAdapterChange() {
    GetSelectedResolution(ComboBoxResolution.list, settings.width, settings.height);
    if (std::optional<int> adapter = GetSelectedItemObject(ComboBoxAdapter.list))
        FillResolutionCombo(*adapter, ComboBoxResolution.list);
    SelectResolutionOrDefault(ComboBoxResolution.list, settings.width, settings.height);
}

void TLauncherForm::RunCurrentGame(GameRun kind, std::function<void()> after) {
    host_.RunGame(*game_, kind, [this, after = std::move(after)](bool) {
        host_.ShowLauncher(true);
        after();
    });
}

void TLauncherForm::Play() {
    playedThisRun = 1;
    ReadForm();
    SaveSettings();
    // Told after the game: a message box would stop play.
    THighScoreBoard::onNameEntered = [this, chosen = settings] { SaveChosenSettings(pack_, *game_, chosen); };
    RunCurrentGame(GameRun::Play, [] {
        THighScoreBoard::onNameEntered = nullptr;
        ReportStoreProblems();
    });
}

void TLauncherForm::PlayDemo() {
    std::array<THighScore, NUM_HIGH_SCORES> keptScores;
    std::copy(std::begin(highScores), std::end(highScores), keptScores.begin());
    auto restore = [keptSettings = settings, keptScores] {
        settings = keptSettings;
        std::copy(keptScores.begin(), keptScores.end(), std::begin(highScores));
    };
    ReadForm();
    RunCurrentGame(GameRun::Demo, restore);
}

void TLauncherForm::ButtonSettingsClick() { SettingsPanel.visible = !SettingsPanel.visible; }

void TLauncherForm::StepTab(int step) { activeTab = ((activeTab + step) % TAB_COUNT + TAB_COUNT) % TAB_COUNT; }

void TLauncherForm::OpenGameList() {
    if (!gameList) return;
    gameList->visible = true;
    host_.FocusGameList(true);
}

void TLauncherForm::GameListClosed() { host_.FocusGameList(false); }

void TLauncherForm::ButtonDocumentationClick() {
    OpenDocumentation(pack_.GetShortName(), startFolder, false, [this](const std::string& path) {
        return host_.OpenFile(path);
    });
}

void TLauncherForm::ButtonResetScoresClick() {
    host_.Confirm("Reset high score list -- are you sure?", "Confirm", [this](bool yes) {
        if (!yes) return;
        ClearHighScores();
        SaveSettings();
    });
}

void TLauncherForm::ButtonResetKeyboardClick() {
    ReadForm();
    ResetKeys();
    WriteForm();
}

void TLauncherForm::FormMoved(int left, int top) {
    bounds.left = left;
    bounds.top = top;
    if (startupDone && gameList) gameList->bounds = DockGameList(bounds, gameList->bounds, host_.Screen());
}

void TLauncherForm::FormClose() {
    const char* survey = "gamesurvey.html";
    if (playedThisRun && settings.didSurvey == 0 && FileExists(survey)) {
        host_.OpenFile(survey);
        settings.didSurvey = 1;
    }
    if (formReady) {
        ReadForm();
        SaveSettings();
    }
    if (quickStart) quickStart->FormDestroy(*game_);
}
