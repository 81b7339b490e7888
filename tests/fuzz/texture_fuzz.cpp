// Pictures as the texture loaders decode them (JPEG and BMP): any bytes
// either fail cleanly or give a texture of the picture's size, with its mip
// chain and with a colour key applied.
#include <algorithm>

#include "fuzz_check.h"
#include "platform/image_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecodedImage image;
    std::string error;
    const bool decoded = DecodeImage(data, size, image, &error);
    FUZZ_CHECK(decoded == error.empty());
    if (!decoded) return 0;
    FUZZ_CHECK(image.width > 0 && image.height > 0);
    FUZZ_CHECK(image.argb.size() == size_t(image.width) * image.height);
    FUZZ_CHECK(image.container == (data[0] == 0xFF ? "JPEG" : "BMP"));

    std::unique_ptr<Texture> mipped = D3DXCreateTextureFromFileInMemory(data, size);
    FUZZ_CHECK(mipped && mipped->Width() == image.width && mipped->Height() == image.height);
    // The smallest level, made when first read, averages the picture: each
    // channel lies within the picture's range of that channel.
    const uint32_t last = mipped->GetLevelCount() - 1;
    FUZZ_CHECK(mipped->Width(last) == 1 && mipped->Height(last) == 1);
    const uint32_t mean = mipped->TexelArgb(last, 0, 0);
    for (int shift = 0; shift < 32; shift += 8) {
        uint32_t low = 255, high = 0;
        for (uint32_t y = 0; y < image.height; ++y)
            for (uint32_t x = 0; x < image.width; ++x) {
                const uint32_t channel = mipped->TexelArgb(0, x, y) >> shift & 0xFF;
                low = std::min(low, channel), high = std::max(high, channel);
            }
        FUZZ_CHECK((mean >> shift & 0xFF) >= low && (mean >> shift & 0xFF) <= high);
    }
    std::unique_ptr<Texture> keyed = D3DXCreateTextureFromFileInMemoryEx(data, size, image.argb[0]);
    FUZZ_CHECK(keyed && keyed->GetLevelCount() == 1);
    FUZZ_CHECK(keyed->TexelArgb(0, 0, 0) == 0);
    return 0;
}
