#include "encoders.h"

#include <stb/stb_image_write.h>
#include <turbojpeg.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace contentgen {
namespace {

void Put16(Bytes& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(Bytes& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutTag(Bytes& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

}  // namespace

Bytes EncodeJpeg(const Image& image, int quality, bool fineChroma) {
    std::vector<uint8_t> rgb = image.ToRgb8();
    tjhandle handle = tjInitCompress();
    if (!handle) throw std::runtime_error("tjInitCompress failed");
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    int rc = tjCompress2(handle, rgb.data(), image.Width(), 0, image.Height(), TJPF_RGB, &jpeg, &size,
                         fineChroma ? TJSAMP_444 : TJSAMP_420, quality, TJFLAG_ACCURATEDCT);
    if (rc != 0) {
        std::string message = tjGetErrorStr2(handle);
        tjDestroy(handle);
        throw std::runtime_error("tjCompress2 failed: " + message);
    }
    Bytes out(jpeg, jpeg + size);
    tjFree(jpeg);
    tjDestroy(handle);
    return out;
}

Bytes EncodePng(const Image& image) {
    std::vector<uint8_t> rgb = image.ToRgb8();
    Bytes out;
    auto append = [](void* context, void* data, int size) {
        auto* bytes = static_cast<Bytes*>(context);
        bytes->insert(bytes->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
    };
    if (!stbi_write_png_to_func(append, &out, image.Width(), image.Height(), 3, rgb.data(), image.Width() * 3))
        throw std::runtime_error("PNG encoding failed");
    return out;
}

Image DecodeJpeg(const Bytes& jpeg) {
    tjhandle handle = tjInitDecompress();
    if (!handle) throw std::runtime_error("tjInitDecompress failed");
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(handle, jpeg.data(), jpeg.size(), &width, &height, &subsampling, &colourspace) != 0) {
        tjDestroy(handle);
        throw std::runtime_error("not a JPEG");
    }
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    int rc = tjDecompress2(handle, jpeg.data(), jpeg.size(), rgb.data(), width, 0, height, TJPF_RGB, 0);
    tjDestroy(handle);
    if (rc != 0) throw std::runtime_error("JPEG decoding failed");
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            image.At(x, y) = {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f};
        }
    }
    return image;
}

Bytes EncodeBmp(const Image& image) {
    const uint32_t w = static_cast<uint32_t>(image.Width()), h = static_cast<uint32_t>(image.Height());
    const uint32_t rowBytes = (w * 3 + 3) & ~3u;
    const uint32_t dataSize = rowBytes * h;
    Bytes out;
    out.reserve(54 + dataSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + dataSize);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, w);
    Put32(out, h);
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);  // BI_RGB
    Put32(out, dataSize);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    std::vector<uint8_t> rgb = image.ToRgb8();
    for (uint32_t row = 0; row < h; ++row) {
        const uint8_t* src = rgb.data() + static_cast<size_t>(h - 1 - row) * w * 3;
        for (uint32_t x = 0; x < w; ++x) {
            out.push_back(src[3 * x + 2]);
            out.push_back(src[3 * x + 1]);
            out.push_back(src[3 * x]);
        }
        for (uint32_t pad = w * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    return out;
}

Bytes EncodeWav(const std::vector<float>& samples) {
    const uint32_t dataSize = static_cast<uint32_t>(samples.size() * 2);
    Bytes out;
    out.reserve(44 + dataSize);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataSize);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, 1);  // mono
    Put32(out, kSampleRate);
    Put32(out, kSampleRate * 2);
    Put16(out, 2);
    Put16(out, 16);
    PutTag(out, "data");
    Put32(out, dataSize);
    for (float s : samples) {
        auto v = static_cast<int32_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
        Put16(out, static_cast<uint32_t>(v) & 0xFFFF);
    }
    return out;
}

}  // namespace contentgen
