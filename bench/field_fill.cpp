#include "field_fill.h"

#include <cmath>

#include "effects/explode.h"
#include "game/projectile.h"
#include "game/session_globals.h"

void FillShotsAndExplosions(std::mt19937& random) {
    std::uniform_real_distribution<float> across(-19.0f, 19.0f), turn(0.0f, 6.28f);
    std::uniform_real_distribution<double> clock(0.0, 0.3);
    while (theProjectiles->count < MAX_PROJECTILES) {
        float a = turn(random);
        uint32_t flags = theProjectiles->count % 4 ? PROJECTILE_PLAYER : PROJECTILE_ENEMY;
        if (!theProjectiles->Fire(across(random), across(random), 0, std::cos(a), std::sin(a), 0, flags, 1)) break;
    }
    while (theExplosions->count < MAX_EXPLOSIONS) {
        TExplosion* e = theExplosions->Add(across(random), across(random), 0, 1.0, 0);
        if (!e) break;
        e->time = clock(random);
    }
}
