// The texture manager: each picture of the game library loaded once, kept
// under its name, sorted into caller-defined categories, picked at random.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "persist/strman.h"
#include "platform/d3dtypes.h"

class Device;
class Texture;

constexpr uint32_t TEX_EXTENDED = 0x1;
constexpr uint32_t TEX_COLOR_KEY = 0x2;
constexpr uint32_t TEX_ALPHA_MASK = 0x4;
constexpr uint32_t TEX_TINT = 0x8;

struct TTextureEntry : TStringEntry {
    Texture* texture;  // owned by the manager
    uint32_t flags;
    int32_t weight;
    int32_t unused;
    D3DCOLORVALUE tint;
};

class TTextureManager : public TStringManager {
public:
    TTextureManager(Device* device, const char* textureDir);
    ~TTextureManager() override;

    TTextureEntry* LoadTexture(const char* name, uint32_t flags, D3DCOLOR colorKey);
    // An entry for a library picture that is decoded only when Realize asks
    // for it (pictures shown one at a time, such as a background's).
    TTextureEntry* DeclareTexture(const char* name);
    // The picture of an entry this manager declared or loaded, decoded if it
    // is not; false, after the usual message, when it cannot be.
    bool Realize(TTextureEntry* entry);
    // Frees the picture of such an entry, when it was decoded plainly (with
    // no colour key or mask); the entry stays, and Realize decodes it again.
    void Release(TTextureEntry* entry);
    TTextureEntry* PickRandomTexture(uint32_t mask);
    // An entry for a texture made in code (canvases); the manager owns it.
    TTextureEntry* AddTexture(const char* name, std::unique_ptr<Texture> texture, uint32_t flags);

    Device* device;
    char textureDir[260] = {};

private:
    // The picture `name` from the library, with the flags it takes in
    // `effective`; none after a message.
    std::unique_ptr<Texture> Decode(const char* name, uint32_t flags, D3DCOLOR colorKey, uint32_t& effective);
    // Decodes the picture `entry` names into it; false after a message.
    bool DecodeInto(TTextureEntry* entry, D3DCOLOR colorKey);
    // Gives `entry` the decoded `texture`.
    void Adopt(TTextureEntry* entry, std::unique_ptr<Texture> texture, uint32_t effective);

    std::vector<std::unique_ptr<Texture>> owned_;
};

extern TTextureManager* theTextureManager;

int GreyLevel(D3DCOLOR argb, bool invert);
void MakeAlphaMask(TTextureEntry* entry, bool invert);
