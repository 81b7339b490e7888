// The settings files of the build before the settings list (data/, written by
// it; data/README.md says how) load, show on the launcher and save back byte
// for byte; the same choices write the same bytes; and each game's reset
// gives the documented defaults, written out here.
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <fstream>
#include <iterator>
#include <sstream>

#include "framework/gameglobals.h"
#include "game/game_descriptions.h"
#include "game/gamepacks.h"
#include "launcher/settings_store.h"
#include "launcher_fixture.h"
#include "persist/highscore.h"
#include "settings_fields.h"

namespace fs = std::filesystem;

namespace {

const std::string kData = SETTINGS_FILE_DATA;

const char* const kNames[NUM_HIGH_SCORES] = {
    "Zoë", "Ægir", "Øyvind Ångström", "Łukasz", "Søren", "Ñandú", "Ελένη", "Юрий", "李小龍", "🚀 Rocket",
};

void FillScores() {
    for (int i = 0; i < NUM_HIGH_SCORES; ++i) highScores[i] = {kNames[i], 98765 - i * 4321};
}

void ExpectFullScoreTable() {
    for (int i = 0; i < NUM_HIGH_SCORES; ++i) {
        EXPECT_EQ(highScores[i].playerName, kNames[i]) << "row " << i;
        EXPECT_EQ(highScores[i].score, 98765 - i * 4321) << "row " << i;
    }
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The first line where `actual` leaves `expected`, for the failure message.
std::string FirstDifference(const std::string& actual, const std::string& expected) {
    std::istringstream a(actual), e(expected);
    std::string lineA, lineE;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreE = static_cast<bool>(std::getline(e, lineE));
        if (!moreA && !moreE) return "the same lines, other bytes";
        if (!moreA || !moreE || lineA != lineE)
            return "line " + std::to_string(line) + " is \"" + (moreA ? lineA : "(end)") + "\" where \"" +
                   (moreE ? lineE : "(end)") + "\" was";
    }
}

// The games of data/form/, with the background each was given.
struct FormGame {
    const char* title;
    const char* key;
    BackgroundMode background;
};
const FormGame kFormGames[] = {
    {"Shardstorm", "kwshardstorm", BACKGROUND_HORIZONTAL_SCROLL},
    {"Meteor Marshal", "kwdriftrock", BACKGROUND_VERTICAL_SCROLL},
};

// What the launcher showed when data/form/ was written, each control away
// from its default. The SDL dummy display has one adapter, 0, and one size,
// 1024 x 768.
void ChooseOnForm(TLauncherForm& form, BackgroundMode background) {
    form.RadioGroupMode.itemIndex = 1;
    form.RadioGroupDifficulty.itemIndex = 3;
    form.RadioGroupBackground.itemIndex = background;
    form.CheckBoxWireFrame.checked = true;
    form.CheckBoxEnableSound.checked = false;
    form.CheckBoxEnableSpecular.checked = false;
    form.CheckBoxShowBounding.checked = true;
    form.CheckBoxShowFPS.checked = true;
    form.CheckBoxPresentImmediate.checked = true;
    form.CheckBoxTimingFallback.checked = true;
    form.CheckBoxEnableCheat.checked = true;
    form.CheckBoxEnableBarricades.checked = true;
    form.CheckBoxEnableRotation.checked = false;
    form.CheckBoxPauseOnFocusLoss.checked = false;
    form.TrackBarAccel.position = 7;
    form.TrackBarPlayerMissile.position = 8;
    form.TrackBarUfoMissile.position = 2;
    form.TrackBarMouseVelocity.position = 9;
    SelectKeyInCombo(form.ComboBoxKeyFire.combo, 'Z');
    SelectKeyInCombo(form.ComboBoxKeyFire0.combo, 'Q');
    SelectKeyInCombo(form.ComboBoxKeyFire1.combo, 'W');
    SelectKeyInCombo(form.ComboBoxKeyFire2.combo, 'E');
    SelectKeyInCombo(form.ComboBoxKeyAltFire.combo, 'X');
    SelectKeyInCombo(form.ComboBoxKeyShield.combo, 'C');
    SelectKeyInCombo(form.ComboBoxKeyBrake.combo, 'B');
    SelectKeyInCombo(form.ComboBoxKeyThrust.combo, 'T');
    SelectKeyInCombo(form.ComboBoxKeyLeft.combo, 'J');
    SelectKeyInCombo(form.ComboBoxKeyRight.combo, 'L');
    form.RadioButtonMouse.checked = false;
    form.RadioButtonKeyboard.checked = false;
    form.RadioButtonJoystick.checked = true;
    ASSERT_TRUE(SelectResolution(form.ComboBoxResolution.list, 1024, 768));
}

void ExpectFormShows(const TLauncherForm& form, BackgroundMode background) {
    EXPECT_EQ(form.RadioGroupMode.itemIndex, 1);
    EXPECT_EQ(form.RadioGroupDifficulty.itemIndex, 3);
    EXPECT_EQ(form.RadioGroupBackground.itemIndex, background);
    EXPECT_TRUE(form.CheckBoxWireFrame.checked);
    EXPECT_FALSE(form.CheckBoxEnableSound.checked);
    EXPECT_FALSE(form.CheckBoxEnableSpecular.checked);
    EXPECT_TRUE(form.CheckBoxShowBounding.checked);
    EXPECT_TRUE(form.CheckBoxShowFPS.checked);
    EXPECT_TRUE(form.CheckBoxPresentImmediate.checked);
    EXPECT_TRUE(form.CheckBoxTimingFallback.checked);
    EXPECT_TRUE(form.CheckBoxEnableCheat.checked);
    EXPECT_TRUE(form.CheckBoxEnableBarricades.checked);
    EXPECT_FALSE(form.CheckBoxEnableRotation.checked);
    EXPECT_FALSE(form.CheckBoxPauseOnFocusLoss.checked);
    EXPECT_EQ(form.TrackBarAccel.position, 7);
    EXPECT_EQ(form.TrackBarPlayerMissile.position, 8);
    EXPECT_EQ(form.TrackBarUfoMissile.position, 2);
    EXPECT_EQ(form.TrackBarMouseVelocity.position, 9);
    EXPECT_EQ(form.ComboBoxKeyFire.combo.Text(), "Z");
    EXPECT_EQ(form.ComboBoxKeyFire0.combo.Text(), "Q");
    EXPECT_EQ(form.ComboBoxKeyFire1.combo.Text(), "W");
    EXPECT_EQ(form.ComboBoxKeyFire2.combo.Text(), "E");
    EXPECT_EQ(form.ComboBoxKeyAltFire.combo.Text(), "X");
    EXPECT_EQ(form.ComboBoxKeyShield.combo.Text(), "C");
    EXPECT_EQ(form.ComboBoxKeyBrake.combo.Text(), "B");
    EXPECT_EQ(form.ComboBoxKeyThrust.combo.Text(), "T");
    EXPECT_EQ(form.ComboBoxKeyLeft.combo.Text(), "J");
    EXPECT_EQ(form.ComboBoxKeyRight.combo.Text(), "L");
    EXPECT_FALSE(form.RadioButtonMouse.checked || form.RadioButtonKeyboard.checked);
    EXPECT_TRUE(form.RadioButtonJoystick.checked);
    ASSERT_TRUE(form.ComboBoxResolution.list.Selected());
    EXPECT_EQ(form.ComboBoxResolution.list.Selected()->text, "1024 x 768");
    ASSERT_TRUE(form.ComboBoxAdapter.list.Selected());
    EXPECT_EQ(form.ComboBoxAdapter.list.Selected()->value, 0);
}

// The settings data/store/ holds: every stored value away from its default.
void ChooseInStore() {
    settings.adapter = 3;
    settings.windowed = 1;
    settings.width = 1920;
    settings.height = 1080;
    settings.inputDevice = INPUT_KEYBOARD;
    settings.didSurvey = 1;
    settings.difficulty = 4;
    settings.shipHull = 77;
    settings.asteroidHull = 66;
    settings.background = BACKGROUND_ROTATING;
    settings.wireFrame = 1;
    settings.enableSound = 0;
    settings.enableSpecular = 0;
    settings.showBounding = 1;
    settings.showFps = 1;
    settings.presentImmediate = 1;
    settings.timingFallback = 1;
    settings.enableCheat = 1;
    settings.enableBarricades = 1;
    settings.enableRotation = 0;
    settings.accel = 1;
    settings.playerMissile = 10;
    settings.ufoMissile = 0;
    settings.keyFire = 0x20;
    settings.keyFire0 = 0x31;
    settings.keyFire1 = 0x32;
    settings.keyFire2 = 0x33;
    settings.keyAltFire = 0x0D;
    settings.keyShield = -1;
    settings.keyBrake = 0x53;
    settings.keyThrust = 0x57;
    settings.keyLeft = 0x41;
    settings.keyRight = 0x44;
    settings.mouseVelocity = 0;
    settings.pauseOnFocusLoss = 0;
}

class SettingsFileTest : public LauncherTest {
protected:
    std::string Folder() const { return root_ + "/config/Kestrelworks/"; }
    void Install(const std::string& set, const std::string& key) const {
        fs::create_directories(Folder());
        fs::copy_file(kData + "/" + set + "/" + key + ".ini", Folder() + key + ".ini",
                      fs::copy_options::overwrite_existing);
    }
    // The old bytes with the settings added since the data was written, at
    // their defaults: last under the pack's key; under a game's, at the end
    // of a file read back, or before the scores in one written afresh.
    enum class Saved { Afresh, OverOld };
    void ExpectSameFile(const std::string& set, const std::string& key, Saved saved) const {
        std::string old = ReadBytes(kData + "/" + set + "/" + key + ".ini");
        ASSERT_FALSE(old.empty()) << set << "/" << key;
        if (key == "kwrockpile") {
            old += "soundplacement=1\n";
        } else {
            const std::string pad =
                "padfire=0\npadaltfire=1\npadshield=2\npadthrust=270\npadleft=272\npadright=273\n";
            const size_t scores = old.find("name_0=");
            ASSERT_NE(scores, std::string::npos) << set << "/" << key;
            old.insert(saved == Saved::Afresh ? scores : old.size(), pad);
        }
        const std::string written = ReadBytes(Folder() + key + ".ini");
        EXPECT_TRUE(written == old) << key << " differs from data/" << set << ": " << FirstDifference(written, old);
    }
};

TEST_F(SettingsFileTest, OldFilesShowOnTheLauncherAndSaveBackByteForByte) {
    for (const FormGame& g : kFormGames) {
        SCOPED_TRACE(g.title);
        Install("form", "kwrockpile");
        Install("form", g.key);
        TGame& game = Game(g.title);
        ResetSettings(game);
        TSettings expected = settings;
        expected.windowed = 1;
        expected.width = 1024;
        expected.height = 768;
        expected.inputDevice = INPUT_JOYSTICK;
        expected.didSurvey = 1;
        expected.difficulty = 3;
        game.SetDifficulty(3);  // the file's hulls are the level's
        expected.shipHull = settings.shipHull;
        expected.asteroidHull = settings.asteroidHull;
        expected.background = g.background;
        expected.wireFrame = expected.showBounding = expected.showFps = expected.presentImmediate = 1;
        expected.timingFallback = expected.enableCheat = expected.enableBarricades = 1;
        expected.enableSound = expected.enableSpecular = expected.enableRotation = expected.pauseOnFocusLoss = 0;
        expected.accel = 7;
        expected.playerMissile = 8;
        expected.ufoMissile = 2;
        expected.mouseVelocity = 9;
        expected.keyFire = 'Z';
        expected.keyFire0 = 'Q';
        expected.keyFire1 = 'W';
        expected.keyFire2 = 'E';
        expected.keyAltFire = 'X';
        expected.keyShield = 'C';
        expected.keyBrake = 'B';
        expected.keyThrust = 'T';
        expected.keyLeft = 'J';
        expected.keyRight = 'L';

        TLauncherForm& form = StartForm(&game);
        ExpectSameSettings(settings, expected);
        ExpectFullScoreTable();
        ExpectFormShows(form, g.background);

        form.FormClose();  // reads the form back and saves
        ExpectSameFile("form", "kwrockpile", Saved::OverOld);
        ExpectSameFile("form", g.key, Saved::OverOld);
        form_.reset();
        fs::remove_all(Folder());
    }
}

TEST_F(SettingsFileTest, TheSameChoicesOnTheLauncherWriteTheSameBytes) {
    // As data/form/ was made: a first start, each game's choices, then close.
    for (const FormGame& g : kFormGames) {
        SCOPED_TRACE(g.title);
        TLauncherForm& form = StartForm(&Game(g.title));
        ChooseOnForm(form, g.background);
        FillScores();
        settings.didSurvey = 1;
        form.FormClose();
        ExpectSameFile("form", g.key, Saved::Afresh);
        form_.reset();
    }
    ExpectSameFile("form", "kwrockpile", Saved::Afresh);
}

TEST_F(SettingsFileTest, OldFilesLoadAndSaveBackByteForByteThroughTheStore) {
    Install("store", "kwrockpile");
    Install("store", "kwdriftrock_classic");
    TGame& game = Game("Driftrock Classic");
    ResetSettings(game);
    ChooseInStore();
    const TSettings expected = settings;

    ResetSettings(game);
    LoadSettings(pack_, game);
    ExpectSameSettings(settings, expected);
    ExpectFullScoreTable();
    ASSERT_TRUE(SaveSettings(pack_, game));
    ExpectSameFile("store", "kwrockpile", Saved::OverOld);
    ExpectSameFile("store", "kwdriftrock_classic", Saved::OverOld);
}

TEST_F(SettingsFileTest, AFirstSaveWritesTheKeysOfOldInTheirOrderAndSpelling) {
    // As data/store/ was made: nothing stored, nothing loaded, one save.
    TGame& game = Game("Driftrock Classic");
    ResetSettings(game);
    ChooseInStore();
    FillScores();
    ASSERT_TRUE(SaveSettings(pack_, game));
    ExpectSameFile("store", "kwrockpile", Saved::Afresh);
    ExpectSameFile("store", "kwdriftrock_classic", Saved::Afresh);
}

// A game that hides the missile speeds.
const GameDescription kNoMissileSpeedGame = [] {
    GameDescription game = kShardstormGame;
    game.hidesMissileSpeed = true;
    game.registryKeyName = "kwnomissiles";
    return game;
}();
class NoMissileSpeedPack : public TGamePack {
public:
    NoMissileSpeedPack() { Add(new TShardstorm(kNoMissileSpeedGame)); }
    const char* GetRegistryKeyName() const override { return "kwnomissilespack"; }
};

TEST_F(SettingsFileTest, AGameThatHidesTheMissileSpeedsNeitherTakesNorWritesThem) {
    NoMissileSpeedPack pack;
    Store("kwnomissiles", "difficulty=1\nplayermissile=3\n");
    TLauncherForm& form = StartForm(nullptr, &pack);
    EXPECT_FALSE(form.GroupBoxMissileSpeed.visible);
    EXPECT_EQ(settings.playerMissile, 3);  // read all the same
    form.TrackBarPlayerMissile.position = 9;
    form.TrackBarUfoMissile.position = 9;
    form.CheckBoxShowFPS.checked = true;
    form.FormClose();
    EXPECT_EQ(settings.playerMissile, 3);
    EXPECT_EQ(settings.ufoMissile, pack.First()->GetDefaultUfoMissile());
    EXPECT_EQ(Stored("kwnomissiles", "playermissile"), "3");  // as it was
    EXPECT_FALSE(Stored("kwnomissiles", "ufomissile").has_value());
    EXPECT_EQ(Stored("kwnomissiles", "showfps"), "1");
    EXPECT_EQ(Stored("kwnomissiles", "mousevelocity"), "5");
}

TEST_F(SettingsFileTest, TheTrackBarsRunOverTheirSettingsRanges) {
    TLauncherForm& form = StartForm();
    for (const TrackBar* bar :
         {&form.TrackBarAccel, &form.TrackBarPlayerMissile, &form.TrackBarUfoMissile, &form.TrackBarMouseVelocity}) {
        EXPECT_EQ(bar->min, 0);
        EXPECT_EQ(bar->max, 10);
    }
}

// The documented defaults; the game's own come from its getters and its
// SetDifficulty(2).
TSettings DocumentedDefaults(TGame& game) {
    TSettings d;
    std::memset(static_cast<void*>(&d), 0x5a, sizeof d);  // nothing taken from TSettings{}
    d.adapter = 0;
    d.windowed = 0;
    d.width = 800;
    d.height = 600;
    d.inputDevice = INPUT_MOUSE;
    d.didSurvey = 0;
    d.difficulty = 2;
    d.shipHull = d.shipStartHull = d.asteroidHull = 5;
    d.powerUpChance = 10;
    d.baseSpawnInterval = 1.0f;
    d.baseSpeedMin = 10.0f;
    d.baseSpeedMax = 20.0f;
    d.wireFrame = 0;
    d.enableSound = 1;
    d.showBounding = 0;
    d.showFps = 0;
    d.presentImmediate = 0;
    d.timingFallback = 0;
    d.enableCheat = 0;
    d.keyFire = 0x11;
    d.keyFire0 = 'A';
    d.keyFire1 = 'S';
    d.keyFire2 = 'D';
    d.keyAltFire = 0x12;
    d.keyShield = 0x10;
    d.keyBrake = 0x28;
    d.keyThrust = 0x26;
    d.keyLeft = 0x25;
    d.keyRight = 0x27;
    d.mouseVelocity = 5;
    d.pauseOnFocusLoss = 1;
    d.soundPlacement = 1;
    d.padFire = PAD_BUTTON_0;
    d.padAltFire = PAD_BUTTON_0 + 1;
    d.padShield = PAD_BUTTON_0 + 2;
    d.padThrust = PAD_MOVE_UP;
    d.padLeft = PAD_MOVE_LEFT;
    d.padRight = PAD_MOVE_RIGHT;

    d.gameId = game.GetGameId();
    d.background = static_cast<BackgroundMode>(game.GetDefaultBackground());
    d.enableSpecular = game.GetDefaultEnableSpecular();
    d.accel = game.GetDefaultAccel();
    d.playerMissile = game.GetDefaultPlayerMissile();
    d.ufoMissile = game.GetDefaultUfoMissile();
    d.enableBarricades = game.GetDefaultEnableBarricades();
    d.enableRotation = game.GetDefaultEnableRotation();
    const TSettings kept = settings;
    settings = d;
    game.SetDifficulty(2);
    d = settings;
    settings = kept;
    return d;
}

TEST_F(SettingsFileTest, EachGameResetsToItsDefaults) {
    for (TGame* game = pack_.First(); game && game != &pack_.head; game = game->next) {
        SCOPED_TRACE(game->GetTitle());
        std::memset(static_cast<void*>(&settings), 0x3c, sizeof settings);
        FillScores();
        ResetSettings(*game);
        ExpectSameSettings(settings, DocumentedDefaults(*game));
        for (const THighScore& row : highScores) EXPECT_EQ(row.score, 0);
    }
}

TEST_F(SettingsFileTest, ResettingTheKeysLeavesTheRestAlone) {
    TGame& game = Game("Shardstorm");
    ResetSettings(game);
    ChooseInStore();
    const std::initializer_list<int32_t TSettings::*> pad = {
        &TSettings::padFire, &TSettings::padAltFire, &TSettings::padShield,
        &TSettings::padThrust, &TSettings::padLeft, &TSettings::padRight};
    for (int32_t TSettings::*binding : pad) settings.*binding = PAD_RT;
    TSettings expected = settings;
    const TSettings defaults = DocumentedDefaults(game);
    for (int32_t TSettings::*key : {&TSettings::keyFire, &TSettings::keyFire0, &TSettings::keyFire1,
                                    &TSettings::keyFire2, &TSettings::keyAltFire, &TSettings::keyShield,
                                    &TSettings::keyBrake, &TSettings::keyThrust, &TSettings::keyLeft,
                                    &TSettings::keyRight})
        expected.*key = defaults.*key;
    for (int32_t TSettings::*binding : pad) expected.*binding = defaults.*binding;
    ResetKeys();
    ExpectSameSettings(settings, expected);
}

}  // namespace
