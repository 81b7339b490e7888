// A game session built by hand on the null device, with sphere meshes in
// place of the library's: the session code runs exactly as in play.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "game/gamepacks.h"
#include "gamelib/mesh.h"
#include "platform/device.h"

// A null device that remembers the world transform of every draw and counts
// every call that makes a picture: Clear, BeginScene, EndScene, Present and
// the three draws.
class RecordingDevice : public NullDevice {
public:
    HRESULT Clear(uint32_t flags, D3DCOLOR colour, float z) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Present() override;
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE t, const VertexBuffer& v, uint32_t s, uint32_t n) override;
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE t, const VertexBuffer& v, const IndexBuffer& i, uint32_t s,
                                 uint32_t n) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE t, uint32_t n, const void* v, uint32_t stride, uint32_t fvf) override;
    std::vector<Matrix4> worlds;
    int pictureCalls = 0;
};

// A one-material sphere mesh record with kind flags and key.
TMesh SphereKind(float radius, uint32_t flags, int32_t key);

class SessionTest : public ::testing::Test {
protected:
    // Builds the session of the catalogue game at `index` (2: the flagship).
    void BuildSession(int gameIndex);
    void SetUp() override { BuildSession(2); }
    void TearDown() override;
    void Char(uint32_t ch);
    void Key(int vk);
    void Frame(float dt = 0.016f);

    RecordingDevice device;
    std::unique_ptr<TRockpileGamePack> pack;
    TGame* game = nullptr;
    GameWindow* window = nullptr;
    int namesSaved = 0;
};
