#include "session_fixture.h"

#include "effects/explode.h"
#include "framework/display.h"
#include "framework/gameglobals.h"
#include "game/asteroid.h"
#include "game/field_kinds.h"
#include "game/highscore_board.h"
#include "game/projectile.h"
#include "game/scoreboard.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "persist/highscore.h"
#include "platform/crt_rand.h"
#include "platform/d3dx_shapes.h"
#include "platform/keyboard.h"
#include "platform/game_window.h"

HRESULT RecordingDevice::Clear(uint32_t flags, D3DCOLOR colour, float z) {
    ++pictureCalls;
    return NullDevice::Clear(flags, colour, z);
}

HRESULT RecordingDevice::BeginScene() {
    ++pictureCalls;
    return NullDevice::BeginScene();
}

HRESULT RecordingDevice::EndScene() {
    ++pictureCalls;
    return NullDevice::EndScene();
}

HRESULT RecordingDevice::Present() {
    ++pictureCalls;
    return NullDevice::Present();
}

HRESULT RecordingDevice::DrawPrimitive(D3DPRIMITIVETYPE t, const VertexBuffer& v, uint32_t s, uint32_t n) {
    ++pictureCalls;
    worlds.push_back(State().world);
    return NullDevice::DrawPrimitive(t, v, s, n);
}

HRESULT RecordingDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE t, const VertexBuffer& v, const IndexBuffer& i,
                                              uint32_t s, uint32_t n) {
    ++pictureCalls;
    worlds.push_back(State().world);
    return NullDevice::DrawIndexedPrimitive(t, v, i, s, n);
}

HRESULT RecordingDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE t, uint32_t n, const void* v, uint32_t stride,
                                         uint32_t fvf) {
    ++pictureCalls;
    return NullDevice::DrawPrimitiveUP(t, n, v, stride, fvf);
}

TMesh SphereKind(float radius, uint32_t flags, int32_t key) {
    TMesh m;
    m.kind = MESH_KIND_MESH;
    m.flags = flags;
    m.kindParam = key;
    m.mesh = D3DXCreateSphere(nullptr, radius, 8, 6);
    m.numMaterials = m.numTextures = 1;
    m.materials[0] = PresetMaterial(1);
    m.scale = 1.0;
    m.sizeFactor = 1.0;
    m.quadTexture = -1;
    m.textureSlot = -1;
    return m;
}

void SessionTest::BuildSession(int gameIndex) {
    ClearEventQueue();
    ReleaseAllDrivenKeys();
    ClearHighScores();
    pack = std::make_unique<TRockpileGamePack>();
    theGamePack = pack.get();
    game = pack->FindGameNamed(std::to_string(gameIndex));
    pack->current = game;
    settings = TSettings{};
    settings.inputDevice = INPUT_KEYBOARD;
    settings.gameId = game->GetGameId();
    game->SetDifficulty(2);
    rp::srand(1);

    ResetSessionGlobals();
    openDisplay.headless = false;
    theDevice = &device;
    theAsteroids = std::make_unique<TAsteroids>();
    theAsteroids->device = &device;
    theAsteroids->AddKind(SphereKind(1.0f, KIND_ROCK, KEY_ROCK));
    theAsteroids->AddPowerupKind(SphereKind(1.0f, FLAGSHIP_POWERUP, 0), POWERUP_HULL);
    theShip = std::make_unique<TShip>();
    theShip->device = &device;
    theShip->SetAxis(0, 0, 1);
    theShip->mesh = SphereKind(2.0f, 0, 0);
    theShip->meshSphere = GetMeshSphere(theShip->mesh);
    theShip->NewGame();
    theProjectiles = std::make_unique<TProjectiles>();
    theProjectiles->device = &device;
    theProjectiles->AddKind(SphereKind(0.5f, PLAYER_MISSILE_KIND, 0));
    theProjectiles->AddKind(SphereKind(0.5f, ENEMY_MISSILE_KIND, 0));
    theExplosions = std::make_unique<TExplosions>(ShipPosition);
    theExplosions->device = &device;
    TMesh sprite = CreateQuad(&device, MESH_ALPHA_BLEND, 1, 1, false);
    sprite.numTextures = 16;
    theExplosions->AddTemplate(sprite);
    theScoreBoard = std::make_unique<TScoreBoard>();
    theScoreBoard->device = &device;
    theScoreBoard->position = {-20, 20, 0};
    theHighScoreBoard = std::make_unique<THighScoreBoard>();
    theHighScoreBoard->device = &device;
    window = CreateHeadlessWindow(game->GetEventHandler());
    theGameWindow = window;
    gameState = GAME_STATE_PLAYING;
    postQuitOnDestroy = 1;
    namesSaved = 0;
    THighScoreBoard::onNameEntered = [this] { ++namesSaved; };
}

void SessionTest::TearDown() {
    THighScoreBoard::onNameEntered = nullptr;
    ResetSessionGlobals();
    openDisplay.headless = false;
    theDevice = nullptr;
    theGameWindow = nullptr;
    theGamePack = nullptr;
    ClearEventQueue();
}

void SessionTest::Char(uint32_t ch) { SendEvent(window, CharacterEvent(ch)); }
void SessionTest::Key(int vk) { SendEvent(window, KeyDownEvent(vk)); }
void SessionTest::Frame(float dt) { game->Display(dt); }
