#include "platform/png_writer.h"

#include <stb/stb_image_write.h>

#include "platform/files.h"

bool WritePng(const Image& image, const std::string& path) {
    if (image.width <= 0 || image.height <= 0 ||
        image.rgba.size() != static_cast<size_t>(image.width) * image.height * 4)
        return false;
    std::string png;
    auto append = [](void* context, void* data, int size) {
        static_cast<std::string*>(context)->append(static_cast<const char*>(data), size_t(size));
    };
    if (!stbi_write_png_to_func(append, &png, image.width, image.height, 4, image.rgba.data(), image.width * 4))
        return false;
    // Whole or not at all: a full disk must not leave half a picture.
    return AtomicWriteFile(path, png);
}
