// The field-kind tables of the two games: which meshes become kinds of the
// asteroid field, with their kind flags, keys, sizes and sounds, in the order
// the sessions register them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "game/asteroid.h"
#include "game/projectile.h"
#include "gamelib/mesh.h"

class TGame;

// Which games of a family register a row.
enum class KindCondition {
    Always,
    WithoutOutlineRendering,
    WithBorgCubes,
};

struct FieldKindRow {
    const char* mesh;
    uint32_t flags;
    int32_t key;
    double size;  // negative: scale 1 and size factor -size
    int32_t soundId = 0;
    KindCondition when = KindCondition::Always;
};

struct FieldKindTable {
    std::span<const FieldKindRow> rows;
    uint32_t powerupFlags;  // kind flags of the five power-up kinds
};

// Kind flags shared by the tables.
constexpr uint32_t FLAGSHIP_INVADER = KIND_INVADER | MESH_COMPUTE_NORMALS;
constexpr uint32_t FLAGSHIP_WHIRLYGIG = KIND_WHIRLYGIG | KIND_RANDOM_COLOUR;
constexpr uint32_t FLAGSHIP_POWERUP = KIND_POWERUP | KIND_SHOT_PROOF | KIND_EXPIRES | MESH_ALPHA_BLEND;
constexpr uint32_t SHARDSTORM_ROCK = KIND_ROCK | KIND_ESCAPES | KIND_ESCAPE_PENALTY;
constexpr uint32_t SHARDSTORM_POWERUP = KIND_POWERUP | KIND_SHOT_PROOF | KIND_ESCAPES | MESH_ALPHA_BLEND;

// The projectile kinds both sessions load: missile.x and ufomissile.x.
constexpr uint32_t PLAYER_MISSILE_KIND = PROJECTILE_PLAYER | PROJECTILE_ALONG_HEADING;
constexpr uint32_t ENEMY_MISSILE_KIND = PROJECTILE_ENEMY | PROJECTILE_ALONG_HEADING;

// The five power-up kinds, in registration order; each game gives them its
// table's power-up flags.
struct PowerupRow {
    const char* mesh;
    int32_t kind;
};
inline constexpr PowerupRow kPowerupKinds[] = {
    {"mpowerup.x", POWERUP_MISSILES}, {"starpowerup.x", POWERUP_STARBURST}, {"hullpowerup.x", POWERUP_HULL},
    {"shippowerup.x", POWERUP_SHIP},  {"shieldpowerup.x", POWERUP_SHIELD},
};

extern const FieldKindTable kFlagshipKinds;
extern const FieldKindTable kShardstormKinds;

// The rows of `table` that `game` registers, in table order.
std::vector<FieldKindRow> KindsFor(const FieldKindTable& table, const TGame& game);
