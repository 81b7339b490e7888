// What the two game sessions share: the setup steps they have in common, the
// frame with its three states, and the game window's event handling.
#pragma once

#include <cstdint>

#include "gamelib/mesh.h"
#include "platform/game_window.h"

class Device;
class TGame;
struct FieldKindTable;

// The device states and camera of every session: linear filtering, the white
// light along (1, -1, 1), normalised normals, specular and fill mode from the
// settings, the view from z = -13 along +z and the 40 x 40 orthographic
// projection (both returned).
void ApplySessionDeviceState(Device* device, Matrix4& view, Matrix4& projection);

// Session reset, texture manager, fonts, device states, camera and the pause
// texts. The camera matrices are returned for the outline renderer.
void SetupSessionBasics(Matrix4& view, Matrix4& projection);

// Loads a mesh the session cannot do without; false after a message.
bool LoadRequiredMesh(const char* name, uint32_t flags, int32_t kindParam, double size, TMesh& out);

// The eleven rock textures in their groups.
void LoadRockTextures();
// The five power-up kinds with the given kind flags.
void RegisterPowerups(uint32_t flags);
// One field kind; a mesh that cannot be loaded leaves the game without that
// kind (its message has been shown). True when the kind was registered.
bool RegisterFieldKind(const char* name, uint32_t flags, int32_t kindParam, double size, int32_t soundId = 0);
// The rows of a kind table that the game registers, in order (power-ups
// are left to the caller).
void RegisterFieldKinds(const FieldKindTable& table, const TGame& game);

// Whether the field has a kind with all these flags and this key (no draw
// from the random generator, unlike PickKind).
bool HasFieldKind(uint32_t flags, int32_t key);

// Projectiles (player missile, then enemy missile), explosions, scoreboard
// and high score board. False when the head-up panel cannot be loaded.
bool CreateSessionObjects(const TMesh& missile, const TMesh& ufoMissile);

// How the second game differs in the frame and the event handling.
struct SessionRules {
    bool secondGame = false;
};

// A frame's play: clamp, statistics, background, world, state machine and
// the pause message's turn. Changes everything a frame changes; draws nothing.
void StepSessionFrame(float dt, const SessionRules& rules);
// Clear, what the last step left to show, present; only reads the session.
// False when the device is lost.
bool DrawSessionFrame();
// The step, then the draw unless the display is headless; a lost device
// ends the game.
void PlaySessionFrame(float dt, const SessionRules& rules);

// The game window's handler: pause, quit, restart, name entry, the cheat
// keys, focus pause and the end of the loop when the window goes.
GameEventHandler SessionEventHandler(const SessionRules& rules);
