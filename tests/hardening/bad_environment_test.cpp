// The program in environments it cannot fully use: no display, an OpenGL
// older than 3.3, no audio device, a missing or damaged game library, a
// settings folder that cannot be written, and an installed layout where the
// library is found from the program's own folder.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "run_program.h"

namespace {

namespace fs = std::filesystem;

class BadEnvironmentTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "rockpile-env-XXXXXX").string();
        ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
        root_ = tmpl;
    }
    void TearDown() override { fs::remove_all(root_); }

    // A short game with the test's own settings folder; `extra` first.
    ProgramRun Play(std::vector<std::string> extra, std::map<std::string, std::optional<std::string>> env = {},
                    const std::string& program = ROCKPILE_PROGRAM, const std::string& folder = {}) {
        std::vector<std::string> args = {"--play", "--batch", "--frames", "20", "--fixed-dt", "0.02", "--stats"};
        args.insert(args.begin(), extra.begin(), extra.end());
        env.try_emplace("XDG_CONFIG_HOME", root_ + "/config");
        env.try_emplace("SDL_NO_SIGNAL_HANDLERS", "1");
        return RunProgram(program, args, env, folder.empty() ? root_ : folder);
    }

    // Settles video on SDL's off-screen driver, which needs no X server. In
    // a sanitizer build, leaks are not counted: the GL driver, unloaded at
    // exit, leaves allocations no stack can be found for.
    static std::map<std::string, std::optional<std::string>> Offscreen() {
        return {{"SDL_VIDEODRIVER", "offscreen"},
                {"DISPLAY", std::nullopt},
                {"WAYLAND_DISPLAY", std::nullopt},
                {"ASAN_OPTIONS", "detect_leaks=0"}};
    }

    std::string CopyOfLibrary(size_t bytes) {
        std::ifstream in(ROCKPILE_LIBRARY, std::ios::binary);
        std::string data(bytes, '\0');
        in.read(data.data(), std::streamsize(bytes));
        const std::string path = root_ + "/damaged.lib";
        std::ofstream(path, std::ios::binary) << data;
        return path;
    }

    std::string root_;
};

TEST_F(BadEnvironmentTest, WithNoDisplayThePlayerIsToldHowToPlayAnyway) {
    ProgramRun run = Play({"--library", ROCKPILE_LIBRARY},
                          {{"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}, {"SDL_VIDEODRIVER", std::nullopt}});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("No display found"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("--headless"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("xvfb-run"), std::string::npos) << run.err;
}

TEST_F(BadEnvironmentTest, ADisplayThatCannotBeReachedIsNamed) {
    ProgramRun run = Play({"--library", ROCKPILE_LIBRARY},
                          {{"DISPLAY", ":31999"}, {"WAYLAND_DISPLAY", std::nullopt}, {"SDL_VIDEODRIVER", std::nullopt}});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("The display ':31999' cannot be opened"), std::string::npos) << run.err;
}

TEST_F(BadEnvironmentTest, AnOpenGLOlderThan33IsNamedInTheReport) {
    auto env = Offscreen();
    env["MESA_GL_VERSION_OVERRIDE"] = "3.0";
    ProgramRun run = Play({"--library", ROCKPILE_LIBRARY, "--windowed"}, env);
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("Failed to create an OpenGL device"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Version = 3.0"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("OpenGL 3.3 core"), std::string::npos) << run.err;
}

TEST_F(BadEnvironmentTest, WithNoAudioDeviceTheGamePlaysSilently) {
    auto env = Offscreen();
    env["ALSOFT_DRIVERS"] = "no-such-driver";
    ProgramRun run = Play({"--library", ROCKPILE_LIBRARY, "--windowed"}, env);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("no audio device; playing without sound"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("\"frames\": 20,"), std::string::npos) << run.out;
}

// The head-up display draws with the faces the library carries: with
// fontconfig finding no font at all, a fixed frame is the same picture.
TEST_F(BadEnvironmentTest, WithFontconfigFindingNoFontsTheHeadUpDisplayIsDrawnAsUsual) {
    const std::string config = root_ + "/no-fonts.conf";
    std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
    auto shot = [&](const std::optional<std::string>& fontconfigFile, const std::string& picture) {
        auto env = Offscreen();
        env["FONTCONFIG_FILE"] = fontconfigFile;
        ProgramRun run = Play({"--library", ROCKPILE_LIBRARY, "--windowed", "--size", "640x480", "--seed", "3",
                               "--screenshot", root_ + "/" + picture},
                              env);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err.find("No font face"), std::string::npos) << run.err;
        std::ifstream in(root_ + "/" + picture, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string usual = shot(std::nullopt, "usual.png"), without = shot(config, "without.png");
    ASSERT_FALSE(usual.empty());
    EXPECT_TRUE(usual == without) << "the frame differs without fontconfig's fonts";
}

TEST_F(BadEnvironmentTest, AMissingLibraryEndsTheProgramWithItsMessage) {
    ProgramRun run = Play({"--headless", "--library", root_ + "/nowhere.lib"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Error while opening game library " + root_ + "/nowhere.lib: No such file or directory"),
              std::string::npos)
        << run.err;
}

TEST_F(BadEnvironmentTest, AScreenshotThatCannotBeWrittenFailsTheRun) {
    const std::string written = root_ + "/last.png";
    ProgramRun run = Play({"--library", ROCKPILE_LIBRARY, "--windowed", "--screenshot", written}, Offscreen());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_GT(fs::file_size(written), 0u);

    const std::string nowhere = root_ + "/no-such-folder/last.png";
    run = Play({"--library", ROCKPILE_LIBRARY, "--windowed", "--screenshot", nowhere}, Offscreen());
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("cannot write the screenshot " + nowhere), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("\"frames\": 20,"), std::string::npos) << run.out;  // the game itself played
}

TEST_F(BadEnvironmentTest, ADamagedLibraryIsRefusedWithTheReason) {
    ProgramRun shortTable = Play({"--headless", "--library", CopyOfLibrary(1000)});
    EXPECT_EQ(shortTable.status, 1);
    EXPECT_NE(shortTable.err.find("shorter than its 61444-byte table"), std::string::npos) << shortTable.err;

    ProgramRun cutEntries = Play({"--headless", "--library", CopyOfLibrary(70000)});
    EXPECT_EQ(cutEntries.status, 1);
    EXPECT_NE(cutEntries.err.find("runs past the end of the file"), std::string::npos) << cutEntries.err;
}

TEST_F(BadEnvironmentTest, TheInstalledProgramFindsItsLibraryFromItsOwnFolder) {
    fs::create_directories(root_ + "/prefix/bin");
    const std::string program = root_ + "/prefix/bin/rockpile";
    fs::copy_file(ROCKPILE_PROGRAM, program);
    ProgramRun lost = Play({"--headless"}, {}, program);
    EXPECT_EQ(lost.status, 1);
    EXPECT_NE(lost.err.find("Unable to find the file 'kwrockpile.lib'"), std::string::npos) << lost.err;

    fs::create_directories(root_ + "/prefix/share/rockpile");
    fs::create_symlink(ROCKPILE_LIBRARY, root_ + "/prefix/share/rockpile/kwrockpile.lib");
    ProgramRun found = Play({"--headless"}, {}, program);
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_NE(found.out.find("\"missingResources\": 0"), std::string::npos) << found.out;
}

TEST_F(BadEnvironmentTest, AnUnwritableSettingsFolderLetsTheGameRunAndSaysSo) {
    const std::string blocker = root_ + "/blocker";
    std::ofstream(blocker) << "a file where the settings folder should be";
    ProgramRun run = Play({"--headless", "--library", ROCKPILE_LIBRARY}, {{"XDG_CONFIG_HOME", blocker}});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\"frames\": 20,"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("settings not saved"), std::string::npos) << run.err;
}

// A recording is written after the game, so a place it cannot go is said
// before playing rather than after a whole game is lost.
TEST_F(BadEnvironmentTest, AReplayThatCannotBeWrittenIsRefusedBeforePlay) {
    for (const std::string& target : {root_ + "/missing/game.rpl", root_}) {
        ProgramRun run = Play({"--headless", "--library", ROCKPILE_LIBRARY, "--record", target});
        EXPECT_EQ(run.status, 1) << target;
        EXPECT_NE(run.err.find("cannot write the replay"), std::string::npos) << run.err;
        EXPECT_EQ(run.out.find("\"frames\""), std::string::npos) << run.out;  // no game was played
    }
    ProgramRun recorded = Play({"--headless", "--library", ROCKPILE_LIBRARY, "--record", root_ + "/game.rpl"});
    EXPECT_EQ(recorded.status, 0) << recorded.err;
    EXPECT_TRUE(fs::exists(root_ + "/game.rpl"));
}

}  // namespace
