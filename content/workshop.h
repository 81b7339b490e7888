// What the content families produce and share: the library files by name,
// and the pictures and models kept for the families that draw with them.
#pragma once

#include <map>
#include <string>

#include "encoders.h"
#include "image.h"
#include "mesh.h"
#include "raster.h"

namespace content {

using contentgen::Bytes;
using contentgen::Image;
using contentgen::Mesh;

struct Workshop {
    // Library name (backslash separators) -> file bytes, sorted by name.
    std::map<std::string, Bytes> files;
    // Texture file name -> picture, for drawing models with their textures.
    std::map<std::string, Image> textures;
    // Mesh name -> model.
    std::map<std::string, Mesh> meshes;

    void AddFile(const std::string& name, Bytes bytes);
    // Stores textures\<file> as JPEG and keeps the picture.
    void AddTexture(const std::string& file, const Image& picture);
    // Stores <name>.x; the frame is named after the file.
    void AddMesh(const std::string& name, const Mesh& mesh);
    contentgen::TextureLookup Textures() const;
};

// The families, in the order the library is built (later ones draw with the
// textures and models of earlier ones).
void BuildRockTextures(Workshop& shop);
void BuildRocks(Workshop& shop);
void BuildShips(Workshop& shop);
void BuildVisitors(Workshop& shop);
void BuildWhirlygigs(Workshop& shop);
void BuildPowerups(Workshop& shop);
void BuildHud(Workshop& shop);
void BuildBackgrounds(Workshop& shop);
void BuildExplosions(Workshop& shop);
void BuildCarts(Workshop& shop);
void BuildSounds(Workshop& shop);
// Not built: the font faces and their licence, copied as installed.
void CarryFonts(Workshop& shop);

}  // namespace content
