// Each game's own setup on the default library and a null device: the field
// kinds as registered, the rock textures in their groups, the background
// pictures in their order, the variants' tuning, the second game's ship, and
// what a player is told when the outline renderer cannot run.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework/display.h"
#include "framework/gameglobals.h"
#include "game/asteroid.h"
#include "game/background.h"
#include "game/field_kinds.h"
#include "game/gamepacks.h"
#include "game/projectile.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "gamelib/edgerender.h"
#include "gamelib/libman.h"
#include "gamelib/texman.h"
#include "platform/device.h"
#include "platform/message_box.h"
#include "platform/resources.h"
#include "sound/soundman.h"

namespace {

// A card without vertex shaders.
class NoShaderDevice : public NullDevice {
public:
    std::shared_ptr<VertexShader> CreateVertexShader(const std::string&, std::string&) override { return nullptr; }
};

using Message = std::pair<std::string, std::string>;

class GameSetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        useGameLib = 1;
        logGameLibUsage = 0;
        OpenGameLib(ROCKPILE_LIBRARY_FILE, "");
        ASSERT_NE(theGameLib, nullptr);
        theGamePack = &pack_;
        SetMessageObserver([this](const std::string& text, const std::string& caption) {
            messages_.emplace_back(text, caption);
        });
    }
    void TearDown() override {
        EndSession();
        SetMessageObserver(nullptr);
        theDevice = nullptr;
        theGamePack = nullptr;
    }

    // Runs the real setup of the game titled `title` on `device`.
    bool SetUpGame(const char* title, BackgroundMode background = BACKGROUND_FIXED, Device* device = nullptr) {
        EndSession();
        game_ = pack_.FindGameNamed(title);
        EXPECT_NE(game_, nullptr) << title;
        if (!game_) return false;
        pack_.current = game_;
        settings = TSettings{};
        settings.gameId = game_->GetGameId();
        settings.background = background;
        game_->SetDifficulty(2);
        theDevice = device ? device : &device_;
        return game_->Setup();
    }

    // Names of the rock textures in `group`, as the texture manager holds them.
    static std::set<std::string> TexturesIn(uint32_t group) {
        std::set<std::string> names;
        for (TStringEntry* e = theTextureManager->Enumerate(); e; e = e->iterationNext)
            if ((static_cast<TTextureEntry*>(e)->flags & group) == group) names.insert(e->key);
        return names;
    }

    static std::vector<std::string> BackgroundPictures() {
        std::vector<std::string> names;
        const TMesh& quad = theBackground->mesh;
        for (int i = 0; i < quad.numTextures; ++i) names.push_back(quad.textures[i] ? quad.textures[i]->key : "");
        return names;
    }

    static const MeshVertex* QuadVertices(const TMesh& quad) {
        return reinterpret_cast<const MeshVertex*>(quad.vertexBuffer->Data());
    }

    NullDevice device_;
    TRockpileGamePack pack_;
    TGame* game_ = nullptr;
    std::vector<Message> messages_;
};

TEST_F(GameSetupTest, EachGameRegistersItsKindTableInOrderThenTheFivePowerups) {
    struct Case {
        const char* title;
        const FieldKindTable& table;
    };
    for (const Case& c : {Case{"Meteor Marshal", kFlagshipKinds}, Case{"Driftrock Retro", kFlagshipKinds},
                          Case{"Driftrock Classic", kFlagshipKinds}, Case{"Shardstorm", kShardstormKinds}}) {
        SCOPED_TRACE(c.title);
        ASSERT_TRUE(SetUpGame(c.title));
        const std::vector<FieldKindRow> rows = KindsFor(c.table, *game_);
        ASSERT_EQ(theAsteroids->kindCount, int(rows.size()) + 5);
        for (size_t i = 0; i < rows.size(); ++i) {
            const FieldKindRow& row = rows[i];
            const TMesh& kind = theAsteroids->kinds[i];
            SCOPED_TRACE(row.mesh);
            EXPECT_EQ(kind.flags, row.flags);
            EXPECT_EQ(kind.kindParam, row.key);
            EXPECT_DOUBLE_EQ(kind.scale * kind.sizeFactor, row.size < 0 ? -row.size : row.size);
            EXPECT_DOUBLE_EQ(kind.sizeFactor, row.size < 0 ? -row.size : 1.0);
            EXPECT_EQ(kind.soundId, row.soundId);
            EXPECT_EQ(kind.powerupKind, 0);
            // The very mesh the row names: its bounding sphere.
            std::optional<TMesh> mesh = LoadMesh(&device_, row.mesh, row.flags, row.key, row.size);
            ASSERT_TRUE(mesh);
            const Sphere sphere = GetMeshSphere(*mesh);
            EXPECT_FLOAT_EQ(kind.sphere.radius, sphere.radius);
            EXPECT_EQ(kind.sphere.centre, sphere.centre);
        }
        const int32_t powerups[] = {POWERUP_MISSILES, POWERUP_STARBURST, POWERUP_HULL, POWERUP_SHIP, POWERUP_SHIELD};
        for (size_t i = 0; i < 5; ++i) {
            const TMesh& kind = theAsteroids->kinds[rows.size() + i];
            EXPECT_EQ(kind.flags, c.table.powerupFlags) << i;
            EXPECT_EQ(kind.powerupKind, powerups[i]) << i;
            EXPECT_EQ(kind.soundId, 0) << i;
        }
    }
}

TEST_F(GameSetupTest, BothGamesLoadTheElevenRockTexturesIntoTheirGroups) {
    for (const char* title : {"Meteor Marshal", "Shardstorm"}) {
        SCOPED_TRACE(title);
        ASSERT_TRUE(SetUpGame(title));
        EXPECT_EQ(TexturesIn(0x800),
                  (std::set<std::string>{"fire1.jpg", "fire3.jpg", "fire6.jpg", "firetile2.jpg"}));
        EXPECT_EQ(TexturesIn(0x10),
                  (std::set<std::string>{"marble23.jpg", "granite11.jpg", "arctic_stone.jpg"}));
        EXPECT_EQ(TexturesIn(0x40), (std::set<std::string>{"rust_valencia.jpg", "russet_oxide.jpg"}));
        EXPECT_EQ(TexturesIn(0x20), (std::set<std::string>{"bluemud.jpg", "blobs.jpg"}));
        for (const char* name : {"fire1.jpg", "marble23.jpg", "russet_oxide.jpg", "blobs.jpg"}) {
            auto* entry = static_cast<TTextureEntry*>(theTextureManager->Find(name));
            ASSERT_NE(entry, nullptr) << name;
            EXPECT_NE(entry->texture, nullptr) << name;
        }
    }
}

TEST_F(GameSetupTest, TheFlagshipShowsEighteenPicturesInTheirOrderOrTheHalfHeightStarfield) {
    const std::vector<std::string> eighteen = {
        "backs\\back3.jpg",  "backs\\back6.jpg",  "backs\\back2.jpg",  "backs\\back8.jpg",  "backs\\back9.jpg",
        "backs\\back1.jpg",  "backs\\back4.jpg",  "backs\\back5.jpg",  "backs\\back10.jpg", "backs\\back11.jpg",
        "backs\\back13.jpg", "backs\\back14.jpg", "backs\\back15.jpg", "backs\\back16.jpg", "backs\\back17.jpg",
        "backs\\back19.jpg", "backs\\back22.jpg", "backs\\back23.jpg"};
    for (BackgroundMode mode :
         {BACKGROUND_FIXED, BACKGROUND_ROTATING, BACKGROUND_VERTICAL_SCROLL, BACKGROUND_HORIZONTAL_SCROLL}) {
        ASSERT_TRUE(SetUpGame("Meteor Marshal", mode));
        EXPECT_EQ(BackgroundPictures(), eighteen) << "mode " << mode;
    }
    ASSERT_TRUE(SetUpGame("Driftrock Classic", BACKGROUND_DISABLED));
    EXPECT_TRUE(BackgroundPictures().empty());

    const TBackground plain(&device_);
    ASSERT_TRUE(SetUpGame("Meteor Marshal", BACKGROUND_STARFIELD));
    EXPECT_EQ(BackgroundPictures(), std::vector<std::string>{"backs\\starfield.jpg"});
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(QuadVertices(theBackground->mesh)[i].u, QuadVertices(plain.mesh)[i].u) << i;
        EXPECT_FLOAT_EQ(QuadVertices(theBackground->mesh)[i].v, 0.5f * QuadVertices(plain.mesh)[i].v) << i;
    }
}

TEST_F(GameSetupTest, OnlyTheWavesBackgroundPictureIsDecoded) {
    ASSERT_TRUE(SetUpGame("Meteor Marshal", BACKGROUND_FIXED));
    auto decoded = [] {
        std::vector<int> pictures;
        const TMesh& quad = theBackground->mesh;
        for (int i = 0; i < quad.numTextures; ++i)
            if (quad.textures[i] && quad.textures[i]->texture) pictures.push_back(i);
        return pictures;
    };
    EXPECT_TRUE(decoded().empty());  // nothing before the first step
    theBackground->Step(0.01);
    EXPECT_EQ(decoded(), std::vector<int>{0});
    theShip->waveIndex = 19;
    theBackground->Step(0.01);
    EXPECT_EQ(decoded(), std::vector<int>{1});
}

TEST_F(GameSetupTest, TheSecondGameShowsItsOnePictureUnscaledWhateverTheMode) {
    const TBackground plain(&device_);
    for (BackgroundMode mode : {BACKGROUND_DISABLED, BACKGROUND_FIXED, BACKGROUND_STARFIELD}) {
        ASSERT_TRUE(SetUpGame("Shardstorm", mode));
        EXPECT_EQ(BackgroundPictures(), std::vector<std::string>{"backs\\shardstormback1.jpg"}) << "mode " << mode;
        for (int i = 0; i < 4; ++i)
            EXPECT_FLOAT_EQ(QuadVertices(theBackground->mesh)[i].v, QuadVertices(plain.mesh)[i].v) << i;
    }
}

TEST_F(GameSetupTest, TheVariantsPlaySmallerWithTwoPieceSplits) {
    for (const char* title : {"Driftrock Classic", "Driftrock Retro"}) {
        SCOPED_TRACE(title);
        ASSERT_TRUE(SetUpGame(title));
        EXPECT_FLOAT_EQ(theProjectiles->sizeFactor, 0.5f);
        EXPECT_DOUBLE_EQ(theShip->scale, 0.15);
        EXPECT_FLOAT_EQ(theAsteroids->globalScale, 0.5f);
        EXPECT_EQ(theAsteroids->splitPieces, 2);
    }
    ASSERT_TRUE(SetUpGame("Meteor Marshal"));
    EXPECT_FLOAT_EQ(theProjectiles->sizeFactor, 1.0f);
    EXPECT_DOUBLE_EQ(theShip->scale, 0.2);
    EXPECT_FLOAT_EQ(theAsteroids->globalScale, 1.0f);
    EXPECT_EQ(theAsteroids->splitPieces, 3);
    EXPECT_EQ(gameState, GAME_STATE_PLAYING);
    EXPECT_EQ(postQuitOnDestroy, 1);
}

TEST_F(GameSetupTest, TheSecondGamesShipSlidesAlongTheBottomAndFiresRicochets) {
    ASSERT_TRUE(SetUpGame("Shardstorm"));
    EXPECT_EQ(theShip->controlFlags, 0x11u);
    EXPECT_EQ(theShip->startPosition, Vector3(0, -18, 0));
    EXPECT_EQ(theShip->position, Vector3(0, -18, 0));
    EXPECT_DOUBLE_EQ(theShip->maxSpeed, 20.0);
    EXPECT_EQ(theShip->fireSound, SOUND_RICOCHET);
    // The field streams down from the top at the difficulty's pace.
    EXPECT_EQ(theAsteroids->fallingMode, 1);
    EXPECT_EQ(theAsteroids->timedSpawns, 1);
    EXPECT_FLOAT_EQ(theAsteroids->splitSpeedFactor, 1.25f);
    EXPECT_EQ(theAsteroids->visitorRate, 6);
    EXPECT_FLOAT_EQ(theAsteroids->spawnInterval, 1.0f);
    EXPECT_FLOAT_EQ(theAsteroids->speedMin, 10.0f);
    EXPECT_FLOAT_EQ(theAsteroids->speedMax, 20.0f);
    EXPECT_EQ(theAsteroids->count, 0);

    // The flagship's ship flies freely and fires phasers.
    ASSERT_TRUE(SetUpGame("Meteor Marshal"));
    EXPECT_EQ(theShip->controlFlags, uint32_t(SHIP_FREE_FLIGHT));
    EXPECT_EQ(theShip->fireSound, SOUND_PHASERS);
    EXPECT_EQ(theAsteroids->fallingMode, 0);
    EXPECT_EQ(theAsteroids->timedSpawns, 0);
}

TEST_F(GameSetupTest, RetroOnACardWithoutVertexShadersSaysSoAndDoesNotStart) {
    NoShaderDevice card;
    EXPECT_FALSE(SetUpGame("Driftrock Retro", BACKGROUND_FIXED, &card));
    const Message told{"Your video card does not support vertex shaders. 'Retro' mode is not available", "Error"};
    EXPECT_EQ(messages_, std::vector<Message>{told});
    EXPECT_EQ(quitting, 1);
    EXPECT_EQ(postQuitOnDestroy, 0);
    EXPECT_EQ(theAsteroids, nullptr);

    // The games without outlines never ask the card for a shader.
    messages_.clear();
    EXPECT_TRUE(SetUpGame("Driftrock Classic", BACKGROUND_FIXED, &card));
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(theEdgeRender, nullptr);
}

}  // namespace
