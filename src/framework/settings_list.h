// Every setting of the settings record, declared once. The record itself
// (TSettings, gameglobals.h), the settings store (launcher/settings_store),
// the defaults and their reset, the ranges (settings_limits), what a replay
// records (replay/replay_settings) and the launcher's controls
// (launcher/main_form) all expand ROCKPILE_SETTINGS; none lists a setting of
// its own.
#pragma once

#include <cstdint>

#include "framework/pad_controls.h"

// The input device the ship is steered with ("inputdevice").
enum InputDevice : int32_t {
    INPUT_MOUSE = 0,
    INPUT_KEYBOARD = 1,
    INPUT_JOYSTICK = 2,
};

// Background modes as the launcher offers them ("background").
enum BackgroundMode : int32_t {
    BACKGROUND_DISABLED = 0,
    BACKGROUND_FIXED = 1,
    BACKGROUND_ROTATING = 2,
    BACKGROUND_VERTICAL_SCROLL = 3,
    BACKGROUND_HORIZONTAL_SCROLL = 4,
    BACKGROUND_STARFIELD = 5,
};

// The words of the list's columns. An expansion names them after
// `using namespace setting_columns;`.
namespace setting_columns {

// store: where the settings store keeps the value.
enum Store {
    PACK,          // under the pack's key
    GAME,          // under the current game's key
    GAME_MISSILE,  // under the game's key; a game that hides the missile
                   // speeds (HidesMissileSpeed) neither writes it nor takes
                   // it from the launcher's controls
    NOT_STORED,
};

// reset: how ResetSettings gives the setting its value for a game.
struct FixedRule {};          // the default column
struct KeyBindingRule {};     // the default column; ResetKeys restores it too
struct SetDifficultyRule {};  // the game's SetDifficulty(default) sets it...
struct ByDifficultyRule {};   // ...and these with it, from the level
inline constexpr FixedRule FIXED{};
inline constexpr KeyBindingRule KEY_BINDING{};
inline constexpr SetDifficultyRule SET_DIFFICULTY{};
inline constexpr ByDifficultyRule BY_DIFFICULTY{};
// PER_GAME(getter): the current game descriptor's getter of that name.
#define PER_GAME(getter) [](const auto& game) -> int32_t { return game.getter(); }

// replay: the setting's place in a replay's settings, under the field's name.
inline constexpr int NOT_RECORDED = -1;

// control: the launcher's control (a TLauncherForm member) or none.
struct NoControl {};
inline constexpr NoControl NO_CONTROL{};

}  // namespace setting_columns

// X(type, field, store, key, written, default, low, high, reset, replay, control)
//
// type     the field's type in TSettings
// field    its name in code; a replay records it under this name
// store    PACK, GAME, GAME_MISSILE or NOT_STORED
// key      the name it is read under; names match without regard to case
// written  the name it is written under (two settings were written with
//          another spelling than they are read with; files keep either)
// default  the value of TSettings{}; a float that is not a number takes it
// low,high its range (settings_limits.h). An end may be `s.other`, another
//          setting earlier in the list, in the record `s` being brought in range.
// reset    FIXED, KEY_BINDING, SET_DIFFICULTY, BY_DIFFICULTY or PER_GAME(getter)
// replay   its place in the settings a replay records, 0 first, or NOT_RECORDED
// control  the launcher control that shows it, or NO_CONTROL; adapter, width
//          and height share the display-mode boxes, which the launcher fills
//          together, and InputDeviceButtons() is the three device buttons
//
// The list is in the store's order: each key's values are written in list
// order, and a file must stay byte for byte what it was. A replay's settings
// are in another order, hence the replay column.
//
// clang-format off
#define ROCKPILE_SETTINGS(X) \
/*  type            field              store         key                  written              default            low                  high                  reset                                replay        control                  */ \
  X(int32_t,        adapter,           PACK,         "adapter",           "adapter",           0,                 0,                   64,                   FIXED,                               NOT_RECORDED, ComboBoxAdapter)          \
  X(int32_t,        windowed,          PACK,         "windowed",          "windowed",          0,                 0,                   1,                    FIXED,                               NOT_RECORDED, RadioGroupMode)           \
  X(int32_t,        width,             PACK,         "width",             "width",             800,               320,                 16384,                FIXED,                               NOT_RECORDED, ComboBoxResolution)       \
  X(int32_t,        height,            PACK,         "height",            "height",            600,               200,                 16384,                FIXED,                               NOT_RECORDED, ComboBoxResolution)       \
  X(InputDevice,    inputDevice,       PACK,         "inputdevice",       "inputdevice",       INPUT_MOUSE,       INPUT_MOUSE,         INPUT_JOYSTICK,       FIXED,                               9,            InputDeviceButtons())     \
  X(int32_t,        didSurvey,         PACK,         "didsurvey",         "didsurvey",         0,                 0,                   1,                    FIXED,                               NOT_RECORDED, NO_CONTROL)               \
  X(int32_t,        difficulty,        GAME,         "difficulty",        "difficulty",        2,                 0,                   4,                    SET_DIFFICULTY,                      0,            RadioGroupDifficulty)     \
  X(int32_t,        gameId,            NOT_STORED,   nullptr,             nullptr,             0,                 INT32_MIN,           INT32_MAX,            PER_GAME(GetGameId),                 1,            NO_CONTROL)               \
  X(int32_t,        shipHull,          GAME,         "shipHull",          "shipHull",          5,                 1,                   1000,                 BY_DIFFICULTY,                       2,            NO_CONTROL)               \
  X(int32_t,        shipStartHull,     NOT_STORED,   nullptr,             nullptr,             5,                 1,                   s.shipHull,           BY_DIFFICULTY,                       3,            NO_CONTROL)               \
  X(int32_t,        asteroidHull,      GAME,         "asteroidHull",      "asteroidHull",      5,                 1,                   1000,                 BY_DIFFICULTY,                       4,            NO_CONTROL)               \
  X(int32_t,        powerUpChance,     NOT_STORED,   nullptr,             nullptr,             10,                0,                   100,                  BY_DIFFICULTY,                       5,            NO_CONTROL)               \
  X(float,          baseSpawnInterval, NOT_STORED,   nullptr,             nullptr,             1.0f,              0.05f,               60.0f,                BY_DIFFICULTY,                       6,            NO_CONTROL)               \
  X(float,          baseSpeedMin,      NOT_STORED,   nullptr,             nullptr,             10.0f,             0.0f,                1000.0f,              BY_DIFFICULTY,                       7,            NO_CONTROL)               \
  X(float,          baseSpeedMax,      NOT_STORED,   nullptr,             nullptr,             20.0f,             s.baseSpeedMin,      1000.0f,              BY_DIFFICULTY,                       8,            NO_CONTROL)               \
  X(BackgroundMode, background,        GAME,         "background",        "background",        BACKGROUND_FIXED,  BACKGROUND_DISABLED, BACKGROUND_STARFIELD, PER_GAME(GetDefaultBackground),      10,           RadioGroupBackground)     \
  X(int32_t,        wireFrame,         GAME,         "wireFrame",         "wireFrame",         0,                 0,                   1,                    FIXED,                               NOT_RECORDED, CheckBoxWireFrame)        \
  X(int32_t,        enableSound,       GAME,         "enableSound",       "enableSound",       1,                 0,                   1,                    FIXED,                               NOT_RECORDED, CheckBoxEnableSound)      \
  X(int32_t,        enableSpecular,    GAME,         "enableSpecular",    "enableSpecular",    1,                 0,                   1,                    PER_GAME(GetDefaultEnableSpecular),  NOT_RECORDED, CheckBoxEnableSpecular)   \
  X(int32_t,        showBounding,      GAME,         "showbounding",      "showbounding",      0,                 0,                   1,                    FIXED,                               NOT_RECORDED, CheckBoxShowBounding)     \
  X(int32_t,        showFps,           GAME,         "showfps",           "showfps",           0,                 0,                   1,                    FIXED,                               NOT_RECORDED, CheckBoxShowFPS)          \
  X(int32_t,        presentImmediate,  GAME,         "presentimmedaite",  "presentimmedaite",  0,                 0,                   1,                    FIXED,                               NOT_RECORDED, CheckBoxPresentImmediate) \
  X(int32_t,        timingFallback,    GAME,         "timingfallback",    "timingfallback",    0,                 0,                   1,                    FIXED,                               NOT_RECORDED, CheckBoxTimingFallback)   \
  X(int32_t,        enableCheat,       GAME,         "enablecheat",       "enablecheat",       0,                 0,                   1,                    FIXED,                               11,           CheckBoxEnableCheat)      \
  X(int32_t,        enableBarricades,  GAME,         "enablebarricades",  "enablebarricades",  0,                 0,                   1,                    PER_GAME(GetDefaultEnableBarricades), 15,          CheckBoxEnableBarricades) \
  X(int32_t,        enableRotation,    GAME,         "enablerotation",    "enableRotation",    1,                 0,                   1,                    PER_GAME(GetDefaultEnableRotation),  16,           CheckBoxEnableRotation)   \
  X(int32_t,        accel,             GAME,         "accel",             "accel",             5,                 0,                   10,                   PER_GAME(GetDefaultAccel),           12,           TrackBarAccel)            \
  X(int32_t,        playerMissile,     GAME_MISSILE, "playermissile",     "playermissile",     5,                 0,                   10,                   PER_GAME(GetDefaultPlayerMissile),   13,           TrackBarPlayerMissile)    \
  X(int32_t,        ufoMissile,        GAME_MISSILE, "ufomissile",        "ufomissile",        5,                 0,                   10,                   PER_GAME(GetDefaultUfoMissile),      14,           TrackBarUfoMissile)       \
  X(int32_t,        keyFire,           GAME,         "keyfire",           "keyfire",           0x11,              -1,                  255,                  KEY_BINDING,                         17,           ComboBoxKeyFire)          \
  X(int32_t,        keyFire0,          GAME,         "keyfire0",          "keyfire0",          0x41,              -1,                  255,                  KEY_BINDING,                         18,           ComboBoxKeyFire0)         \
  X(int32_t,        keyFire1,          GAME,         "keyfire1",          "keyfire1",          0x53,              -1,                  255,                  KEY_BINDING,                         19,           ComboBoxKeyFire1)         \
  X(int32_t,        keyFire2,          GAME,         "keyfire2",          "keyfire2",          0x44,              -1,                  255,                  KEY_BINDING,                         20,           ComboBoxKeyFire2)         \
  X(int32_t,        keyAltFire,        GAME,         "keyaltfire",        "keyaltfire",        0x12,              -1,                  255,                  KEY_BINDING,                         21,           ComboBoxKeyAltFire)       \
  X(int32_t,        keyShield,         GAME,         "keyshield",         "keyshield",         0x10,              -1,                  255,                  KEY_BINDING,                         22,           ComboBoxKeyShield)        \
  X(int32_t,        keyBrake,          GAME,         "keybrake",          "keybrake",          0x28,              -1,                  255,                  KEY_BINDING,                         23,           ComboBoxKeyBrake)         \
  X(int32_t,        keyThrust,         GAME,         "keythrust",         "keythrust",         0x26,              -1,                  255,                  KEY_BINDING,                         24,           ComboBoxKeyThrust)        \
  X(int32_t,        keyLeft,           GAME,         "keyleft",           "keyleft",           0x25,              -1,                  255,                  KEY_BINDING,                         25,           ComboBoxKeyLeft)          \
  X(int32_t,        keyRight,          GAME,         "keyright",          "keyright",          0x27,              -1,                  255,                  KEY_BINDING,                         26,           ComboBoxKeyRight)         \
  X(int32_t,        mouseVelocity,     GAME,         "mousevelocity",     "mousevelocity",     5,                 0,                   10,                   FIXED,                               27,           TrackBarMouseVelocity)    \
  X(int32_t,        pauseOnFocusLoss,  GAME,         "pauseonfocusloss",  "pauseOnFocusLoss",  1,                 0,                   1,                    FIXED,                               28,           CheckBoxPauseOnFocusLoss) \
  X(int32_t,        soundPlacement,    PACK,         "soundplacement",    "soundplacement",    1,                 0,                   1,                    FIXED,                               NOT_RECORDED, CheckBoxSoundPlacement)   \
  X(int32_t,        padFire,           GAME,         "padfire",           "padfire",           PAD_BUTTON_0,      PAD_NONE,            PAD_CONTROL_END - 1,  KEY_BINDING,                         NOT_RECORDED, ComboBoxPadFire)          \
  X(int32_t,        padAltFire,        GAME,         "padaltfire",        "padaltfire",        PAD_BUTTON_0 + 1,  PAD_NONE,            PAD_CONTROL_END - 1,  KEY_BINDING,                         NOT_RECORDED, ComboBoxPadAltFire)       \
  X(int32_t,        padShield,         GAME,         "padshield",         "padshield",         PAD_BUTTON_0 + 2,  PAD_NONE,            PAD_CONTROL_END - 1,  KEY_BINDING,                         NOT_RECORDED, ComboBoxPadShield)        \
  X(int32_t,        padThrust,         GAME,         "padthrust",         "padthrust",         PAD_MOVE_UP,       PAD_NONE,            PAD_CONTROL_END - 1,  KEY_BINDING,                         NOT_RECORDED, ComboBoxPadThrust)        \
  X(int32_t,        padLeft,           GAME,         "padleft",           "padleft",           PAD_MOVE_LEFT,     PAD_NONE,            PAD_CONTROL_END - 1,  KEY_BINDING,                         NOT_RECORDED, ComboBoxPadLeft)          \
  X(int32_t,        padRight,          GAME,         "padright",          "padright",          PAD_MOVE_RIGHT,    PAD_NONE,            PAD_CONTROL_END - 1,  KEY_BINDING,                         NOT_RECORDED, ComboBoxPadRight)
// clang-format on
