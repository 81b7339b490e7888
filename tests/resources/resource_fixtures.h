// Shared helpers of the resource tests: a loose-file game library in a
// temporary folder, collected message boxes, hand-made .x text and pictures.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "gamelib/libman.h"
#include "platform/message_box.h"

class MessageLog {
public:
    MessageLog() {
        SetMessageObserver([this](const std::string& text, const std::string& caption) {
            messages.emplace_back(text, caption);
        });
    }
    ~MessageLog() { SetMessageObserver(nullptr); }
    bool Has(const std::string& text, const std::string& caption) const {
        for (const auto& m : messages)
            if (m.first == text && m.second == caption) return true;
        return false;
    }
    std::vector<std::pair<std::string, std::string>> messages;
};

// Resources come from loose files under a fresh temporary folder.
class LooseLibrary {
public:
    LooseLibrary() : lib_("", "") {
        char pattern[] = "/tmp/rockpile-res-XXXXXX";
        dir_ = ::mkdtemp(pattern);
        lib_.defaultPaths[0] = dir_.string();
        lib_.defaultPathCount = 1;
        previousLib_ = theGameLib;
        previousMode_ = useGameLib;
        theGameLib = &lib_;
        useGameLib = 0;
    }
    ~LooseLibrary() {
        theGameLib = previousLib_;
        useGameLib = previousMode_;
        std::filesystem::remove_all(dir_);
    }
    // Writes `bytes` under a library name ("textures\\rock.bmp").
    std::filesystem::path Add(const std::string& name, const std::string& bytes) {
        std::string relative = name;
        for (char& c : relative)
            if (c == '\\') c = '/';
        std::filesystem::path path = dir_ / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    const std::filesystem::path& Dir() const { return dir_; }

private:
    TGameLib lib_;
    std::filesystem::path dir_;
    TGameLib* previousLib_;
    int32_t previousMode_;
};

// A 24-bit bottom-up BMP whose pixel (x, y) is pixel(x, y) as 0xRRGGBB.
template <typename Pixel>
std::string MakeBmp(int width, int height, Pixel pixel) {
    int stride = (width * 3 + 3) & ~3;
    uint32_t dataSize = uint32_t(stride * height), fileSize = 54 + dataSize;
    std::string b(fileSize, '\0');
    auto put = [&](size_t at, uint32_t v, int n) {
        for (int i = 0; i < n; ++i) b[at + i] = char(v >> (8 * i));
    };
    b[0] = 'B', b[1] = 'M';
    put(2, fileSize, 4), put(10, 54, 4), put(14, 40, 4), put(18, uint32_t(width), 4), put(22, uint32_t(height), 4);
    put(26, 1, 2), put(28, 24, 2), put(34, dataSize, 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t p = pixel(x, y);
            size_t at = 54 + size_t(height - 1 - y) * stride + size_t(x) * 3;
            put(at, p & 0xFFFFFF, 3);  // blue, green, red
        }
    return b;
}

// A .x material block.
inline std::string XMaterial(float r, float g, float b, float a, const std::string& texture = "") {
    std::string m = "Material {\n " + std::to_string(r) + ";" + std::to_string(g) + ";" + std::to_string(b) + ";" +
                    std::to_string(a) + ";;\n 8.0;\n 0.25;0.25;0.25;;\n 0.0;0.0;0.1;;\n";
    if (!texture.empty()) m += " TextureFilename { \"" + texture + "\"; }\n";
    return m + "}\n";
}

// A .x file of `faces` triangles in a strip along x, face i using material
// i % materials.size(), with normals (0, 0, -1) and texture coordinates.
inline std::string XStrip(int faces, const std::vector<std::string>& materials) {
    int vertices = faces + 2;
    std::string x = "xof 0303txt 0032\nFrame Strip {\n Mesh {\n  " + std::to_string(vertices) + ";\n";
    for (int i = 0; i < vertices; ++i)
        x += "  " + std::to_string(i / 2) + ".0;" + (i % 2 ? "1.0" : "0.0") + ";0.0;" + (i + 1 < vertices ? ",\n" : ";\n");
    x += "  " + std::to_string(faces) + ";\n";
    for (int f = 0; f < faces; ++f) {
        int a = f, b = f + 1, c = f + 2;
        if (f % 2) std::swap(b, c);
        x += "  3;" + std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c) + ";" +
             (f + 1 < faces ? ",\n" : ";\n");
    }
    x += "  MeshMaterialList {\n   " + std::to_string(materials.size()) + ";\n   " + std::to_string(faces) + ";\n";
    for (int f = 0; f < faces; ++f)
        x += "   " + std::to_string(f % materials.size()) + (f + 1 < faces ? ",\n" : ";;\n");
    for (const std::string& m : materials) x += m;
    x += "  }\n  MeshNormals {\n   1;\n   0.0;0.0;-1.0;;\n   " + std::to_string(faces) + ";\n";
    for (int f = 0; f < faces; ++f) x += std::string("   3;0,0,0;") + (f + 1 < faces ? ",\n" : ";\n");
    x += "  }\n  MeshTextureCoords {\n   " + std::to_string(vertices) + ";\n";
    for (int i = 0; i < vertices; ++i)
        x += "   " + std::to_string(i / 2) + ".0;" + (i % 2 ? "0.0" : "1.0") + (i + 1 < vertices ? ";,\n" : ";;\n");
    return x + "  }\n }\n}\n";
}
