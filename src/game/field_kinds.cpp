#include "game/field_kinds.h"

#include "framework/tgame.h"
#include "sound/soundman.h"

namespace {

constexpr FieldKindRow kFlagshipRows[] = {
    {"monolith.x", KIND_ROCK, KEY_MONOLITH, 1.0},
    {"basestar.x", KIND_VISITOR | KIND_WOBBLE | KIND_SCATTER_FIRE | MESH_TILE9, KEY_BASESTAR, 4.0},
    {"asteroid4.x", KIND_ROCK, KEY_ROCK, 1.0},
    {"asteroid3.x", KIND_ROCK, KEY_ROCK, 1.0},
    {"asteroid2.x", KIND_ROCK, KEY_ROCK, 1.0},
    {"asteroid1.x", KIND_ROCK, KEY_ROCK, 1.0},
    {"asteroid5.x", KIND_ROCK, KEY_ROCK, -0.85, 0, KindCondition::WithoutOutlineRendering},
    {"invader1.x", FLAGSHIP_INVADER, 0, 1.0},
    {"invader2.x", FLAGSHIP_INVADER, 0, 1.0},
    {"invader3.x", FLAGSHIP_INVADER, 0, 1.0},
    {"ufo.x", KIND_VISITOR | KIND_WOBBLE | KIND_WOBBLE_STEERING | KIND_SCATTER_FIRE, KEY_VISITOR, 1.5},
    {"borgcube.x", KIND_VISITOR | KIND_WOBBLE_STEERING | KIND_SCATTER_FIRE, KEY_VISITOR, 3.0, 0,
     KindCondition::WithBorgCubes},
    {"dogtoy.x", KIND_WHIRLYGIG, 1, 1.0},
    {"spree2.x", FLAGSHIP_WHIRLYGIG, 2, 1.0},
    {"spike.x", FLAGSHIP_WHIRLYGIG, 3, 1.0},
    {"spike2.x", FLAGSHIP_WHIRLYGIG, 4, 1.0},
    {"phantomzone.x", KIND_ZONE, 5, 1.0},
};

constexpr FieldKindRow kShardstormRows[] = {
    {"asteroid4.x", SHARDSTORM_ROCK, KEY_ROCK, 1.0},
    {"asteroid3.x", SHARDSTORM_ROCK, KEY_ROCK, 1.0},
    {"asteroid2.x", SHARDSTORM_ROCK, KEY_ROCK, 1.0},
    {"asteroid1.x", SHARDSTORM_ROCK, KEY_ROCK, 1.0},
    {"asteroid5.x", SHARDSTORM_ROCK, KEY_ROCK, -0.85},
    {"spinner.x", SHARDSTORM_ROCK, KEY_SPINNER, -0.4, SOUND_SPINNER},
    {"ufo.x", KIND_VISITOR | KIND_WOBBLE | KIND_WOBBLE_STEERING | KIND_AIMED_FIRE, KEY_VISITOR, 1.5, SOUND_UFO},
    {"borgcube.x", KIND_VISITOR | KIND_WOBBLE_STEERING | KIND_AIMED_FIRE, KEY_VISITOR, 3.0, SOUND_BORG},
    {"spike2.x", KIND_ROCK | KIND_ESCAPES | KIND_RANDOM_COLOUR, KEY_SEEKER, -0.25},
};

bool Applies(const FieldKindRow& row, const TGame& game) {
    switch (row.when) {
        case KindCondition::Always: return true;
        case KindCondition::WithoutOutlineRendering: return !game.UsesOutlineRendering();
        case KindCondition::WithBorgCubes: return game.HasBorgCubes();
    }
    return false;
}

}  // namespace

const FieldKindTable kFlagshipKinds{kFlagshipRows, FLAGSHIP_POWERUP};
const FieldKindTable kShardstormKinds{kShardstormRows, SHARDSTORM_POWERUP};

std::vector<FieldKindRow> KindsFor(const FieldKindTable& table, const TGame& game) {
    std::vector<FieldKindRow> rows;
    for (const FieldKindRow& row : table.rows)
        if (Applies(row, game)) rows.push_back(row);
    return rows;
}
