// The frame's world drawing: opaque meshes wait and go together, before
// whatever blends; the background goes under everything; outlines never wait.
#include "game/background.h"
#include "gamelib/texman.h"
#include "world_fixture.h"

namespace {

using WorldDrawing = WorldTest;

TEST_F(WorldDrawing, OpaqueObjectsWaitUntilSomethingBlendsAndKeepTheirPlaceBeforeIt) {
    const TMesh rock = SphereKind(KIND_ROCK, KEY_ROCK, 1.0);
    Place(rock, {5, 5, 0}, {1, 0, 0}, 1.0);
    Place(rock, {-5, 5, 0}, {1, 0, 0}, 1.0);
    field->StepAll(0.01);
    ship->invulnerable = 1.0;
    ship->Step(0.01);
    shots->Fire(0, 0, 0, 0, 1, 0, PROJECTILE_PLAYER, 1);
    shots->StepAll(0.01);
    field->DrawAll();
    EXPECT_TRUE(device.draws.empty());  // the rocks wait
    ship->Draw();                       // the shield bubble blends: the rocks and the ship go first
    ASSERT_EQ(device.draws.size(), 3u);
    EXPECT_EQ(device.draws[0].primitives, 2 * rock.mesh->GetNumFaces());  // both rocks in one draw
    EXPECT_FALSE(device.draws[0].blend);
    EXPECT_FALSE(device.draws[1].blend);
    EXPECT_TRUE(device.draws[2].blend);
    shots->DrawAll();
    EXPECT_EQ(device.draws.size(), 3u);  // the shot waits, after the bubble
    FlushWorldObjects(&device);
    ASSERT_EQ(device.draws.size(), 4u);
    EXPECT_FALSE(device.draws[3].blend);
    FlushWorldObjects(&device);
    EXPECT_EQ(device.draws.size(), 4u);  // nothing waits twice
}

TEST_F(WorldDrawing, TheBackgroundNeitherTestsNorWritesDepthAndLeavesTheStatesAsTheyWere) {
    TBackground background(&device);
    TTextureEntry picture{};
    Texture texture(4, 4, 1, D3DFMT_A8R8G8B8);
    picture.texture = &texture;
    background.mesh.textures[background.mesh.numTextures++] = &picture;
    background.Step(0.01);
    device.SetRenderState(D3DRS_ZENABLE, 1);
    device.SetRenderState(D3DRS_ZWRITEENABLE, 1);
    background.Draw();
    ASSERT_EQ(device.draws.size(), 1u);
    EXPECT_EQ(device.draws[0].primitives, 2u);  // the background's quad
    EXPECT_FALSE(device.draws[0].depthTest);
    EXPECT_FALSE(device.draws[0].depthWrite);
    EXPECT_EQ(device.GetRenderState(D3DRS_ZENABLE), 1u);
    EXPECT_EQ(device.GetRenderState(D3DRS_ZWRITEENABLE), 1u);
}

TEST_F(WorldDrawing, BlendedAndTranslucentMeshesDrawInTheirTurn) {
    TMesh glass = SphereKind(KIND_ROCK, KEY_ROCK, 1.0);
    glass.materials[0].Diffuse.a = 0.5f;
    TMesh rock = SphereKind(KIND_ROCK, KEY_ROCK, 1.0);
    Place(rock, {5, 5, 0}, {1, 0, 0}, 1.0);
    Place(glass, {-5, 5, 0}, {1, 0, 0}, 1.0);
    Place(rock, {0, 5, 0}, {1, 0, 0}, 1.0);
    field->StepAll(0.01);
    field->DrawAll();
    ASSERT_EQ(device.draws.size(), 2u);  // the first rock, then the glass in its turn
    EXPECT_EQ(device.Stats().primitives, 2 * rock.mesh->GetNumFaces());
    FlushWorldObjects(&device);
    EXPECT_EQ(device.draws.size(), 3u);
}

TEST_F(WorldDrawing, OutlineGamesDrawEveryObjectAtOnce) {
    CurrentGameScope outline(true, false);
    Place(SphereKind(KIND_ROCK, KEY_ROCK, 1.0), {5, 5, 0}, {1, 0, 0}, 1.0);
    Place(SphereKind(KIND_ROCK, KEY_ROCK, 1.0), {-5, 5, 0}, {1, 0, 0}, 1.0);
    field->StepAll(0.01);
    field->DrawAll();
    EXPECT_EQ(device.draws.size(), 2u);
}

}  // namespace
