// An off-screen bitmap in the device-independent layout: 32-bit pixels
// 0x00RRGGBB (other depths are only described, never drawn on), rows stored
// top-down or bottom-up.
#pragma once

#include <cstdint>
#include <vector>

struct Bitmap {
    Bitmap() = default;
    Bitmap(int w, int h, int bpp = 32, bool bottomUp_ = false)
        : width(w), height(h), bitsPerPixel(bpp), bottomUp(bottomUp_), bits(size_t(Stride()) * h) {}

    int width = 0, height = 0;
    int bitsPerPixel = 32;
    bool bottomUp = false;
    std::vector<uint8_t> bits;

    // Bytes per stored row, padded to 4 bytes.
    int Stride() const { return (width * bitsPerPixel / 8 + 3) & ~3; }
    // Row y counted from the top, whatever the storage order.
    uint8_t* Row(int y) { return bits.data() + size_t(Stride()) * (bottomUp ? height - 1 - y : y); }
    const uint8_t* Row(int y) const { return bits.data() + size_t(Stride()) * (bottomUp ? height - 1 - y : y); }
    uint32_t* Pixels32(int y) { return reinterpret_cast<uint32_t*>(Row(y)); }
    const uint32_t* Pixels32(int y) const { return reinterpret_cast<const uint32_t*>(Row(y)); }
};
