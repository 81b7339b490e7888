// The second game's session. Only the difficulty table is in place so far.
#include "framework/gameglobals.h"
#include "framework/gamepacks.h"

namespace {

struct DifficultyRow {
    int shipHull;
    float spawnInterval, speedMin, speedMax;
};
constexpr DifficultyRow kRows[5] = {
    {12, 1.4f, 5.0f, 15.0f}, {8, 1.2f, 7.0f, 18.0f}, {5, 1.0f, 10.0f, 20.0f},
    {4, 0.8f, 15.0f, 25.0f}, {3, 0.6f, 20.0f, 30.0f},
};

}  // namespace

void TShardstorm::SetDifficulty(int level) {
    settings.difficulty = level;
    settings.powerUpChance = 10;
    settings.asteroidHull = 1;
    settings.baseSpawnInterval = 1.0f;
    settings.baseSpeedMin = 10.0f;
    settings.baseSpeedMax = 20.0f;
    if (level >= 0 && level <= 4) {
        settings.shipHull = kRows[level].shipHull;
        settings.baseSpawnInterval = kRows[level].spawnInterval;
        settings.baseSpeedMin = kRows[level].speedMin;
        settings.baseSpeedMax = kRows[level].speedMax;
    }
    settings.shipStartHull = settings.shipHull;
}

void TShardstorm::OnNewGame() {}
WNDPROC TShardstorm::GetWindowProc() { return nullptr; }
bool TShardstorm::Setup() { return false; }
void TShardstorm::Cleanup() {}
int TShardstorm::Display(float) { return 1; }
void TShardstorm::LoadFieldKinds() {}
void TShardstorm::LoadBackgroundPictures() {}
void TShardstorm::LoadTextures() {}
