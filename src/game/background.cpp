#include "game/background.h"

#include <cmath>

#include "game/session_globals.h"
#include "game/ship.h"
#include "gamelib/texman.h"
#include "platform/device.h"

TBackground::TBackground(Device* dev) {
    device = dev;
    mesh = CreateQuad(dev, 0, 1.0, 1.0, false);
    mesh.numTextures = 0;
    mesh.quadTexture = 0;
    scale = 20.0;
    spinRate = 0;
    scrollV = scrollH = 0;
    SetMode(BACKGROUND_FIXED);
}

void TBackground::SetMode(BackgroundMode m) {
    mode = m;
    switch (m) {
        case BACKGROUND_FIXED:
            scale = 20.0, spinRate = 0.0, scrollV = 0.0f;
            break;
        case BACKGROUND_ROTATING:
            scale = 28.4, spinRate = 0.1, scrollV = 0.0f;
            SetSpinAxis(0, 0, 1);
            break;
        case BACKGROUND_VERTICAL_SCROLL:
        case BACKGROUND_STARFIELD:
            scale = 20.0, spinRate = 0.0, scrollV = -0.1f;
            break;
        case BACKGROUND_HORIZONTAL_SCROLL:
            scale = 20.0, spinRate = 0.0, scrollH = -0.1f;
            break;
        default:
            break;
    }
}

void TBackground::AddPicture(const char* name) {
    if (mesh.numTextures >= MAX_MAT_PER_MESH) return;
    mesh.textures[mesh.numTextures++] = theTextureManager ? theTextureManager->DeclareTexture(name) : nullptr;
}

void TBackground::ScaleTexture(float su, float sv) { ScaleQuadTexCoords(mesh, su, sv); }

void TBackground::Move(double dt) {
    if (spinRate > 0) {
        spinAngle += dt * spinRate;
        if (spinAngle > 6.28) spinAngle -= 6.28;
    }
    if (std::fabs(scrollV) >= 0.001f || std::fabs(scrollH) >= 0.001f)
        OffsetQuadTexCoords(mesh, static_cast<float>(dt * scrollH), static_cast<float>(dt * scrollV));
}

void TBackground::Step(double dt) {
    if (mode == BACKGROUND_DISABLED) return;
    T3DObject::Step(dt);
    if (mesh.numTextures == 0) return;
    int32_t waveIndex = theShip ? theShip->waveIndex : 0;
    mesh.quadTexture = ((waveIndex % mesh.numTextures) + mesh.numTextures) % mesh.numTextures;
    ShowPicture(mesh.textures[mesh.quadTexture]);
}

// One picture is decoded at a time: the wave's, when it comes.
void TBackground::ShowPicture(TTextureEntry* picture) {
    if (picture == shown_) return;
    if (theTextureManager) {
        theTextureManager->Release(shown_);
        theTextureManager->Realize(picture);
    }
    shown_ = picture;
}

// A picture that failed to load is skipped rather than drawn as a blank
// square over the whole play area. The background goes first, under
// everything: it neither tests nor writes depth, which also lets the device
// keep its pixels from frame to frame.
void TBackground::Render() const {
    const TTextureEntry* picture = mesh.numTextures ? mesh.textures[mesh.quadTexture] : nullptr;
    if (mode > BACKGROUND_STARFIELD || !picture || !picture->texture) return;
    const uint32_t depthTest = device->GetRenderState(D3DRS_ZENABLE);
    const uint32_t depthWrite = device->GetRenderState(D3DRS_ZWRITEENABLE);
    device->SetRenderState(D3DRS_ZENABLE, 0);
    device->SetRenderState(D3DRS_ZWRITEENABLE, 0);
    T3DObject::Render();
    device->SetRenderState(D3DRS_ZENABLE, depthTest);
    device->SetRenderState(D3DRS_ZWRITEENABLE, depthWrite);
}

void TBackground::Draw() const {
    if (mode == BACKGROUND_DISABLED) return;
    T3DObject::Draw();
}
