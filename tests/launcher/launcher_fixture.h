// The launcher's forms without a window: a private settings folder and
// working folder, the generated game library, and a host that records what
// the forms ask of the windowing side.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/gamepacks.h"
#include "launcher/launcher_host.h"
#include "launcher/main_form.h"

class FakeHost : public LauncherHost {
public:
    FormRect screen{0, 0, 1280, 1024};
    bool confirmAnswer = true;
    // Questions and games end at once, or, when held, when the test says.
    bool holdAnswers = false, holdGames = false;
    std::function<void(bool)> heldAnswer, heldGameEnd;
    std::vector<std::string> questions;
    std::vector<bool> shown;  // every ShowLauncher call
    std::vector<GameRun> runs;
    std::vector<std::string> opened;
    std::vector<bool> listFocus;  // every FocusGameList call
    // What a run does in place of the game (none: nothing).
    std::function<void(TGame&, GameRun)> onRun;

    FormRect Screen() override { return screen; }
    void ShowLauncher(bool visible) override { shown.push_back(visible); }
    void Confirm(const std::string& text, const std::string&, std::function<void(bool)> answered) override {
        questions.push_back(text);
        if (holdAnswers)
            heldAnswer = std::move(answered);
        else
            answered(confirmAnswer);
    }
    void RunGame(TGame& game, GameRun kind, std::function<void(bool)> ended) override;
    void FocusGameList(bool list) override { listFocus.push_back(list); }
    bool OpenFile(const std::string& path) override {
        opened.push_back(path);
        return true;
    }
};

class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A form on `pack` (the fixture's rockpile pack when null) with `current`
    // as its game, started up.
    TLauncherForm& StartForm(TGame* current = nullptr, TGamePack* pack = nullptr);
    // The pack's game with this title.
    TGame& Game(const std::string& title);

    // A stored value as the store file holds it; nullopt when absent.
    std::optional<std::string> Stored(const std::string& key, const std::string& name) const;
    // The whole store file of a key.
    std::string StoreFile(const std::string& key) const;
    // Writes a store file before the forms read it.
    void Store(const std::string& key, const std::string& lines) const;

    std::string root_;
    FakeHost host_;
    TRockpileGamePack pack_;
    std::unique_ptr<TLauncherForm> form_;

private:
    std::string oldConfig_, oldFolder_;
    bool hadConfig_ = false;
};
