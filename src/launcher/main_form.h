// The launcher's main form: every setting of the pack and of the current
// game on a tabbed panel, the cartridge picture, and Play. This is the
// form's model; the view draws it and calls its handlers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "launcher/form_controls.h"
#include "launcher/launcher_host.h"
#include "platform/image_decode.h"

class TGame;
class TGamePack;
class TGameListForm;
class TFormQuickStartGame;

// The tabs of the settings panel, in order.
enum SettingsTab { TAB_GAME, TAB_GRAPHICS, TAB_SOUND, TAB_ADVANCED, TAB_CHEAT, TAB_CONTROLS, TAB_ABOUT, TAB_COUNT };
extern const char* const kSettingsTabCaptions[TAB_COUNT];

constexpr int kFormClientWidth = 504, kFormClientHeight = 610;
// Where the cartridge picture goes in the form's client area.
constexpr FormRect kCartPictureRect{19, 18, 485 - 19, 587 - 18};

// The Controls tab's input device buttons, one per InputDevice value.
struct InputDeviceRadios {
    RadioButton &mouse, &keyboard, &joystick;
};

class TLauncherForm {
public:
    // FormCreate: the pack's default game becomes current; the settings
    // panel starts hidden.
    TLauncherForm(TGamePack& pack, LauncherHost& host);
    ~TLauncherForm();
    TLauncherForm(const TLauncherForm&) = delete;
    TLauncherForm& operator=(const TLauncherForm&) = delete;

    // Finds and opens the game library before any window: the launcher's
    // fonts come from it. The path is `libraryOverride` when set, else the
    // pack's file where FindLibraryOrExit finds it.
    void OpenLibrary();
    // Start-up once the window is up: input devices, the current game, the
    // form's place, the game list and the quick-start hints.
    void StartUp();
    void SelectGame(TGame& game);
    void ResetSettings();
    void ResetKeys();
    void LoadSettings();
    void SaveSettings();
    // Controls to settings and back: each setting of ROCKPILE_SETTINGS with
    // its control (settings_list.h).
    void ReadForm();
    void WriteForm();
    void ComboBoxAdapterChange();
    // Play: save, start the game with the launcher hidden; the launcher shows
    // again when the game ends.
    void Play();
    // Attract mode: the computer plays the current game with the form's
    // settings; nothing it does is stored, and the settings and scores are
    // back as they were when it ends.
    void PlayDemo();

    void ButtonSettingsClick();  // "Options / Settings"
    // The tab `step` places after the shown one, round the ends.
    void StepTab(int step);
    // The game list shows, when the pack has one, and takes the keyboard.
    void OpenGameList();
    // The game list window closed: the main window takes the keyboard.
    void GameListClosed();
    void ButtonDocumentationClick();
    void ButtonResetScoresClick();
    void ButtonResetKeyboardClick();
    // The keyboard layout changed: the key boxes take its labels.
    void KeyLayoutChanged();
    // The form moved to `left`, `top` (the window system reports it).
    void FormMoved(int left, int top);
    // The survey page once after a Play, then the last save.
    void FormClose();

    TGame* CurrentGame() const { return game_; }
    TGamePack& Pack() const { return pack_; }

    // Form state.
    std::string caption;
    FormRect bounds{0, 0, kFormClientWidth, kFormClientHeight};
    std::string libraryPath;
    std::string libraryOverride;
    std::string startFolder;  // the folder current when the program started
    int formReady = 0;
    int playedThisRun = 0;
    int startupDone = 0;

    // The cartridge picture; pictureSerial changes with every new picture.
    DecodedImage cartPicture;
    uint32_t pictureSerial = 0;

    Button ButtonPlay, ButtonSettings, ButtonDocumentation, ButtonExit, ButtonDemo;
    Control SettingsPanel;
    int activeTab = TAB_GAME;

    // Game tab.
    RadioGroup RadioGroupMode, RadioGroupDifficulty;
    TrackBar TrackBarAccel, TrackBarPlayerMissile, TrackBarUfoMissile;
    Control GroupBoxMissileSpeed, GroupBoxGamePlay;
    CheckBox CheckBoxEnableBarricades, CheckBoxEnableRotation;
    // Graphics tab.
    ComboBox ComboBoxAdapter, ComboBoxResolution;
    RadioGroup RadioGroupBackground;
    CheckBox CheckBoxEnableSpecular;
    // Sound tab.
    CheckBox CheckBoxEnableSound, CheckBoxSoundPlacement;
    // Advanced tab.
    Label LabelAdvancedNote;
    CheckBox CheckBoxShowBounding, CheckBoxShowFPS, CheckBoxPresentImmediate, CheckBoxTimingFallback,
        CheckBoxWireFrame, CheckBoxPauseOnFocusLoss;
    Button ButtonResetScores;
    // Cheat tab: the key list, F3 first.
    Label LabelCheat[7];
    Label& LabelCheatF3 = LabelCheat[0];
    Label& LabelCheatF9 = LabelCheat[6];
    CheckBox CheckBoxEnableCheat;
    // Controls tab.
    RadioButton RadioButtonKeyboard, RadioButtonJoystick, RadioButtonMouse;
    Label LabelJoystickName;
    TrackBar TrackBarMouseVelocity;
    Label LabelFire, LabelTurretFire, LabelAltFire, LabelThrust, LabelBrake, LabelLeft, LabelRight, LabelShield;
    KeyBox ComboBoxKeyFire, ComboBoxKeyFire0, ComboBoxKeyFire1, ComboBoxKeyFire2, ComboBoxKeyAltFire,
        ComboBoxKeyThrust, ComboBoxKeyBrake, ComboBoxKeyLeft, ComboBoxKeyRight, ComboBoxKeyShield;
    PadBox ComboBoxPadFire, ComboBoxPadAltFire, ComboBoxPadThrust, ComboBoxPadLeft, ComboBoxPadRight,
        ComboBoxPadShield;
    Button ButtonResetKeyboard;
    InputDeviceRadios InputDeviceButtons() {
        return {RadioButtonMouse, RadioButtonKeyboard, RadioButtonJoystick};
    }
    // About tab.
    Label LabelProgName, LabelVersion;

    // The companion windows, made by StartUp.
    std::unique_ptr<TGameListForm> gameList;
    std::unique_ptr<TFormQuickStartGame> quickStart;

private:
    void ShowGameFeatures();
    void PaintCartPicture();
    // The key lists, and the pad lists in the open pad's names.
    void FillKeyBoxes();
    void FillPadBoxes();
    // The Joystick choice and the pad lists for the pad open now (hot-plug
    // changes it while the form is up).
    void ShowJoystick();
    // The adapter and resolution boxes, which show "adapter", "width" and
    // "height" together: the resolutions are the chosen adapter's.
    void ShowDisplayMode();
    void TakeDisplayMode();
    // Starts the game; when it ends, shows the launcher again, then `after`.
    void RunCurrentGame(GameRun kind, std::function<void()> after);

    TGamePack& pack_;
    LauncherHost& host_;
    TGame* game_ = nullptr;
};
