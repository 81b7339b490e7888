// A small software renderer for generated models: orthographic view along
// +z, the game's directional light, materials, textures and a depth buffer.
// Cartridge pictures and the preview sheet draw models with it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "image.h"
#include "mesh.h"

namespace contentgen {

// Finds a texture picture by file name; null when there is none.
using TextureLookup = std::function<const Image*(const std::string&)>;

class Raster {
public:
    // Renders `supersample` times finer than the final picture.
    Raster(int width, int height, int supersample = 3);

    // The world rectangle [x0, x1] x [y0, y1] fills the picture.
    void SetView(float x0, float y0, float x1, float y1);
    // Clears colour, depth and object ids.
    void Clear(Rgb background);
    void SetBackground(const Image& picture);
    // Draws with the world transform; returns the object id it used.
    int Draw(const Mesh& mesh, const Affine& world, const TextureLookup& textures);
    // The picture at its final size.
    Image Resolve() const;
    // Pixels where the object id changes: 1 on object borders, else 0, at
    // the final size (soft edges from the supersampling).
    Image SilhouetteMask() const;

private:
    void Triangle(const Vertex* v[3], const Vec3 screen[3], const Material& material, const Image* texture, int id);

    int width_, height_, scale_;
    float x0_ = -1, y0_ = -1, x1_ = 1, y1_ = 1;
    Image colour_;
    std::vector<float> depth_;
    std::vector<int> ids_;
    int nextId_ = 1;
};

}  // namespace contentgen
