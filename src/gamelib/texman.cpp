#include "gamelib/texman.h"

#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "gamelib/libman.h"
#include "platform/crt_rand.h"
#include "platform/image_decode.h"
#include "platform/message_box.h"
#include "platform/resources.h"

TTextureManager* theTextureManager = nullptr;

namespace {

constexpr int kBucketBits = 8;
// PickRandomTexture's slot list: weights beyond it are not counted.
constexpr int kMaxRandomSlots = 1280;

bool IsAlphaMaskName(const char* name) { return strncasecmp(name, "twhite_", 7) == 0; }

// The flags a picture of this name is loaded with.
uint32_t FlagsFor(const char* name, uint32_t flags) { return flags | (IsAlphaMaskName(name) ? TEX_ALPHA_MASK : 0); }

}  // namespace

TTextureManager::TTextureManager(Device* device_, const char* textureDir_)
    : TStringManager(sizeof(TTextureEntry), kBucketBits, 0, nullptr), device(device_) {
    std::snprintf(textureDir, sizeof textureDir, "%s", textureDir_ ? textureDir_ : "");
}

TTextureManager::~TTextureManager() {
    if (theTextureManager == this) theTextureManager = nullptr;
}

TTextureEntry* TTextureManager::AddTexture(const char* name, std::unique_ptr<Texture> texture, uint32_t flags) {
    auto* entry = static_cast<TTextureEntry*>(Intern(name));
    if (!entry) return nullptr;
    entry->texture = texture.get();
    entry->flags |= flags;
    if (entry->referenceCount == 1) entry->weight = 1;
    owned_.push_back(std::move(texture));
    return entry;
}

std::unique_ptr<Texture> TTextureManager::Decode(const char* name, uint32_t flags, D3DCOLOR colorKey,
                                                 uint32_t& effective) {
    const bool alphaMask = IsAlphaMaskName(name);
    effective = FlagsFor(name, flags);
    std::string libraryName = name;
    if (!std::strchr(name, '\\') && textureDir[0]) libraryName = std::string(textureDir) + "\\" + name;
    TLibEntry* file = LibGetFile(libraryName.c_str());
    if (!file) {
        MessageBox("Failed to load texture '" + libraryName + "' from library", "Error");
        return nullptr;
    }
    std::unique_ptr<Texture> texture;
    if ((flags & TEX_COLOR_KEY) || alphaMask) {
        texture = D3DXCreateTextureFromFileInMemoryEx(file->data, file->length, alphaMask ? 0 : colorKey);
        effective |= TEX_EXTENDED;
    } else {
        texture = D3DXCreateTextureFromFileInMemory(file->data, file->length);
    }
    LibReleaseFile(file);
    if (!texture) MessageBox("Failed to decode texture '" + libraryName + "'", "Error");
    return texture;
}

void TTextureManager::Adopt(TTextureEntry* entry, std::unique_ptr<Texture> texture, uint32_t effective) {
    entry->texture = texture.get();
    entry->flags |= effective;
    owned_.push_back(std::move(texture));
    if (IsAlphaMaskName(entry->key)) MakeAlphaMask(entry, true);
}

TTextureEntry* TTextureManager::LoadTexture(const char* name, uint32_t flags, D3DCOLOR colorKey) {
    if (!name) return nullptr;
    if (auto* found = static_cast<TTextureEntry*>(Find(name))) {
        found->flags |= FlagsFor(name, flags);
        return found->texture || DecodeInto(found, colorKey) ? found : nullptr;
    }
    uint32_t effective = 0;
    std::unique_ptr<Texture> texture = Decode(name, flags, colorKey, effective);
    if (!texture) return nullptr;
    auto* entry = static_cast<TTextureEntry*>(Intern(name));
    if (!entry) return nullptr;
    entry->weight = 1;
    Adopt(entry, std::move(texture), effective);
    return entry;
}

TTextureEntry* TTextureManager::DeclareTexture(const char* name) {
    if (!name) return nullptr;
    if (auto* found = static_cast<TTextureEntry*>(Find(name))) return found;
    auto* entry = static_cast<TTextureEntry*>(Intern(name));
    if (entry) entry->weight = 1;
    return entry;
}

bool TTextureManager::Realize(TTextureEntry* entry) {
    if (!entry) return false;
    if (entry->texture) return true;
    return entry->owner == this && DecodeInto(entry, 0xFF000000);
}

bool TTextureManager::DecodeInto(TTextureEntry* entry, D3DCOLOR colorKey) {
    uint32_t effective = 0;
    std::unique_ptr<Texture> texture = Decode(entry->key, entry->flags, colorKey, effective);
    if (!texture) return false;
    Adopt(entry, std::move(texture), effective);
    return true;
}

void TTextureManager::Release(TTextureEntry* entry) {
    // A picture decoded with a colour key or as a mask keeps it: Realize
    // could not decode it the same again.
    if (!entry || entry->owner != this || !entry->texture || (entry->flags & TEX_EXTENDED)) return;
    auto owned = std::find_if(owned_.begin(), owned_.end(),
                              [entry](const std::unique_ptr<Texture>& t) { return t.get() == entry->texture; });
    if (owned == owned_.end()) return;
    owned_.erase(owned);
    entry->texture = nullptr;
}

TTextureEntry* TTextureManager::PickRandomTexture(uint32_t mask) {
    auto matches = [mask](const TStringEntry* e) {
        return (static_cast<const TTextureEntry*>(e)->flags & mask) == mask;
    };
    auto slotsOf = [](const TStringEntry* e, int used) {
        return std::clamp(static_cast<const TTextureEntry*>(e)->weight, 0, kMaxRandomSlots - used);
    };
    int count = 0;
    for (TStringEntry* e = Enumerate(); e; e = e->iterationNext)
        if (matches(e)) count += slotsOf(e, count);
    if (count == 0) return nullptr;

    int slot = rp::rand() % count;
    int used = 0;
    for (TStringEntry* e = Enumerate(); e; e = e->iterationNext) {
        if (!matches(e)) continue;
        used += slotsOf(e, used);
        if (slot < used) return static_cast<TTextureEntry*>(e);
    }
    return nullptr;
}

int GreyLevel(D3DCOLOR argb, bool invert) {
    int r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
    int grey = (6 * g + 3 * r + b) / 10;
    return invert ? 255 - grey : grey;
}

void MakeAlphaMask(TTextureEntry* entry, bool invert) {
    if (!entry) return;
    entry->flags |= TEX_EXTENDED;
    Texture* texture = entry->texture;
    if (!texture || texture->BytesPerTexel() != 4) return;
    for (uint32_t level = 0; level < texture->GetLevelCount(); ++level) {
        D3DSURFACE_DESC desc;
        D3DLOCKED_RECT locked;
        if (FAILED(texture->GetLevelDesc(level, &desc)) || FAILED(texture->LockRect(level, &locked))) continue;
        for (uint32_t y = 0; y < desc.Height; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.pBits) + size_t(y) * locked.Pitch);
            for (uint32_t x = 0; x < desc.Width; ++x) row[x] = uint32_t(GreyLevel(row[x], invert)) << 24;
        }
        texture->UnlockRect(level);
    }
}
