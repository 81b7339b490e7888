// The flagship game's session. Only the difficulty table is in place so far;
// setup, frames and keys follow with the session code.
#include "framework/gameglobals.h"
#include "framework/gamepacks.h"

namespace {

struct HullRow {
    int shipHull, asteroidHull;
};
constexpr HullRow kHulls[5] = {{12, 1}, {8, 3}, {5, 5}, {4, 10}, {3, 15}};

}  // namespace

void TMeteorMarshal::SetDifficulty(int level) {
    settings.difficulty = level;
    settings.powerUpChance = 10;
    if (level >= 0 && level <= 4) {
        settings.shipHull = kHulls[level].shipHull;
        settings.asteroidHull = kHulls[level].asteroidHull;
    }
    settings.shipStartHull = settings.shipHull;
    if (GetGameId() == 12 || GetGameId() == 13) settings.asteroidHull = 1;
}

WNDPROC TMeteorMarshal::GetWindowProc() { return nullptr; }
bool TMeteorMarshal::Setup() { return false; }
void TMeteorMarshal::Cleanup() {}
int TMeteorMarshal::Display(float) { return 1; }
void TMeteorMarshal::Shutdown() {}
