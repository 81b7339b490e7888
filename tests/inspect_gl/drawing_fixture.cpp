#include "drawing_fixture.h"

#include <stb/stb_image.h>
#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "inspect_commands.h"
#include "mesh.h"
#include "pack_commands.h"
#include "shapes.h"

Rgb Picture::At(int x, int y) const {
    const uint8_t* p = &rgba[(size_t(y) * width + x) * 4];
    return {p[0], p[1], p[2]};
}

std::optional<Picture> ReadPng(const std::string& path) {
    int w = 0, h = 0, channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &w, &h, &channels, 4);
    if (!pixels) return std::nullopt;
    Picture picture{w, h, std::vector<uint8_t>(pixels, pixels + size_t(w) * h * 4)};
    stbi_image_free(pixels);
    return picture;
}

bool IsBackdrop(Rgb p) {
    const int r = (kBackdrop >> 16) & 0xFF, g = (kBackdrop >> 8) & 0xFF, b = kBackdrop & 0xFF;
    return std::abs(p.r - r) <= 3 && std::abs(p.g - g) <= 3 && std::abs(p.b - b) <= 3;
}

bool IsOutline(Rgb p) { return p.r < 100 && p.g > 150 && p.b > 150; }

bool IsLettering(Rgb p) { return p.r > 120 && p.g > 120 && p.b > 120; }

int CountPixels(const Picture& picture, const PixelRect& rect, bool (*test)(Rgb)) {
    int count = 0;
    for (int y = rect.y; y < rect.y + rect.height; ++y)
        for (int x = rect.x; x < rect.x + rect.width; ++x) count += test(picture.At(x, y)) ? 1 : 0;
    return count;
}

PixelRect DrawnExtent(const Picture& picture, const PixelRect& rect) {
    int x0 = rect.x + rect.width, y0 = rect.y + rect.height, x1 = rect.x - 1, y1 = rect.y - 1;
    for (int y = rect.y; y < rect.y + rect.height; ++y)
        for (int x = rect.x; x < rect.x + rect.width; ++x)
            if (!IsBackdrop(picture.At(x, y))) {
                x0 = std::min(x0, x), x1 = std::max(x1, x);
                y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
    if (x1 < x0) return {rect.x, rect.y, 0, 0};
    return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

HandMadeLibrary::HandMadeLibrary() {
    char pattern[] = "/tmp/rockpile-draw-XXXXXX";
    dir_ = ::mkdtemp(pattern);
}

HandMadeLibrary::~HandMadeLibrary() { std::filesystem::remove_all(dir_); }

void HandMadeLibrary::Add(const std::string& name, const std::string& bytes) {
    std::string relative = name;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    const std::filesystem::path path = dir_ / "files" / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string HandMadeLibrary::Pack() {
    const std::string lib = (dir_ / "game.lib").string();
    std::ostringstream err;
    EXPECT_EQ(PackCreate(lib, (dir_ / "files").string(), err), 0) << err.str();
    return lib;
}

std::string HandMadeLibrary::OutputPath(const std::string& file) const { return (dir_ / file).string(); }

std::string CubeMesh(float half, float r, float g, float b, const std::string& texture) {
    contentgen::Mesh mesh;
    contentgen::Material matte;
    matte.diffuse = {r, g, b};
    matte.specular = {0, 0, 0};
    matte.texture = texture;
    mesh.AddMaterial(matte);
    contentgen::AddBox(mesh, {-half, -half, -half}, {half, half, half}, 0);
    return contentgen::WriteXFile(mesh, "cube");
}

std::string OutlineShaderText() {
    std::ifstream in(ROCKPILE_OUTLINE_SHADER);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

ToolRun RunTool(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    ToolRun run;
    run.status = RunInspectTool(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}
