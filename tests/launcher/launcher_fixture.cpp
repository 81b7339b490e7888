#include "launcher_fixture.h"

#include <SDL.h>
#include <strings.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "framework/gameglobals.h"
#include "game/highscore_board.h"
#include "input/joystick.h"
#include "persist/kwparam.h"
#include "platform/message_box.h"

void FakeHost::RunGame(TGame& game, GameRun kind, std::function<void(bool)> ended) {
    runs.push_back(kind);
    ShowLauncher(false);
    if (onRun) onRun(game, kind);
    if (holdGames)
        heldGameEnd = std::move(ended);
    else
        ended(true);
}

void LauncherTest::SetUp() {
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
    char pattern[] = "/tmp/rockpile-launcher-XXXXXX";
    root_ = ::mkdtemp(pattern);
    const char* old = std::getenv("XDG_CONFIG_HOME");
    hadConfig_ = old != nullptr;
    if (old) oldConfig_ = old;
    ::setenv("XDG_CONFIG_HOME", (root_ + "/config").c_str(), 1);
    oldFolder_ = std::filesystem::current_path();
    std::filesystem::create_directories(root_ + "/work");
    std::filesystem::current_path(root_ + "/work");
    FlushParams();
}

void LauncherTest::TearDown() {
    form_.reset();
    DestroyInputDevices();
    THighScoreBoard::onNameEntered = nullptr;
    SetMessageObserver(nullptr);
    std::filesystem::current_path(oldFolder_);
    if (hadConfig_)
        ::setenv("XDG_CONFIG_HOME", oldConfig_.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    std::filesystem::remove_all(root_);
    settings = TSettings{};
    FlushParams();
}

TLauncherForm& LauncherTest::StartForm(TGame* current, TGamePack* pack) {
    TGamePack& chosen = pack ? *pack : pack_;
    if (current) chosen.current = current;
    form_ = std::make_unique<TLauncherForm>(chosen, host_);
    form_->libraryOverride = ROCKPILE_LIBRARY_FILE;
    form_->OpenLibrary();
    form_->StartUp();
    return *form_;
}

TGame& LauncherTest::Game(const std::string& title) {
    for (TGame& game : pack_.Games())
        if (title == game.GetTitle()) return game;
    ADD_FAILURE() << "no game " << title;
    return *pack_.First();
}

std::optional<std::string> LauncherTest::Stored(const std::string& key, const std::string& name) const {
    std::ifstream in(root_ + "/config/Kestrelworks/" + key + ".ini");
    std::string line;
    while (std::getline(in, line)) {
        const size_t equals = line.find('=');
        if (equals != std::string::npos && strcasecmp(line.substr(0, equals).c_str(), name.c_str()) == 0)
            return line.substr(equals + 1);
    }
    return std::nullopt;
}

std::string LauncherTest::StoreFile(const std::string& key) const {
    std::ifstream in(root_ + "/config/Kestrelworks/" + key + ".ini");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void LauncherTest::Store(const std::string& key, const std::string& lines) const {
    std::filesystem::create_directories(root_ + "/config/Kestrelworks");
    std::ofstream(root_ + "/config/Kestrelworks/" + key + ".ini") << "[" << key << "]\n" << lines;
}
