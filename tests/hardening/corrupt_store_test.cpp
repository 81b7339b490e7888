// Damaged and unwritable stores met at the level of the whole settings and
// high score table: each gets a message, nothing that was stored is lost
// (damaged bytes are kept beside the store), and no value is ever read as
// something that was never saved.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "framework/gameglobals.h"
#include "launcher/settings_store.h"
#include "persist/highscore.h"
#include "persist/kwparam.h"
#include "platform/message_box.h"
#include "store_fixture.h"

namespace {

class CorruptStoreTest : public StoreTest {
protected:
    // Loads with standard error captured and returns what was written there.
    std::string LoadCapturingMessages() {
        ::testing::internal::CaptureStderr();
        Load();
        return ::testing::internal::GetCapturedStderr();
    }

    std::string SaveGeneration(int g) {
        MakeState(g, g);
        EXPECT_TRUE(SaveSettings(pack_, *game_));
        return ReadFile(KeyFile(game_->GetRegistryKeyName()));
    }

    std::vector<std::filesystem::path> SetAside() {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(Folder()))
            if (entry.path().filename().string().find(".corrupt-") != std::string::npos) files.push_back(entry.path());
        return files;
    }
    // The stored file kept aside under a ".corrupt-" name, if there is one.
    std::string SetAsideBytes() {
        auto files = SetAside();
        return files.size() == 1 ? ReadFile(files[0].string()) : std::string();
    }
    void RemoveSetAside() {
        for (const auto& path : SetAside()) std::filesystem::remove(path);
    }
};

TEST_F(CorruptStoreTest, GarbageIsKeptAsideAndTheGameStartsFromDefaults) {
    SaveGeneration(4);
    const char bytes[] = "\x89PNG\r\n\x1a\n\0\0\0 not settings [";
    const std::string garbage(bytes, sizeof bytes - 1);
    WriteFile(KeyFile(game_->GetRegistryKeyName()), garbage);

    const std::string messages = LoadCapturingMessages();
    EXPECT_NE(messages.find(KeyFile(game_->GetRegistryKeyName())), std::string::npos) << messages;
    EXPECT_EQ(SetAsideBytes(), garbage);
    EXPECT_EQ(LoadedPackGeneration(), 4);  // the other key is untouched
    EXPECT_EQ(settings.shipHull, 5);
    EXPECT_EQ(highScores[0].score, 0);
    EXPECT_EQ(highScores[0].playerName, "");
}

TEST_F(CorruptStoreTest, AnEmptyFileIsReportedAndGivesDefaults) {
    SaveGeneration(2);
    WriteFile(KeyFile(game_->GetRegistryKeyName()), "");

    const std::string messages = LoadCapturingMessages();
    EXPECT_NE(messages.find("empty"), std::string::npos) << messages;
    EXPECT_EQ(settings.shipHull, 5);
    EXPECT_EQ(highScores[9].playerName, "");
    EXPECT_EQ(LoadedPackGeneration(), 2);
}

// A file cut at any byte: the whole lines before the cut keep their values,
// the cut line falls back to its default, the full bytes are kept aside, and
// no value is read as a third thing.
TEST_F(CorruptStoreTest, ATruncatedFileNeverYieldsAValueThatWasNotSaved) {
    const std::string whole = SaveGeneration(37);
    const std::string file = KeyFile(game_->GetRegistryKeyName());
    MakeState(37, 37);
    const TSettings saved = settings;
    const auto savedScores = std::to_array(highScores);
    ResetSettings(*game_);
    const TSettings defaults = settings;

    WriteFile(file, whole.substr(0, whole.find("score_3=") + 10));
    const std::string messages = LoadCapturingMessages();
    EXPECT_NE(messages.find("ends in the middle of a line"), std::string::npos) << messages;
    EXPECT_EQ(highScores[2].score, savedScores[2].score);
    EXPECT_EQ(highScores[3].score, 0);

    for (size_t cut = 1; cut < whole.size(); ++cut) {
        RemoveSetAside();
        WriteFile(file, whole.substr(0, cut));
        LoadCapturingMessages();
        if (whole[cut - 1] != '\n') {
            ASSERT_EQ(SetAsideBytes(), whole.substr(0, cut)) << "cut at " << cut;
        }
        ASSERT_TRUE(settings.shipHull == saved.shipHull || settings.shipHull == defaults.shipHull) << cut;
        ASSERT_TRUE(settings.mouseVelocity == saved.mouseVelocity || settings.mouseVelocity == defaults.mouseVelocity)
            << cut;
        for (int row = 0; row < NUM_HIGH_SCORES; ++row) {
            ASSERT_TRUE(highScores[row].score == savedScores[row].score || highScores[row].score == 0)
                << "cut at " << cut << ", row " << row << ": " << highScores[row].score;
            ASSERT_TRUE(highScores[row].playerName == savedScores[row].playerName ||
                        highScores[row].playerName.empty())
                << "cut at " << cut << ", row " << row << ": " << highScores[row].playerName;
        }
    }
}

// A save that cannot be written (here: every file write fails, as on a full
// disk) is reported and leaves the stored state whole; nothing half-written
// is left behind.
TEST_F(CorruptStoreTest, AFailedSaveIsReportedAndKeepsTheOldState) {
    SaveGeneration(3);
    const std::string before = ReadFile(KeyFile(game_->GetRegistryKeyName()));

    pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit none{0, 0};
        setrlimit(RLIMIT_FSIZE, &none);
        MakeState(4, 4);
        const bool saved = SaveSettings(pack_, *game_);
        _exit(!saved && !ParamStoreError().empty() && !FlushParams() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the failed save was not reported";
    EXPECT_EQ(ReadFile(KeyFile(game_->GetRegistryKeyName())), before);
    EXPECT_EQ(CountFiles(".ini."), 0);
    Load();
    EXPECT_EQ(LoadedGameGeneration(), 3);
    EXPECT_EQ(LoadedPackGeneration(), 3);
}

TEST_F(CorruptStoreTest, AReadOnlyFolderKeepsTheStoreAndSaysSettingsCannotBeSaved) {
    SaveGeneration(6);
    std::filesystem::permissions(Folder(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (access(Folder().c_str(), W_OK) == 0) GTEST_SKIP() << "permissions do not bind this user (root)";

    MakeState(7, 7);
    ::testing::internal::CaptureStderr();
    const bool saved = SaveSettings(pack_, *game_);
    const std::string messages = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(saved);
    EXPECT_NE(messages.find("not saved"), std::string::npos) << messages;
    Load();
    EXPECT_EQ(LoadedGameGeneration(), 6);
}

TEST_F(CorruptStoreTest, AFolderThatCannotExistGivesDefaultsAndAFailedSave) {
    const std::string blocker = root_ + "/blocker";
    WriteFile(blocker, "a file where the settings folder should be");
    setenv("XDG_CONFIG_HOME", blocker.c_str(), 1);

    ::testing::internal::CaptureStderr();
    Load();
    MakeState(1, 1);
    const bool saved = SaveSettings(pack_, *game_);
    const std::string messages = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(saved);
    EXPECT_NE(messages.find("not saved"), std::string::npos) << messages;
    EXPECT_EQ(ReadFile(blocker), "a file where the settings folder should be");
}

// The player is told once, with the reason, rather than at every save.
TEST_F(CorruptStoreTest, FailedSavesAreToldToThePlayerOnce) {
    std::vector<std::string> told;
    SetMessageObserver([&](const std::string& text, const std::string&) { told.push_back(text); });
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(SaveSettings(pack_, *game_));
    ReportStoreProblems();
    EXPECT_TRUE(told.empty());

    const std::string blocker = root_ + "/blocker";
    WriteFile(blocker, "not a folder");
    setenv("XDG_CONFIG_HOME", blocker.c_str(), 1);
    for (int attempt = 0; attempt < 3; ++attempt) {
        ASSERT_FALSE(SaveSettings(pack_, *game_));
        ReportStoreProblems();
    }
    ::testing::internal::GetCapturedStderr();
    SetMessageObserver(nullptr);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("could not be saved"), std::string::npos) << told[0];
    EXPECT_NE(told[0].find(blocker), std::string::npos) << told[0];
}

TEST_F(CorruptStoreTest, ADamagedFileIsToldToThePlayerOnce) {
    std::vector<std::string> told;
    SetMessageObserver([&](const std::string& text, const std::string&) { told.push_back(text); });
    ::testing::internal::CaptureStderr();
    WriteFile(KeyFile(game_->GetRegistryKeyName()), "[section\nbroken");
    Load();
    ReportStoreProblems();
    Load();
    ReportStoreProblems();
    ::testing::internal::GetCapturedStderr();
    SetMessageObserver(nullptr);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("damaged"), std::string::npos) << told[0];
    EXPECT_NE(told[0].find(".corrupt-"), std::string::npos) << told[0];
}

// A name entered during a game is saved with the settings the player chose,
// not with those the game changed for its run; the run keeps its own.
TEST_F(CorruptStoreTest, ANameIsSavedWithTheChosenSettings) {
    MakeState(2, 2);
    const TSettings chosen = settings;
    settings.inputDevice = static_cast<InputDevice>((chosen.inputDevice + 1) % 3);  // e.g. no joystick: keyboard for this run
    settings.difficulty = 4;
    highScores[0].playerName = "NEW";
    highScores[0].score = 1000000;

    ASSERT_TRUE(SaveChosenSettings(pack_, *game_, chosen));
    EXPECT_EQ(settings.inputDevice, (chosen.inputDevice + 1) % 3);
    EXPECT_EQ(settings.difficulty, 4);

    Load();
    EXPECT_EQ(settings.inputDevice, chosen.inputDevice);
    EXPECT_EQ(settings.difficulty, chosen.difficulty);
    EXPECT_EQ(highScores[0].playerName, "NEW");
    EXPECT_EQ(highScores[0].score, 1000000);
}

// Two copies of the program open at once: a score the other one saved in the
// meantime survives this one's save, and a table this one cleared stays
// cleared.
TEST_F(CorruptStoreTest, ScoresSavedByAnotherCopyAreKept) {
    MakeState(1, 1);
    ASSERT_TRUE(SaveSettings(pack_, *game_));
    Load();

    pid_t other = fork();
    if (other == 0) {
        Load();
        const int row = InsertHighScore(999999);
        if (row >= 0) highScores[row].playerName = "OTHER";
        _exit(row == 0 && SaveSettings(pack_, *game_) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(other, &status, 0), other);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    const THighScore lowest = highScores[NUM_HIGH_SCORES - 3];  // the last row kept once two join
    const int mine = InsertHighScore(500000);
    ASSERT_GE(mine, 0);
    highScores[mine].playerName = "MINE";
    ASSERT_TRUE(SaveSettings(pack_, *game_));
    EXPECT_EQ(highScores[0].playerName, "OTHER");  // the table in use has it too

    Load();
    EXPECT_EQ(highScores[0].playerName, "OTHER");
    EXPECT_EQ(highScores[0].score, 999999);
    EXPECT_EQ(highScores[1].playerName, "MINE");
    EXPECT_EQ(highScores[NUM_HIGH_SCORES - 1].playerName, lowest.playerName);  // two rows pushed out, not more

    ClearHighScores();
    ASSERT_TRUE(SaveSettings(pack_, *game_));
    Load();
    for (const THighScore& row : highScores) EXPECT_EQ(row.score, 0) << row.playerName;
}

}  // namespace
