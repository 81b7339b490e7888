// The main form's model: start-up, the stores it reads and writes, switching
// games, Play, the demo and the buttons, all without a window.
#include <filesystem>
#include <fstream>

#include "framework/gameglobals.h"
#include "game/highscore_board.h"
#include "launcher/game_list.h"
#include "launcher/quick_start.h"
#include "launcher_fixture.h"
#include "persist/highscore.h"

namespace {

TEST_F(LauncherTest, FirstRunShowsAndStoresEveryDefault) {
    TLauncherForm& form = StartForm();
    TGame& game = *form.CurrentGame();
    EXPECT_STREQ(game.GetTitle(), "Driftrock Classic");
    EXPECT_EQ(form.caption, "Driftrock Classic");
    EXPECT_EQ(form.LabelProgName.caption, "Driftrock Classic");
    EXPECT_EQ(form.LabelVersion.caption, "version 1.2");
    EXPECT_FALSE(form.SettingsPanel.visible);
    EXPECT_EQ(form.activeTab, TAB_GAME);
    EXPECT_EQ(form.formReady, 1);
    EXPECT_EQ(form.startupDone, 1);
    EXPECT_EQ(form.playedThisRun, 0);
    EXPECT_GT(form.cartPicture.width, 0u);
    EXPECT_GT(form.pictureSerial, 0u);

    // The controls show the defaults.
    EXPECT_EQ(form.RadioGroupDifficulty.itemIndex, 2);
    EXPECT_EQ(form.RadioGroupMode.itemIndex, 0);
    EXPECT_EQ(form.RadioGroupBackground.itemIndex, game.GetDefaultBackground());
    EXPECT_TRUE(form.RadioButtonMouse.checked);
    EXPECT_FALSE(form.RadioButtonKeyboard.checked || form.RadioButtonJoystick.checked);
    EXPECT_EQ(form.TrackBarMouseVelocity.position, 5);
    EXPECT_EQ(form.TrackBarAccel.position, game.GetDefaultAccel());
    EXPECT_TRUE(form.CheckBoxEnableSound.checked);
    EXPECT_TRUE(form.CheckBoxSoundPlacement.checked);
    EXPECT_TRUE(form.CheckBoxPauseOnFocusLoss.checked);
    EXPECT_FALSE(form.CheckBoxWireFrame.checked);
    EXPECT_EQ(form.ComboBoxKeyFire.combo.Text(), "control");
    EXPECT_EQ(form.ComboBoxKeyShield.combo.Text(), "shift");
    EXPECT_EQ(form.ComboBoxKeyLeft.combo.Text(), "left arrow");

    // The store holds every value afterwards.
    for (const char* name : {"adapter", "windowed", "width", "height", "inputdevice", "didsurvey", "soundplacement"})
        EXPECT_TRUE(Stored("kwrockpile", name)) << name;
    for (const char* name : {"difficulty", "shipHull", "asteroidHull", "background", "wireFrame", "enableSound",
                             "enableSpecular", "showbounding", "showfps", "presentimmedaite", "timingfallback",
                             "enablecheat", "enablebarricades", "enablerotation", "accel", "playermissile",
                             "ufomissile", "keyfire", "keyfire0", "keyfire1", "keyfire2", "keyaltfire", "keyshield",
                             "keybrake", "keythrust", "keyleft", "keyright", "mousevelocity", "pauseonfocusloss",
                             "name_0", "score_0", "name_9", "score_9"})
        EXPECT_TRUE(Stored("kwdriftrock_classic", name)) << name;
    EXPECT_EQ(Stored("kwrockpile", "width"), "800");
    EXPECT_EQ(Stored("kwdriftrock_classic", "difficulty"), "2");
    EXPECT_EQ(Stored("kwdriftrock_classic", "keyfire"), "17");
    EXPECT_EQ(Stored("kwdriftrock_classic", "mousevelocity"), "5");
    EXPECT_EQ(Stored("kwdriftrock_classic", "background"), std::to_string(game.GetDefaultBackground()));
}

TEST_F(LauncherTest, StoredValuesAppearOnTheForm) {
    Store("kwrockpile", "windowed=1\ninputdevice=1\n");
    Store("kwshardstorm", "difficulty=4\nenablecheat=1\naccel=9\nkeyleft=65\nmousevelocity=42\n");
    TLauncherForm& form = StartForm(&Game("Shardstorm"));
    EXPECT_EQ(form.RadioGroupMode.itemIndex, 1);
    EXPECT_TRUE(form.RadioButtonKeyboard.checked);
    EXPECT_EQ(form.RadioGroupDifficulty.itemIndex, 4);
    EXPECT_TRUE(form.CheckBoxEnableCheat.checked);
    EXPECT_EQ(form.TrackBarAccel.position, 9);
    EXPECT_EQ(form.ComboBoxKeyLeft.combo.Text(), "A");
    // A track bar cannot show more than its maximum.
    EXPECT_EQ(form.TrackBarMouseVelocity.position, 10);
}

TEST_F(LauncherTest, AGameShowsOnlyItsOwnControls) {
    TLauncherForm& form = StartForm(&Game("Meteor Marshal"));
    EXPECT_TRUE(form.ComboBoxKeyThrust.visible && form.LabelThrust.visible);
    EXPECT_EQ(form.LabelThrust.caption, "Thrust");
    EXPECT_FALSE(form.ComboBoxKeyBrake.visible);
    EXPECT_FALSE(form.ComboBoxKeyFire0.visible || form.LabelTurretFire.visible);
    EXPECT_FALSE(form.GroupBoxGamePlay.visible);
    EXPECT_TRUE(form.GroupBoxMissileSpeed.visible);

    form.SelectGame(Game("Shardstorm"));
    EXPECT_FALSE(form.ComboBoxKeyThrust.visible || form.LabelThrust.visible);
    EXPECT_TRUE(form.ComboBoxKeyShield.visible && form.ComboBoxKeyAltFire.visible);
    EXPECT_EQ(form.caption, "Shardstorm");
    EXPECT_EQ(form.Pack().current, &Game("Shardstorm"));
}

TEST_F(LauncherTest, SwitchingGamesSavesTheGameLeftUnderItsOwnKeyFirst) {
    Store("kwshardstorm", "difficulty=1\n");
    TLauncherForm& form = StartForm();
    form.RadioGroupDifficulty.itemIndex = 4;
    form.CheckBoxEnableCheat.checked = true;
    form.activeTab = TAB_CONTROLS;
    const uint32_t picture = form.pictureSerial;

    ASSERT_TRUE(form.gameList);
    form.gameList->GameListChange(3);  // Shardstorm
    EXPECT_EQ(form.CurrentGame(), &Game("Shardstorm"));
    EXPECT_EQ(Stored("kwdriftrock_classic", "difficulty"), "4");
    EXPECT_EQ(Stored("kwdriftrock_classic", "enablecheat"), "1");
    // The new game's own values, not the ones left behind.
    EXPECT_EQ(form.RadioGroupDifficulty.itemIndex, 1);
    EXPECT_FALSE(form.CheckBoxEnableCheat.checked);
    EXPECT_EQ(Stored("kwshardstorm", "difficulty"), "1");
    EXPECT_EQ(form.activeTab, TAB_GAME);
    EXPECT_NE(form.pictureSerial, picture);

    form.gameList->GameListChange(0);
    EXPECT_EQ(form.RadioGroupDifficulty.itemIndex, 4);
    EXPECT_TRUE(form.CheckBoxEnableCheat.checked);
}

TEST_F(LauncherTest, PlayWithDifficultyZeroStoresTheLevelZeroHulls) {
    Store("kwdriftrock", "difficulty=3\nshipHull=99\nasteroidHull=77\n");
    TGame& marshal = Game("Meteor Marshal");
    const TSettings kept = settings;
    marshal.SetDifficulty(0);
    const int32_t shipHull = settings.shipHull, asteroidHull = settings.asteroidHull;
    settings = kept;

    TLauncherForm& form = StartForm(&marshal);
    EXPECT_EQ(settings.shipHull, 99);
    form.RadioGroupDifficulty.itemIndex = 0;
    std::optional<std::string> storedAtPlay;
    host_.onRun = [&](TGame& game, GameRun kind) {
        EXPECT_EQ(&game, &marshal);
        EXPECT_EQ(kind, GameRun::Play);
        storedAtPlay = Stored("kwdriftrock", "shipHull");
    };
    form.Play();
    EXPECT_EQ(storedAtPlay, std::to_string(shipHull));
    EXPECT_EQ(Stored("kwdriftrock", "asteroidHull"), std::to_string(asteroidHull));
    EXPECT_EQ(Stored("kwdriftrock", "difficulty"), "0");
    EXPECT_EQ(form.playedThisRun, 1);
    // Hidden while the game ran, shown again after it.
    EXPECT_EQ(host_.shown, (std::vector<bool>{false, true}));
}

TEST_F(LauncherTest, ANameEnteredInTheGameIsSavedAtOnce) {
    TLauncherForm& form = StartForm();
    host_.onRun = [&](TGame&, GameRun) {
        ASSERT_TRUE(THighScoreBoard::onNameEntered);
        InsertHighScore(4200);
        highScores[0].playerName = "ACE";
        THighScoreBoard::onNameEntered();
        EXPECT_EQ(Stored("kwdriftrock_classic", "name_0"), "\"ACE\"");
        EXPECT_EQ(Stored("kwdriftrock_classic", "score_0"), "4200");
    };
    form.Play();
    EXPECT_EQ(host_.runs.size(), 1u);
    EXPECT_FALSE(THighScoreBoard::onNameEntered);
}

TEST_F(LauncherTest, TheDemoKeepsNeitherScoresNorSettings) {
    Store("kwdriftrock_classic", "name_0=\"BEST\"\nscore_0=900\n");
    TLauncherForm& form = StartForm();
    form.RadioGroupDifficulty.itemIndex = 0;  // an unsaved choice the demo plays with
    const TSettings before = settings;
    const std::string storedBefore = StoreFile("kwdriftrock_classic");
    host_.onRun = [&](TGame&, GameRun kind) {
        EXPECT_EQ(kind, GameRun::Demo);
        EXPECT_EQ(settings.difficulty, 0);
        settings.inputDevice = INPUT_KEYBOARD;
        InsertHighScore(5000);
        highScores[0].playerName = "AUTOPILOT";
    };
    form.PlayDemo();
    EXPECT_EQ(host_.runs, std::vector<GameRun>{GameRun::Demo});
    EXPECT_EQ(highScores[0].playerName, "BEST");
    EXPECT_EQ(highScores[0].score, 900);
    EXPECT_EQ(settings.inputDevice, before.inputDevice);
    EXPECT_EQ(settings.difficulty, before.difficulty);
    EXPECT_EQ(form.playedThisRun, 0);
    EXPECT_EQ(StoreFile("kwdriftrock_classic"), storedBefore);
    EXPECT_EQ(form.RadioGroupDifficulty.itemIndex, 0);
}

// The windowed launcher keeps drawing frames while a game plays: the form's
// after-game work waits for the game's end, however many frames later.
TEST_F(LauncherTest, WhatFollowsAGameWaitsForItsEnd) {
    Store("kwdriftrock_classic", "name_0=\"BEST\"\nscore_0=900\n");
    TLauncherForm& form = StartForm();
    host_.holdGames = true;
    form.Play();
    EXPECT_EQ(host_.shown, std::vector<bool>{false});
    EXPECT_TRUE(THighScoreBoard::onNameEntered);  // names entered in play are still saved
    host_.heldGameEnd(true);
    EXPECT_EQ(host_.shown, (std::vector<bool>{false, true}));
    EXPECT_FALSE(THighScoreBoard::onNameEntered);

    const int difficulty = settings.difficulty;
    form.RadioGroupDifficulty.itemIndex = difficulty == 0 ? 1 : 0;
    form.PlayDemo();
    InsertHighScore(5000);
    EXPECT_NE(settings.difficulty, difficulty);  // the demo plays with the form's choice
    host_.heldGameEnd(false);                    // a demo whose set-up failed restores too
    EXPECT_EQ(settings.difficulty, difficulty);
    EXPECT_EQ(highScores[0].score, 900);
    EXPECT_EQ(host_.shown.back(), true);
}

TEST_F(LauncherTest, ScoresAreResetOnlyWhenTheAnswerComes) {
    Store("kwdriftrock_classic", "name_0=\"BEST\"\nscore_0=900\n");
    TLauncherForm& form = StartForm();
    host_.holdAnswers = true;
    form.ButtonResetScoresClick();
    EXPECT_EQ(highScores[0].score, 900);
    host_.heldAnswer(false);
    EXPECT_EQ(Stored("kwdriftrock_classic", "score_0"), "900");
    form.ButtonResetScoresClick();
    host_.heldAnswer(true);
    EXPECT_EQ(highScores[0].score, 0);
    EXPECT_EQ(Stored("kwdriftrock_classic", "score_0"), "0");
}

TEST_F(LauncherTest, ResetKeyboardKeepsTheOtherUnsavedChanges) {
    TLauncherForm& form = StartForm();
    form.RadioGroupDifficulty.itemIndex = 0;
    form.CheckBoxWireFrame.checked = true;
    form.TrackBarMouseVelocity.position = 9;
    SelectKeyInCombo(form.ComboBoxKeyFire.combo, 'Z');
    SelectKeyInCombo(form.ComboBoxKeyRight.combo, 'D');
    SelectItemByObject(form.ComboBoxPadFire.list, PAD_RT);
    form.ButtonResetKeyboardClick();
    EXPECT_EQ(form.ComboBoxKeyFire.combo.Text(), "control");
    EXPECT_EQ(form.ComboBoxKeyRight.combo.Text(), "right arrow");
    EXPECT_EQ(GetSelectedItemObject(form.ComboBoxPadFire.list), PAD_BUTTON_0) << "the controller's too";
    EXPECT_EQ(form.RadioGroupDifficulty.itemIndex, 0);
    EXPECT_TRUE(form.CheckBoxWireFrame.checked);
    EXPECT_EQ(form.TrackBarMouseVelocity.position, 9);
}

TEST_F(LauncherTest, ANewKeyboardLayoutRenamesTheKeysKeepingTheChoices) {
    TLauncherForm& form = StartForm();
    SelectKeyInCombo(form.ComboBoxKeyFire.combo, 'Z');
    form.ComboBoxKeyShield.combo.selected = -1;
    form.KeyLayoutChanged();
    EXPECT_EQ(KeyFromCombo(form.ComboBoxKeyFire.combo), 'Z');
    EXPECT_EQ(KeyFromCombo(form.ComboBoxKeyShield.combo), -1);
    EXPECT_EQ(KeyFromCombo(form.ComboBoxKeyLeft.combo), 0x25);
    EXPECT_EQ(form.ComboBoxKeyFire.combo.items.size(), 52u);
}

TEST_F(LauncherTest, StepTabGoesRoundTheTabsBothWays) {
    TLauncherForm& form = StartForm();
    ASSERT_EQ(form.activeTab, TAB_GAME);
    form.StepTab(-1);
    EXPECT_EQ(form.activeTab, TAB_ABOUT);
    form.StepTab(1);
    EXPECT_EQ(form.activeTab, TAB_GAME);
    form.StepTab(TAB_CONTROLS);
    EXPECT_EQ(form.activeTab, TAB_CONTROLS);
    form.StepTab(2 * TAB_COUNT + 1);
    EXPECT_EQ(form.activeTab, TAB_ABOUT);
}

TEST_F(LauncherTest, AKeyBoxNamingNoKeyStoresMinusOne) {
    Store("kwdriftrock_classic", "keyshield=7\n");  // a code without a name
    TLauncherForm& form = StartForm();
    EXPECT_EQ(form.ComboBoxKeyShield.combo.Text(), "");
    form.ComboBoxKeyFire.combo.selected = -1;
    form.Play();
    EXPECT_EQ(Stored("kwdriftrock_classic", "keyshield"), "-1");
    EXPECT_EQ(Stored("kwdriftrock_classic", "keyfire"), "-1");
    EXPECT_EQ(settings.keyFire, -1);
}

TEST_F(LauncherTest, TheInputChoiceReadsBackInItsOrder) {
    TLauncherForm& form = StartForm();
    form.RadioButtonMouse.checked = false;
    form.ReadForm();
    EXPECT_EQ(settings.inputDevice, INPUT_KEYBOARD);  // nothing chosen: the keyboard
    form.RadioButtonJoystick.checked = true;
    form.ReadForm();
    EXPECT_EQ(settings.inputDevice, INPUT_JOYSTICK);
    form.RadioButtonKeyboard.checked = true;
    form.ReadForm();
    EXPECT_EQ(settings.inputDevice, INPUT_KEYBOARD);
}

TEST_F(LauncherTest, TheChosenResolutionAndAdapterAreStored) {
    TLauncherForm& form = StartForm();
    ListModel& sizes = form.ComboBoxResolution.list;
    FillResolutionCombo({{800, 600, 60, D3DFMT_X8R8G8B8}, {1280, 720, 60, D3DFMT_X8R8G8B8}}, sizes);
    ASSERT_TRUE(SelectResolution(sizes, 1280, 720));
    form.ComboBoxAdapter.list.items = {{"first [Default]", 0, std::nullopt}, {"second", 1, std::nullopt}};
    form.ComboBoxAdapter.list.selected = 1;
    form.Play();
    EXPECT_EQ(Stored("kwrockpile", "width"), "1280");
    EXPECT_EQ(Stored("kwrockpile", "height"), "720");
    EXPECT_EQ(Stored("kwrockpile", "adapter"), "1");

    // With nothing to choose from, the adapter stays and the size is 800 x 600.
    form.ComboBoxAdapter.list.Clear();
    sizes.Clear();
    form.ReadForm();
    EXPECT_EQ(settings.adapter, 1);
    EXPECT_EQ(settings.width, 800);
    EXPECT_EQ(settings.height, 600);
}

TEST_F(LauncherTest, ResettingScoresAsksFirst) {
    Store("kwdriftrock_classic", "name_0=\"BEST\"\nscore_0=900\n");
    TLauncherForm& form = StartForm();
    host_.confirmAnswer = false;
    form.ButtonResetScoresClick();
    ASSERT_EQ(host_.questions.size(), 1u);
    EXPECT_EQ(host_.questions[0], "Reset high score list -- are you sure?");
    EXPECT_EQ(highScores[0].score, 900);
    EXPECT_EQ(Stored("kwdriftrock_classic", "score_0"), "900");

    host_.confirmAnswer = true;
    form.ButtonResetScoresClick();
    EXPECT_EQ(highScores[0].score, 0);
    EXPECT_EQ(Stored("kwdriftrock_classic", "score_0"), "0");
    EXPECT_EQ(Stored("kwdriftrock_classic", "name_0"), "\"\"");
}

TEST_F(LauncherTest, TheOptionsButtonTogglesTheSettingsPanel) {
    TLauncherForm& form = StartForm();
    form.ButtonSettingsClick();
    EXPECT_TRUE(form.SettingsPanel.visible);
    form.ButtonSettingsClick();
    EXPECT_FALSE(form.SettingsPanel.visible);
}

TEST_F(LauncherTest, TheSurveyOpensOnceAfterAPlay) {
    std::ofstream("gamesurvey.html") << "<html></html>";
    StartForm().FormClose();
    EXPECT_TRUE(host_.opened.empty());  // no Play, no survey

    StartForm().Play();
    form_->FormClose();
    EXPECT_EQ(host_.opened, std::vector<std::string>{"gamesurvey.html"});
    EXPECT_EQ(Stored("kwrockpile", "didsurvey"), "1");

    StartForm().Play();
    form_->FormClose();
    EXPECT_EQ(host_.opened.size(), 1u);
}

TEST_F(LauncherTest, ClosingSavesTheFormsUnsavedChanges) {
    TLauncherForm& form = StartForm();
    form.CheckBoxShowFPS.checked = true;
    form.CheckBoxPauseOnFocusLoss.checked = false;
    form.CheckBoxSoundPlacement.checked = false;
    form.RadioGroupMode.itemIndex = 1;
    form.FormClose();
    EXPECT_EQ(Stored("kwdriftrock_classic", "showfps"), "1");
    EXPECT_EQ(Stored("kwdriftrock_classic", "pauseonfocusloss"), "0");
    EXPECT_EQ(Stored("kwrockpile", "windowed"), "1");
    // Sound placement is the listener's, the same for every game.
    EXPECT_EQ(Stored("kwrockpile", "soundplacement"), "0");
    EXPECT_FALSE(Stored("kwdriftrock_classic", "soundplacement").has_value());
    form_.reset();
    EXPECT_FALSE(StartForm(&Game("Shardstorm")).CheckBoxSoundPlacement.checked);
}

// A pack of one game.
class SoloPack : public TGamePack {
public:
    SoloPack() { Add(new TMeteorMarshal); }
    const char* GetRegistryKeyName() const override { return "kwsolo"; }
};

// A pack whose second game has cheat texts of its own.
const GameDescription kSeekerGame = [] {
    GameDescription game = kShardstormGame;
    game.cheatF9Text = "F9 ... Release a seeker";
    return game;
}();
class CheatTextPack : public TGamePack {
public:
    CheatTextPack() {
        Add(new TMeteorMarshal);
        Add(new TShardstorm(kSeekerGame));
    }
    const char* GetRegistryKeyName() const override { return "kwcheats"; }
};

TEST_F(LauncherTest, CheatLabelsFollowTheCurrentGame) {
    CheatTextPack pack;
    TLauncherForm& form = StartForm(nullptr, &pack);
    const std::string usual = form.LabelCheatF9.caption;
    EXPECT_EQ(usual, "F9 ... Add some whirlygigs");
    form.gameList->GameListChange(1);
    EXPECT_EQ(form.LabelCheatF9.caption, "F9 ... Release a seeker");
    EXPECT_EQ(form.LabelCheatF3.caption, "F3 ... 5 minutes of invulnerability");
    form.gameList->GameListChange(0);
    EXPECT_EQ(form.LabelCheatF9.caption, usual);
}

TEST_F(LauncherTest, APackOfOneGameIsCentredWithoutAList) {
    SoloPack solo;
    TLauncherForm& form = StartForm(nullptr, &solo);
    EXPECT_FALSE(form.gameList);
    EXPECT_EQ(form.bounds.left, (1280 - kFormClientWidth) / 2);
    EXPECT_EQ(form.bounds.top, (1024 - kFormClientHeight) / 2);
    form.OpenGameList();  // no list to open: the keyboard stays
    EXPECT_FALSE(form.gameList);
    EXPECT_TRUE(host_.listFocus.empty());
}

TEST_F(LauncherTest, SeveralGamesLeaveRoomForTheListBeside) {
    TLauncherForm& form = StartForm();
    ASSERT_TRUE(form.gameList);
    const FormRect& list = form.gameList->bounds;
    EXPECT_TRUE(form.gameList->visible);
    EXPECT_EQ(form.bounds.left, (1280 - kFormClientWidth - list.width) / 2);
    EXPECT_EQ(form.bounds.top, (1024 - kFormClientHeight) / 2);
    EXPECT_EQ(list.left, form.bounds.left + kFormClientWidth + 5);
    EXPECT_EQ(list.top + list.height, form.bounds.top + kFormClientHeight);

    // Moving the form takes the list along; near the right edge it goes left.
    form.FormMoved(760, 40);
    EXPECT_EQ(list.left, 760 - list.width - 5);
    EXPECT_EQ(list.top, 40 + kFormClientHeight - list.height);
}

TEST_F(LauncherTest, AScreenTooNarrowForBothPutsTheFormAtTheLeftEdge) {
    host_.screen = {0, 0, 640, 480};
    TLauncherForm& form = StartForm();
    EXPECT_EQ(form.bounds.left, 0);
    EXPECT_EQ(form.bounds.top, (480 - kFormClientHeight) / 2);
}

}  // namespace
