#include "platform/texel_bytes.h"

#include <cstring>

#include "platform/resources.h"

std::vector<uint8_t> RgbaFromBgra(const uint8_t* bgra, size_t count, bool opaque) {
    std::vector<uint8_t> rgba(count * 4);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* in = bgra + i * 4;
        uint8_t* out = &rgba[i * 4];
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
        out[3] = opaque ? 255 : in[3];
    }
    return rgba;
}

std::vector<uint8_t> RgbaTexels(const Texture& texture, uint32_t level) {
    const size_t count = size_t(texture.Width(level)) * texture.Height(level);
    if (texture.Format() != D3DFMT_A4R4G4B4)
        return RgbaFromBgra(texture.Bits(level), count, texture.Format() == D3DFMT_X8R8G8B8);
    std::vector<uint8_t> rgba(count * 4);
    const uint8_t* bits = texture.Bits(level);
    for (size_t i = 0; i < count; ++i) {
        uint16_t argb;
        std::memcpy(&argb, bits + i * 2, 2);
        // Four bits widen to eight as n * 17, so 0xF becomes 0xFF.
        rgba[i * 4 + 0] = uint8_t(((argb >> 8) & 0xF) * 17);
        rgba[i * 4 + 1] = uint8_t(((argb >> 4) & 0xF) * 17);
        rgba[i * 4 + 2] = uint8_t((argb & 0xF) * 17);
        rgba[i * 4 + 3] = uint8_t((argb >> 12) * 17);
    }
    return rgba;
}
