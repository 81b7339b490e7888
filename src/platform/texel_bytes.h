// Texels reordered for GL targets that take neither BGRA bytes nor packed
// 16-bit ARGB words (OpenGL ES, WebGL): R, G, B, A bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class Texture;

// `count` texels of B, G, R, A bytes; `opaque` sets every alpha to 255.
std::vector<uint8_t> RgbaFromBgra(const uint8_t* bgra, size_t count, bool opaque);
// One level of a texture of any of the engine's colour formats; X8R8G8B8
// texels come out opaque.
std::vector<uint8_t> RgbaTexels(const Texture& texture, uint32_t level);
