// Pictures from memory: JPEG and BMP bytes decoded into textures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/d3dtypes.h"
#include "platform/resources.h"

// A decoded picture: A8R8G8B8 texels, rows top to bottom.
struct DecodedImage {
    uint32_t width = 0, height = 0;
    std::vector<uint32_t> argb;
    std::string container;    // "JPEG" or "BMP"
    int bitsPerPixel = 0;     // as stored in the file
    bool hasAlpha = false;    // the file carries an alpha channel
};

// False (with `error` set) for bytes that are not a JPEG or BMP picture.
bool DecodeImage(const void* data, size_t length, DecodedImage& out, std::string* error = nullptr);

// The picture with its full mip chain, X8R8G8B8 (A8R8G8B8 when the file has
// alpha); null when the bytes cannot be decoded.
std::unique_ptr<Texture> D3DXCreateTextureFromFileInMemory(const void* data, size_t length);

// The picture as one A8R8G8B8 level; texels exactly equal to `colorKey`
// become transparent black (0: no key). Null when the bytes cannot be decoded.
std::unique_ptr<Texture> D3DXCreateTextureFromFileInMemoryEx(const void* data, size_t length, D3DCOLOR colorKey);
