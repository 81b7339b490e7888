// File encoders for generated content: JPEG (libjpeg-turbo), 24-bit BMP and
// canonical 44-byte-header PCM WAV.
#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

namespace contentgen {

using Bytes = std::vector<uint8_t>;

constexpr int kSampleRate = 22050;

// Baseline JPEG; `fineChroma` keeps full-resolution colour (for lettering).
Bytes EncodeJpeg(const Image& image, int quality, bool fineChroma = false);
// Lossless PNG (for previews).
Bytes EncodePng(const Image& image);
// Decodes a JPEG (for previews); throws on bad data.
Image DecodeJpeg(const Bytes& jpeg);
// Uncompressed 24-bit bottom-up BMP with a 40-byte info header.
Bytes EncodeBmp(const Image& image);
// Mono 16-bit PCM at kSampleRate; samples in [-1, 1] are clamped, rounded.
Bytes EncodeWav(const std::vector<float>& samples);

}  // namespace contentgen
