#include <string>
#include <vector>

#include "game/gamepacks.h"
#include "world_fixture.h"

namespace {

struct ExpectedKind {
    std::string mesh;
    uint32_t flags;
    int32_t key;
    double size;
    int32_t soundId;
    bool operator==(const ExpectedKind&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ExpectedKind& k) {
    return out << k.mesh << " flags 0x" << std::hex << k.flags << std::dec << " key " << k.key << " size " << k.size
               << " sound " << k.soundId;
}

std::vector<ExpectedKind> Registered(const FieldKindTable& table, const TGame& game) {
    std::vector<ExpectedKind> kinds;
    for (const FieldKindRow& row : KindsFor(table, game))
        kinds.push_back({row.mesh, row.flags, row.key, row.size, row.soundId});
    return kinds;
}

// The flagship kinds in registration order; the rows marked are left out
// by some variants.
const ExpectedKind kMonolith{"monolith.x", 0x10000, 6, 1.0, 0};
const ExpectedKind kBasestar{"basestar.x", 0x100190, 8, 4.0, 0};
const ExpectedKind kRock4{"asteroid4.x", 0x10000, 7, 1.0, 0};
const ExpectedKind kRock3{"asteroid3.x", 0x10000, 7, 1.0, 0};
const ExpectedKind kRock2{"asteroid2.x", 0x10000, 7, 1.0, 0};
const ExpectedKind kRock1{"asteroid1.x", 0x10000, 7, 1.0, 0};
const ExpectedKind kRock5{"asteroid5.x", 0x10000, 7, -0.85, 0};  // not with outline rendering
const ExpectedKind kInvader1{"invader1.x", 0x42, 0, 1.0, 0};
const ExpectedKind kInvader2{"invader2.x", 0x42, 0, 1.0, 0};
const ExpectedKind kInvader3{"invader3.x", 0x42, 0, 1.0, 0};
const ExpectedKind kUfo{"ufo.x", 0x101180, 11, 1.5, 0};
const ExpectedKind kBorgCube{"borgcube.x", 0x101080, 11, 3.0, 0};  // only with borg cubes
const ExpectedKind kDogtoy{"dogtoy.x", 0x2000, 1, 1.0, 0};
const ExpectedKind kSpree{"spree2.x", 0x6000, 2, 1.0, 0};
const ExpectedKind kSpike{"spike.x", 0x6000, 3, 1.0, 0};
const ExpectedKind kSpike2{"spike2.x", 0x6000, 4, 1.0, 0};
const ExpectedKind kZone{"phantomzone.x", 0x8000, 5, 1.0, 0};

TEST(FieldKindTables, MeteorMarshalRegistersEveryFlagshipKind) {
    EXPECT_EQ(Registered(kFlagshipKinds, TMeteorMarshalNewCartImage()),
              (std::vector<ExpectedKind>{kMonolith, kBasestar, kRock4, kRock3, kRock2, kRock1, kRock5, kInvader1,
                                         kInvader2, kInvader3, kUfo, kBorgCube, kDogtoy, kSpree, kSpike, kSpike2,
                                         kZone}));
    EXPECT_EQ(kFlagshipKinds.powerupFlags, 0x80C0004u);
}

TEST(FieldKindTables, ClassicHasNoBorgCube) {
    EXPECT_EQ(Registered(kFlagshipKinds, TDriftrockClassic()),
              (std::vector<ExpectedKind>{kMonolith, kBasestar, kRock4, kRock3, kRock2, kRock1, kRock5, kInvader1,
                                         kInvader2, kInvader3, kUfo, kDogtoy, kSpree, kSpike, kSpike2, kZone}));
}

TEST(FieldKindTables, RetroHasNeitherTheFifthRockNorTheBorgCube) {
    EXPECT_EQ(Registered(kFlagshipKinds, TDriftrockRetro()),
              (std::vector<ExpectedKind>{kMonolith, kBasestar, kRock4, kRock3, kRock2, kRock1, kInvader1, kInvader2,
                                         kInvader3, kUfo, kDogtoy, kSpree, kSpike, kSpike2, kZone}));
}

TEST(FieldKindTables, ShardstormRegistersItsOwnKindsWithSounds) {
    const std::vector<ExpectedKind> expected{
        {"asteroid4.x", 0x10010020, 7, 1.0, 0},   {"asteroid3.x", 0x10010020, 7, 1.0, 0},
        {"asteroid2.x", 0x10010020, 7, 1.0, 0},   {"asteroid1.x", 0x10010020, 7, 1.0, 0},
        {"asteroid5.x", 0x10010020, 7, -0.85, 0}, {"spinner.x", 0x10010020, 31, -0.4, 9},
        {"ufo.x", 0x4001180, 11, 1.5, 13},        {"borgcube.x", 0x4001080, 11, 3.0, 12},
        {"spike2.x", 0x14020, 32, -0.25, 0},
    };
    EXPECT_EQ(Registered(kShardstormKinds, TShardstorm()), expected);
    EXPECT_EQ(kShardstormKinds.powerupFlags, 0xC0024u);
}

TEST(FieldKindTables, ProjectileKindsFlyAlongTheirHeading) {
    EXPECT_EQ(PLAYER_MISSILE_KIND, 0x400200u);
    EXPECT_EQ(ENEMY_MISSILE_KIND, 0x400400u);
}

class TableField : public WorldTest {};

TEST_F(TableField, TheFlagshipFieldHasItsKindsThenTheFivePowerups) {
    AddTableKinds(*field, kFlagshipKinds, TDriftrockRetro());
    ASSERT_EQ(field->kindCount, 15 + 5);
    EXPECT_EQ(field->kinds[0].kindParam, KEY_MONOLITH);
    EXPECT_EQ(field->kinds[1].flags, 0x100190u);
    EXPECT_EQ(field->kinds[9].kindParam, KEY_VISITOR);
    const int32_t powerups[] = {POWERUP_MISSILES, POWERUP_STARBURST, POWERUP_HULL, POWERUP_SHIP, POWERUP_SHIELD};
    for (int i = 0; i < 5; ++i) {
        const TMesh& kind = field->kinds[15 + i];
        EXPECT_EQ(kind.flags, 0x80C0004u) << i;
        EXPECT_EQ(kind.powerupKind, powerups[i]) << i;
    }
    // Every visitor the field can pick is the saucer: the variant has no cube.
    for (int i = 0; i < 20; ++i) EXPECT_DOUBLE_EQ(field->PickKind(KIND_VISITOR, KEY_VISITOR)->scale, 1.5);
}

TEST_F(TableField, ShardstormRocksEscapeAndCostPoints) {
    AddTableKinds(*field, kShardstormKinds, TShardstorm());
    ASSERT_EQ(field->kindCount, 9 + 5);
    TMesh* rock = field->PickKind(KIND_ROCK, KEY_ROCK);
    ASSERT_NE(rock, nullptr);
    EXPECT_TRUE(rock->flags & KIND_ESCAPES);
    EXPECT_TRUE(rock->flags & KIND_ESCAPE_PENALTY);
    EXPECT_EQ(field->PickKind(KIND_ROCK, KEY_MONOLITH), nullptr);
    EXPECT_EQ(field->PickKind(KIND_POWERUP, KEY_ANY)->flags, 0xC0024u);
}

}  // namespace
