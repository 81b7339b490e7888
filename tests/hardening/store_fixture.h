// A private settings folder for one test, the pack with its first game, and
// settings-and-scores states numbered by generation, so that what a load
// finds can be told apart: one whole generation per file, or something torn.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "framework/tgame.h"
#include "game/gamepacks.h"

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The settings and the high score table of generation `pack` for the
    // pack's key and generation `game` for the game's key.
    void MakeState(int pack, int game);
    // Loads the stored settings into fresh defaults.
    void Load();
    // The generations the loaded settings hold; -1 where a key's values do
    // not all belong to one generation (or match none).
    int LoadedPackGeneration() const;
    int LoadedGameGeneration() const;

    std::string KeyFile(const std::string& key) const;
    std::string Folder() const { return root_ + "/Kestrelworks"; }
    // Files in the settings folder whose names contain `part`.
    int CountFiles(const std::string& part) const;

    TRockpileGamePack pack_;
    TGame* game_ = nullptr;
    std::string root_;

private:
    std::string oldConfigHome_;
    bool hadConfigHome_ = false;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
