// Helpers of the inspector's drawing tests: a game library packed from
// hand-made files, the PNG a command wrote, and pixel counts.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "game_look.h"

struct Rgb {
    int r, g, b;
};

struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
    Rgb At(int x, int y) const;
};

std::optional<Picture> ReadPng(const std::string& path);

// Within a few levels of the colour the commands clear to.
bool IsBackdrop(Rgb p);
// Cyan, as the retro variant draws outlines.
bool IsOutline(Rgb p);
// Bright enough to be label lettering.
bool IsLettering(Rgb p);
// Pixels of `rect` that pass `test`.
int CountPixels(const Picture& picture, const PixelRect& rect, bool (*test)(Rgb));
// The smallest rectangle holding every pixel of `rect` that is not backdrop
// (width 0 when there is none).
PixelRect DrawnExtent(const Picture& picture, const PixelRect& rect);

// A folder of library files (backslash names) packed on demand; removed
// with everything written into it.
class HandMadeLibrary {
public:
    HandMadeLibrary();
    ~HandMadeLibrary();
    void Add(const std::string& name, const std::string& bytes);
    // Packs the files added so far; the library's path.
    std::string Pack();
    // A path for a command's output.
    std::string OutputPath(const std::string& file) const;

private:
    std::filesystem::path dir_;
};

// .x text of an axis-aligned cube of half side `half` in one matte colour,
// textured with textures\<texture> when one is named.
std::string CubeMesh(float half, float r, float g, float b, const std::string& texture = "");
// The outline shader the default library carries.
std::string OutlineShaderText();

// Runs the inspector with these arguments; output and errors are kept.
struct ToolRun {
    int status = -1;
    std::string out, err;
};
ToolRun RunTool(const std::vector<std::string>& args);
