#include "game/session_common.h"

#include <cctype>
#include <optional>

#include "effects/explode.h"
#include "framework/display.h"
#include "framework/engine_utils.h"
#include "framework/gameglobals.h"
#include "framework/tgame.h"
#include "framework/timer.h"
#include "game/asteroid.h"
#include "game/background.h"
#include "game/field_kinds.h"
#include "game/highscore_board.h"
#include "game/projectile.h"
#include "game/screenshot.h"
#include "game/scoreboard.h"
#include "game/session_globals.h"
#include "game/world_draw.h"
#include "game/ship.h"
#include "gamelib/fontman.h"
#include "gamelib/texman.h"
#include "input/joystick.h"
#include "platform/device.h"
#include "platform/cursor.h"
#include "platform/keyboard.h"
#include "sound/soundman.h"


void ApplySessionDeviceState(Device* device, Matrix4& view, Matrix4& projection) {
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_POINT);
    device->SetLight(0, MakeDirectionalLight({1, -1, 1}, colours::White));
    device->LightEnable(0, true);
    device->SetRenderState(D3DRS_NORMALIZENORMALS, 1);
    device->SetRenderState(D3DRS_SPECULARENABLE, settings.enableSpecular ? 1 : 0);
    device->SetRenderState(D3DRS_FILLMODE, settings.wireFrame ? D3DFILL_WIREFRAME : D3DFILL_SOLID);

    view = D3DXMatrixLookAtLH({0, 0, -13}, {0, 0, 0}, {0, 1, 0});
    projection = D3DXMatrixOrthoLH(40, 40, 1, 1000);
    device->SetTransform(D3DTS_VIEW, view);
    device->SetTransform(D3DTS_PROJECTION, projection);
}

void SetupSessionBasics(Matrix4& view, Matrix4& projection) {
    ResetSessionGlobals();
    quitting = 0;
    delete theTextureManager;
    theTextureManager = new TTextureManager(theDevice, "textures");
    SetupFonts(theDevice, 800, 600, theDevice->BackBufferWidth(), theDevice->BackBufferHeight());
    ApplySessionDeviceState(theDevice, view, projection);

    pausedText = CreateTextMesh(theDevice, "GAME PAUSED", MakeMaterial(colours::Red), "Times New Roman");
    quitHintText = CreateTextMesh(theDevice, "Hit 'Q' to Quit", MakeMaterial(colours::Blue), "Times New Roman");
}

bool LoadRequiredMesh(const char* name, uint32_t flags, int32_t kindParam, double size, TMesh& out) {
    std::optional<TMesh> mesh = LoadMesh(theDevice, name, flags, kindParam, size);
    if (!mesh) return false;
    out = *mesh;
    return true;
}

void LoadRockTextures() {
    static const struct {
        const char* name;
        int32_t group;
    } kTextures[] = {
        {"fire1.jpg", ROCK_TEXTURES_FIRE},         {"fire3.jpg", ROCK_TEXTURES_FIRE},
        {"fire6.jpg", ROCK_TEXTURES_FIRE},         {"firetile2.jpg", ROCK_TEXTURES_FIRE},
        {"marble23.jpg", ROCK_TEXTURES_STONE},     {"granite11.jpg", ROCK_TEXTURES_STONE},
        {"arctic_stone.jpg", ROCK_TEXTURES_STONE}, {"rust_valencia.jpg", ROCK_TEXTURES_RUST},
        {"russet_oxide.jpg", ROCK_TEXTURES_RUST},  {"bluemud.jpg", ROCK_TEXTURES_MUD},
        {"blobs.jpg", ROCK_TEXTURES_MUD},
    };
    for (const auto& t : kTextures) theTextureManager->LoadTexture(t.name, t.group, 0xFF000000);
}

bool RegisterFieldKind(const char* name, uint32_t flags, int32_t kindParam, double size, int32_t soundId) {
    std::optional<TMesh> mesh = LoadMesh(theDevice, name, flags, kindParam, size);
    if (!mesh) return false;
    mesh->soundId = soundId;
    theAsteroids->AddKind(*mesh);
    return true;
}

void RegisterFieldKinds(const FieldKindTable& table, const TGame& game) {
    for (const FieldKindRow& row : KindsFor(table, game))
        RegisterFieldKind(row.mesh, row.flags, row.key, row.size, row.soundId);
}

bool HasFieldKind(uint32_t flags, int32_t key) {
    for (int i = 0; i < theAsteroids->kindCount; ++i) {
        const TMesh& kind = theAsteroids->kinds[i];
        if ((kind.flags & flags) == flags && (key == KEY_ANY || kind.kindParam == key)) return true;
    }
    return false;
}

void RegisterPowerups(uint32_t flags) {
    for (const PowerupRow& p : kPowerupKinds)
        if (std::optional<TMesh> mesh = LoadMesh(theDevice, p.mesh, flags, 0, 1.0))
            theAsteroids->AddPowerupKind(*mesh, p.kind);
}

bool CreateSessionObjects(const TMesh& missile, const TMesh& ufoMissile) {
    theProjectiles = std::make_unique<TProjectiles>();
    theProjectiles->device = theDevice;
    theProjectiles->AddKind(missile);
    theProjectiles->AddKind(ufoMissile);

    theExplosions = std::make_unique<TExplosions>(ShipPosition);
    theExplosions->device = theDevice;
    theExplosions->AddTemplate(theExplosions->LoadExplosionSprite());

    theScoreBoard = std::make_unique<TScoreBoard>();
    theScoreBoard->device = theDevice;
    theScoreBoard->position = {-20, 20, 0};
    if (!LoadRequiredMesh("status.x", MESH_ALPHA_BLEND, 0, 1.0, theScoreBoard->panelMesh) ||
        !LoadRequiredMesh("hullstatus.x", MESH_ALPHA_BLEND, 0, 1.0, theScoreBoard->barMesh))
        return false;

    theHighScoreBoard = std::make_unique<THighScoreBoard>();
    theHighScoreBoard->position = {0, 0, 0};
    theHighScoreBoard->device = theDevice;
    return true;
}

namespace {

bool SessionReady() {
    return theDevice && theAsteroids && theShip && theProjectiles && theExplosions && theScoreBoard &&
           theHighScoreBoard;
}

}  // namespace

void StepSessionFrame(float dt, const SessionRules& rules) {
    if (dt > 1.0f) dt = 1.0f;
    if (!SessionReady()) return;
    CountFrame(dt);

    drawDepth = 800.0;
    if (theBackground) theBackground->Step(dt);

    drawDepth = 500.0;
    const double pauseTime = dt;
    const double worldDt = paused ? 0.0 : dt;
    theAsteroids->StepAll(worldDt);
    theShip->Step(worldDt);
    theProjectiles->StepAll(worldDt);
    theExplosions->StepAll(worldDt);
    theScoreBoard->Step(worldDt);

    theSession.show.highScores = false;

    switch (gameState) {
        case GAME_STATE_PLAYING:
            if (theShip->lives < 0) {
                if (rules.secondGame) StopLoopingSounds();
                theHighScoreBoard->Show();
                theHighScoreBoard->Redraw();
                bool entered = theHighScoreBoard->AddScore(rules.secondGame ? theShip->peakScore : theShip->score);
                gameState = entered ? GAME_STATE_ENTER_NAME : GAME_STATE_HIGH_SCORES;
            }
            break;
        case GAME_STATE_ENTER_NAME:
            paused = 0;
            theHighScoreBoard->Step(worldDt);
            theSession.show.highScores = true;
            if (theHighScoreBoard->done) gameState = GAME_STATE_HIGH_SCORES;
            break;
        case GAME_STATE_HIGH_SCORES:
            if (rules.secondGame) StopLoopingSounds();
            paused = 0;
            theHighScoreBoard->Step(worldDt);
            theSession.show.highScores = true;
            break;
        case GAME_STATE_NONE:
            break;
    }

    theSession.show.pauseMessage = paused != 0;
    if (paused) theSession.show.messageDepth = TurnMessage(pauseTime);
}

bool DrawSessionFrame() {
    if (!SessionReady()) return true;
    theDevice->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f);
    theDevice->BeginScene();
    if (theBackground) theBackground->Draw();
    theSession.worldDraw.Begin();
    theAsteroids->DrawAll();
    theShip->Draw();
    theProjectiles->DrawAll();
    FlushWorldObjects(theDevice);
    theExplosions->DrawAll();
    theScoreBoard->Draw();
    if (theSession.show.highScores) theHighScoreBoard->Draw();
    if (theSession.show.pauseMessage) ShowMessage(theSession.show.messageDepth, &pausedText, &quitHintText, nullptr, 5.0);
    theDevice->EndScene();
    if (theDevice->Present() == D3DERR_DEVICELOST) return false;
    if (theSession.screenshotWanted) {
        theSession.screenshotWanted = false;
        SaveScreenshot(*theDevice);
    }
    return true;
}

void PlaySessionFrame(float dt, const SessionRules& rules) {
    StepSessionFrame(dt, rules);
    if (!openDisplay.headless && !DrawSessionFrame()) endRequested = 1;
}

namespace {

void HandleCheatKey(int key, const SessionRules& rules) {
    switch (key) {
        case VK_F3: theShip->invulnerable += 300.0; break;
        case VK_F4: theAsteroids->Spawn(KIND_POWERUP, KEY_ANY, -1); break;
        case VK_F5: theAsteroids->NextWave(); break;
        case VK_F6: theShip->starbursts += 250; break;
        case VK_F7: theShip->AddMissiles(); break;
        case VK_F8: theShip->Destroy(); break;
        case VK_F9:
            if (rules.secondGame)
                theAsteroids->SpawnSeeker();
            else
                theAsteroids->SpawnWhirlygigRing(1, 10);
            break;
        default: break;
    }
}

void HandleCharacter(uint32_t ch) {
    if (ch < 128) ch = static_cast<uint32_t>(std::tolower(static_cast<int>(ch)));
    switch (ch) {
        case 27:
            paused = 1;
            break;
        case 'q':
            if (gameState == GAME_STATE_HIGH_SCORES) {
                endRequested = 1;
            } else if (paused) {
                theShip->EndGame();
                paused = 0;
            }
            break;
        case 'r':
            if (gameState == GAME_STATE_HIGH_SCORES) {
                if (TGame* game = CurrentGame()) game->OnNewGame();
                theShip->NewGame();
                theAsteroids->Restart();
                gameState = GAME_STATE_PLAYING;
            }
            break;
        default:
            paused = 0;
            break;
    }
}

// A controller's Start and Back as the keyboard's keys: Start pauses and
// resumes, and on the score table plays again; Back pauses, then abandons
// the paused game, then leaves the score table, as Escape and "q" do. While
// a name is entered either button accepts it.
void HandlePadButton(int button) {
    if (gameState == GAME_STATE_ENTER_NAME) {
        if (theHighScoreBoard) theHighScoreBoard->OnChar(13);
    } else if (button == PAD_EVENT_START) {
        HandleCharacter(gameState == GAME_STATE_HIGH_SCORES ? 'r' : paused ? ' ' : 27);
    } else if (button == PAD_EVENT_BACK) {
        HandleCharacter(paused || gameState == GAME_STATE_HIGH_SCORES ? 'q' : 27);
    }
}

// The navigation and editing keys (page up to delete) and the function keys.
bool TypesNoCharacter(int key) {
    constexpr int kDelete = 0x2E, kF24 = VK_F1 + 23;
    return (key >= VK_PRIOR && key <= kDelete) || (key >= VK_F1 && key <= kF24);
}

// Losing focus pauses as Escape does and lets the mouse go; it is taken
// again, where it was, when the window has the focus back.
void HandleFocus(bool gained) {
    const bool mouse = settings.inputDevice == INPUT_MOUSE && theMouse;
    if (!gained) {
        paused = 1;
        if (mouse) theMouse->ReleaseDevice();
    } else if (mouse && !theMouse->created) {
        const int x = theMouse->x, y = theMouse->y;
        if (theMouse->Setup() == 0) theMouse->SetPosition(x, y);
    }
}

void HandleSessionEvent(const GameEvent& event, const SessionRules& rules) {
    switch (event.type) {
        case GameEventType::Destroyed:
            if (rules.secondGame || postQuitOnDestroy) PostQuit(0);
            break;
        case GameEventType::PointerEntered:
            if (!openDisplay.windowed) ShowPointer(false);
            break;
        case GameEventType::KeyDown:
            if (event.key == VK_F12 && theDevice) {
                theDevice->KeepNextShownFrame();
                theSession.screenshotWanted = true;
                break;
            }
            if (settings.enableCheat && theShip && theAsteroids) HandleCheatKey(event.key, rules);
            // Keys that type nothing resume a pause as typed ones do.
            if (TypesNoCharacter(event.key) && !event.repeat && gameState != GAME_STATE_ENTER_NAME) paused = 0;
            break;
        case GameEventType::PadButton:
            if (theShip && theAsteroids) HandlePadButton(event.key);
            break;
        case GameEventType::FocusLost:
        case GameEventType::FocusGained:
            if (settings.pauseOnFocusLoss && theShip) HandleFocus(event.type == GameEventType::FocusGained);
            break;
        case GameEventType::Character:
            if (!theShip || !theAsteroids) break;
            if (gameState == GAME_STATE_ENTER_NAME) {
                if (theHighScoreBoard) theHighScoreBoard->OnChar(event.character);
            } else {
                HandleCharacter(event.character);
            }
            break;
        default:
            break;
    }
}

}  // namespace

GameEventHandler SessionEventHandler(const SessionRules& rules) {
    return [rules](const GameEvent& event) { HandleSessionEvent(event, rules); };
}
