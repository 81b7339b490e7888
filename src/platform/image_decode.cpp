#include "platform/image_decode.h"

#include <SDL.h>
#include <turbojpeg.h>

#include <cstring>
#include <functional>

namespace {

bool Fail(std::string* error, const std::string& text) {
    if (error) *error = text;
    return false;
}

// Where a decoder writes the picture: asked once its size is known, it gives
// room for width x height A8R8G8B8 texels, rows top to bottom, that the
// decoder overwrites in full.
using TexelDestination = std::function<uint32_t*(uint32_t width, uint32_t height, bool hasAlpha)>;

// Pictures beyond these sizes are refused before anything is allocated for
// them: far above any texture the games use, and a bound on what a damaged
// header can make a decoder allocate.
constexpr int64_t kMaxSide = 16384;
constexpr int64_t kMaxTexels = 4096 * 4096;
// A run-length coded BMP fills at most 255 texels with each pair of bytes;
// one claiming more texels than its bytes can fill is refused before a
// picture of that size is made for it.
constexpr int64_t kMaxRunTexelsPerByte = 128;

bool SizeAllowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide && width * height <= kMaxTexels;
}

uint32_t U32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

// Checks a BMP header before the decoder allocates the picture: a known
// header, a size within the limits and, for uncompressed pixels, rows that
// the file actually holds.
bool BmpHeaderSane(const uint8_t* bytes, size_t length, std::string& why) {
    if (length < 26) return why = "the header is cut short", false;
    const uint32_t header = U32(bytes + 14);
    int64_t width, height;
    uint32_t bits, compression = 0;
    if (header == 12) {
        width = int16_t(U16(bytes + 18));
        height = int16_t(U16(bytes + 20));
        bits = U16(bytes + 24);
    } else if (header >= 40 && header <= 124 && length >= 34) {
        width = int32_t(U32(bytes + 18));
        height = int32_t(U32(bytes + 22));
        bits = U16(bytes + 28);
        compression = U32(bytes + 30);
    } else {
        return why = "unknown header of " + std::to_string(header) + " bytes", false;
    }
    if (!SizeAllowed(width, height < 0 ? -height : height))
        return why = "a picture of " + std::to_string(width) + " x " + std::to_string(height) + " is not accepted", false;
    const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
    const bool runLength = compression == 1 || compression == 2;
    const uint64_t rows = uint64_t(height < 0 ? -height : height);
    const uint64_t rowBytes = (uint64_t(width) * bits + 31) / 32 * 4;
    const uint64_t offset = U32(bytes + 10);
    if (uncompressed && offset + rowBytes * rows > length) return why = "the pixels are cut short", false;
    const uint64_t pixelBytes = offset < length ? length - offset : 0;
    if (runLength && uint64_t(width) * rows > pixelBytes * kMaxRunTexelsPerByte)
        return why = "a run-length coded picture of " + std::to_string(width) + " x " + std::to_string(height) +
                     " is more than its " + std::to_string(pixelBytes) + " bytes of pixels can fill",
               false;
    return true;
}

bool DecodeJpeg(const uint8_t* bytes, size_t length, DecodedImage& info, const TexelDestination& destination,
                std::string* error) {
    tjhandle tj = tjInitDecompress();
    if (!tj) return Fail(error, "JPEG decoder unavailable");
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    bool ok = tjDecompressHeader3(tj, bytes, static_cast<unsigned long>(length), &width, &height, &subsampling,
                                  &colorspace) == 0;
    std::string message = tjGetErrorStr2(tj);
    if (ok && !SizeAllowed(width, height)) {
        ok = false;
        message = "a picture of " + std::to_string(width) + " x " + std::to_string(height) + " is not accepted";
    } else if (ok) {
        info.width = static_cast<uint32_t>(width);
        info.height = static_cast<uint32_t>(height);
        // BGRA bytes are A8R8G8B8 texels on a little-endian machine.
        uint32_t* texels = destination(info.width, info.height, false);
        ok = tjDecompress2(tj, bytes, static_cast<unsigned long>(length), reinterpret_cast<uint8_t*>(texels), width,
                           width * 4, height, TJPF_BGRA, 0) == 0;
        message = tjGetErrorStr2(tj);
    }
    tjDestroy(tj);
    if (!ok) return Fail(error, "bad JPEG data: " + message);
    info.container = "JPEG";
    info.bitsPerPixel = colorspace == TJCS_GRAY ? 8 : 24;
    info.hasAlpha = false;
    return true;
}

bool DecodeBmp(const uint8_t* bytes, size_t length, DecodedImage& info, const TexelDestination& destination,
               std::string* error) {
    std::string why;
    if (!BmpHeaderSane(bytes, length, why)) return Fail(error, "bad BMP data: " + why);
    SDL_Surface* surface = SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes, static_cast<int>(length)), 1);
    if (!surface) return Fail(error, std::string("bad BMP data: ") + SDL_GetError());
    info.bitsPerPixel = surface->format->BitsPerPixel;
    info.hasAlpha = surface->format->Amask != 0;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(surface);
    if (!argb) return Fail(error, std::string("BMP conversion failed: ") + SDL_GetError());
    info.width = static_cast<uint32_t>(argb->w);
    info.height = static_cast<uint32_t>(argb->h);
    uint32_t* texels = destination(info.width, info.height, info.hasAlpha);
    for (int y = 0; y < argb->h; ++y)
        std::memcpy(texels + size_t(y) * argb->w, static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch,
                    size_t(argb->w) * 4);
    SDL_FreeSurface(argb);
    info.container = "BMP";
    return true;
}

bool Decode(const void* data, size_t length, DecodedImage& info, const TexelDestination& destination,
            std::string* error) {
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    if (!bytes || length < 4 || length > size_t(INT32_MAX)) return Fail(error, "no picture data");
    if (bytes[0] == 0xFF && bytes[1] == 0xD8) return DecodeJpeg(bytes, length, info, destination, error);
    if (bytes[0] == 'B' && bytes[1] == 'M') return DecodeBmp(bytes, length, info, destination, error);
    return Fail(error, "neither a JPEG nor a BMP picture");
}

// The picture decoded straight into level 0 of a new texture.
std::unique_ptr<Texture> DecodeTexture(const void* data, size_t length, uint32_t levels,
                                       const std::function<D3DFORMAT(bool hasAlpha)>& format) {
    std::unique_ptr<Texture> texture;
    DecodedImage info;
    const bool decoded = Decode(
        data, length, info,
        [&](uint32_t width, uint32_t height, bool hasAlpha) {
            texture = std::make_unique<Texture>(width, height, levels, format(hasAlpha));
            return reinterpret_cast<uint32_t*>(texture->OverwrittenBits(0));
        },
        nullptr);
    return decoded ? std::move(texture) : nullptr;
}

}  // namespace

bool DecodeImage(const void* data, size_t length, DecodedImage& out, std::string* error) {
    out = DecodedImage{};
    return Decode(
        data, length, out,
        [&out](uint32_t width, uint32_t height, bool) {
            out.argb.resize(size_t(width) * height);
            return out.argb.data();
        },
        error);
}

std::unique_ptr<Texture> D3DXCreateTextureFromFileInMemory(const void* data, size_t length) {
    std::unique_ptr<Texture> texture =
        DecodeTexture(data, length, 0, [](bool hasAlpha) { return hasAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8; });
    if (texture) texture->GenerateMipLevels();
    return texture;
}

std::unique_ptr<Texture> D3DXCreateTextureFromFileInMemoryEx(const void* data, size_t length, D3DCOLOR colorKey) {
    std::unique_ptr<Texture> texture = DecodeTexture(data, length, 1, [](bool) { return D3DFMT_A8R8G8B8; });
    if (texture && colorKey != 0) {
        auto* texels = reinterpret_cast<uint32_t*>(texture->MutableBits(0));
        for (size_t i = 0, n = size_t(texture->Width()) * texture->Height(); i < n; ++i)
            if (texels[i] == colorKey) texels[i] = 0;
    }
    return texture;
}
