// A game whose setup fails at any step (a resource it cannot do without is
// missing from the library) leaves nothing of its session behind, and a game
// that plays leaves nothing either once it is over.
#include <gtest/gtest.h>

#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/gameglobals.h"
#include "game/gamepacks.h"
#include "game/session_globals.h"
#include "gamelib/edgerender.h"
#include "gamelib/libman.h"
#include "gamelib/texman.h"
#include "launcher/play.h"
#include "launcher/settings_store.h"
#include "lib_writer.h"

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kRocks = {"asteroid1.x", "asteroid2.x", "asteroid3.x", "asteroid4.x", "asteroid5.x"};

struct FailingStep {
    const char* game;
    std::vector<std::string> missing;
};

// Every step of each game's setup that can fail, in the order the setup
// takes them.
const FailingStep kSteps[] = {
    {"Meteor Marshal", {"ship.x"}},
    {"Meteor Marshal", {"missile.x"}},
    {"Meteor Marshal", {"ufomissile.x"}},
    {"Meteor Marshal", kRocks},
    {"Meteor Marshal", {"status.x"}},
    {"Meteor Marshal", {"hullstatus.x"}},
    {"Driftrock Retro", {"shaders\\outline.txt"}},
    {"Driftrock Retro", {"ship.x"}},
    {"Driftrock Classic", {"hullstatus.x"}},
    {"Shardstorm", {"ship2.x"}},
    {"Shardstorm", {"missile.x"}},
    {"Shardstorm", {"ufomissile.x"}},
    {"Shardstorm", kRocks},
    {"Shardstorm", {"status.x"}},
    {"Shardstorm", {"hullstatus.x"}},
};

std::string Describe(const FailingStep& step) {
    std::string text = std::string(step.game) + " without";
    for (const std::string& name : step.missing) text += " " + name;
    return text;
}

class SetupFailureTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("rockpile-setup-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
        std::string error;
        ASSERT_TRUE(CollectLibrarySources(ROCKPILE_CONTENT_STAGING, sources_, error)) << error;
        theGamePack = &pack_;
        useGameLib = 1;
        logGameLibUsage = 0;
    }
    void TearDown() override {
        OpenGameLib(ROCKPILE_LIBRARY_FILE, "");
        theGamePack = nullptr;
        fs::remove_all(folder_);
    }

    // Opens a library of the default content less `missing`.
    void OpenLibraryWithout(const std::vector<std::string>& missing) {
        std::vector<LibrarySource> kept;
        for (const LibrarySource& source : sources_) {
            const bool drop = std::any_of(missing.begin(), missing.end(), [&](const std::string& name) {
                return strcasecmp(name.c_str(), source.name.c_str()) == 0;
            });
            if (!drop) kept.push_back(source);
        }
        ASSERT_EQ(kept.size() + missing.size(), sources_.size()) << "a name to leave out is not in the library";
        const std::string path = (folder_ / "partial.lib").string();
        std::string error;
        ASSERT_TRUE(WriteLibrary(path, kept, error)) << error;
        OpenGameLib(path.c_str(), "");
    }

    // The game of this title made current, with its default settings.
    TGame* Choose(const char* title) {
        TGame* game = pack_.FindGameNamed(title);
        EXPECT_NE(game, nullptr) << title;
        if (!game) return nullptr;
        pack_.current = game;
        ResetSettings(*game);
        return game;
    }

    // The computer plays headless at 60 frames a second; `frames` 0: until
    // the run is dropped.
    static PlayOptions Autopilot(int frames) {
        PlayOptions options;
        options.headless = true;
        options.autopilot = true;
        options.fixedDt = 1.0 / 60;
        options.frames = frames;
        return options;
    }

    bool Play(const char* title, int frames) {
        TGame* game = Choose(title);
        if (!game) return false;
        PlaySummary summary;
        return PlayGame(*game, Autopilot(frames), summary);
    }

    static void ExpectNothingOfTheSessionLeft() {
        EXPECT_EQ(theAsteroids, nullptr);
        EXPECT_EQ(theShip, nullptr);
        EXPECT_EQ(theProjectiles, nullptr);
        EXPECT_EQ(theExplosions, nullptr);
        EXPECT_EQ(theScoreBoard, nullptr);
        EXPECT_EQ(theHighScoreBoard, nullptr);
        EXPECT_EQ(theBackground, nullptr);
        EXPECT_EQ(theTextureManager, nullptr);
        EXPECT_EQ(theEdgeRender, nullptr);
        EXPECT_EQ(pausedText.mesh, nullptr);
        EXPECT_EQ(gameState, GAME_STATE_NONE);
    }

    TRockpileGamePack pack_;
    std::vector<LibrarySource> sources_;
    fs::path folder_;
};

TEST_F(SetupFailureTest, EveryStepThatFailsReleasesWhatTheSetupMade) {
    for (const FailingStep& step : kSteps) {
        SCOPED_TRACE(Describe(step));
        OpenLibraryWithout(step.missing);
        EXPECT_FALSE(Play(step.game, 10));
        ExpectNothingOfTheSessionLeft();
    }
}

TEST_F(SetupFailureTest, EveryGamePlaysOnTheWholeLibraryAndLeavesNothingAfterwards) {
    OpenLibraryWithout({});
    for (const char* title : {"Driftrock Classic", "Driftrock Retro", "Meteor Marshal", "Shardstorm"}) {
        SCOPED_TRACE(title);
        EXPECT_TRUE(Play(title, 120));
        ExpectNothingOfTheSessionLeft();
    }
}

// A run driven a frame at a time, as the launcher drives one, may be
// dropped in the middle of play (the program is closing): it releases
// everything all the same, and it ends on its own once its frames are spent.
TEST_F(SetupFailureTest, ARunDrivenFrameByFrameReleasesEverythingWhenDroppedOrDone) {
    OpenLibraryWithout({});
    TGame* game = Choose("Meteor Marshal");
    ASSERT_NE(game, nullptr);
    PlayOptions options = Autopilot(0);
    PlaySummary summary;
    {
        PlayRun run(*game, options, summary);
        ASSERT_TRUE(run.Started());
        for (int i = 0; i < 30; ++i) ASSERT_TRUE(run.Frame());
        EXPECT_NE(theShip, nullptr);
    }
    EXPECT_EQ(summary.frames, 30);
    ExpectNothingOfTheSessionLeft();

    options.frames = 5;
    PlayRun run(*game, options, summary);
    ASSERT_TRUE(run.Started());
    int frames = 0;
    while (run.Frame()) ++frames;
    EXPECT_EQ(frames, 5);  // the last frame asks for the end; the next call takes it
    EXPECT_EQ(summary.frames, 5);
    EXPECT_FALSE(run.Frame());
}

}  // namespace
