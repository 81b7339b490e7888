#include "store_fixture.h"

#include <stdlib.h>

#include <fstream>
#include <iterator>

#include "framework/gameglobals.h"
#include "launcher/settings_store.h"
#include "persist/highscore.h"
#include "persist/kwparam.h"

namespace fs = std::filesystem;

namespace {

// Long names make each save take long enough to be interrupted mid-write.
std::string ScoreName(int generation, int row) {
    return "Pilot \xC3\xBC " + std::to_string(generation) + "/" + std::to_string(row) + " " +
           std::string(200, char('a' + row));
}

}  // namespace

void StoreTest::SetUp() {
    const char* home = std::getenv("XDG_CONFIG_HOME");
    hadConfigHome_ = home != nullptr;
    if (home) oldConfigHome_ = home;
    // On a memory file system when there is one: saves flush to disk.
    const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string tmpl = (base / "rockpile-store-XXXXXX").string();
    ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
    root_ = tmpl;
    setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
    game_ = pack_.First();
    ASSERT_NE(game_, nullptr);
    FlushParams();
    TakeParamStoreNotices();
}

void StoreTest::TearDown() {
    if (hadConfigHome_)
        setenv("XDG_CONFIG_HOME", oldConfigHome_.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    std::error_code ignored;
    fs::permissions(Folder(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(root_, ignored);
    FlushParams();
}

void StoreTest::MakeState(int pack, int game) {
    ResetSettings(*game_);
    settings.width = 1000 + pack;
    settings.height = 2000 + pack;
    settings.adapter = pack % 3;
    settings.inputDevice = static_cast<InputDevice>(pack % 3);
    settings.windowed = pack % 2;
    settings.didSurvey = 1 - pack % 2;
    settings.shipHull = game;
    settings.asteroidHull = game + 1;
    settings.accel = game + 2;
    settings.mouseVelocity = game + 3;
    settings.keyRight = game % 200;
    for (int row = 0; row < NUM_HIGH_SCORES; ++row) {
        highScores[row].playerName = ScoreName(game, row);
        highScores[row].score = game * 100 + NUM_HIGH_SCORES - row;
    }
}

void StoreTest::Load() {
    ResetSettings(*game_);
    LoadSettings(pack_, *game_);
}

int StoreTest::LoadedPackGeneration() const {
    const int g = settings.width - 1000;
    const bool whole = g >= 0 && settings.height == 2000 + g && settings.adapter == g % 3 &&
                       settings.inputDevice == g % 3 && settings.windowed == g % 2 && settings.didSurvey == 1 - g % 2;
    return whole ? g : -1;
}

int StoreTest::LoadedGameGeneration() const {
    const int g = settings.shipHull;
    bool whole = g >= 0 && settings.asteroidHull == g + 1 && settings.accel == g + 2 && settings.mouseVelocity == g + 3 &&
                 settings.keyRight == g % 200;
    for (int row = 0; row < NUM_HIGH_SCORES; ++row)
        whole = whole && highScores[row].playerName == ScoreName(g, row) &&
                highScores[row].score == g * 100 + NUM_HIGH_SCORES - row;
    return whole ? g : -1;
}

std::string StoreTest::KeyFile(const std::string& key) const { return ParamFilePath(key); }

int StoreTest::CountFiles(const std::string& part) const {
    int n = 0;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(Folder(), ignored))
        if (entry.path().filename().string().find(part) != std::string::npos) ++n;
    return n;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}
