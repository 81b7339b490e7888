#include "raster.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace contentgen {
namespace {

const Vec3 kToLight = Normalized({-1, 1, -1});
const Vec3 kHalfway = Normalized(kToLight + Vec3{0, 0, -1});

}  // namespace

Raster::Raster(int width, int height, int supersample)
    : width_(width * supersample),
      height_(height * supersample),
      scale_(supersample),
      colour_(width_, height_),
      depth_(static_cast<size_t>(width_) * height_, std::numeric_limits<float>::infinity()),
      ids_(static_cast<size_t>(width_) * height_, 0) {}

void Raster::SetView(float x0, float y0, float x1, float y1) {
    x0_ = x0;
    y0_ = y0;
    x1_ = x1;
    y1_ = y1;
}

void Raster::Clear(Rgb background) {
    colour_ = Image(width_, height_, background);
    std::fill(depth_.begin(), depth_.end(), std::numeric_limits<float>::infinity());
    std::fill(ids_.begin(), ids_.end(), 0);
}

void Raster::SetBackground(const Image& picture) {
    Clear({});
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            colour_.At(x, y) = picture.Sample((x + 0.5f) * picture.Width() / width_ - 0.5f,
                                              (y + 0.5f) * picture.Height() / height_ - 0.5f);
}

int Raster::Draw(const Mesh& mesh, const Affine& world, const TextureLookup& textures) {
    int id = nextId_++;
    const auto& vertices = mesh.Vertices();
    std::vector<Vertex> transformed(vertices.size());
    std::vector<Vec3> screen(vertices.size());
    for (size_t i = 0; i < vertices.size(); ++i) {
        transformed[i] = vertices[i];
        transformed[i].position = world.Point(vertices[i].position);
        transformed[i].normal = world.Normal(vertices[i].normal);
        Vec3 p = transformed[i].position;
        screen[i] = {(p.x - x0_) / (x1_ - x0_) * width_, (y1_ - p.y) / (y1_ - y0_) * height_, p.z};
    }
    // Opaque faces first, then translucent ones.
    for (int pass = 0; pass < 2; ++pass) {
        for (const Face& f : mesh.Faces()) {
            const Material& material = mesh.Materials()[f.material];
            if ((material.alpha < 1.0f) != (pass == 1)) continue;
            const Vertex* v[3] = {&transformed[f.a], &transformed[f.b], &transformed[f.c]};
            Vec3 n = Cross(v[1]->position - v[0]->position, v[2]->position - v[0]->position);
            if (n.z >= 0) continue;  // faces away from the camera
            const Vec3 s[3] = {screen[f.a], screen[f.b], screen[f.c]};
            const Image* texture = material.texture.empty() ? nullptr : textures(material.texture);
            Triangle(v, s, material, texture, id);
        }
    }
    return id;
}

void Raster::Triangle(const Vertex* v[3], const Vec3 s[3], const Material& m, const Image* texture, int id) {
    float area = (s[1].x - s[0].x) * (s[2].y - s[0].y) - (s[1].y - s[0].y) * (s[2].x - s[0].x);
    if (std::fabs(area) < 1e-9f) return;
    int minX = std::max(0, static_cast<int>(std::floor(std::min({s[0].x, s[1].x, s[2].x}))));
    int maxX = std::min(width_ - 1, static_cast<int>(std::ceil(std::max({s[0].x, s[1].x, s[2].x}))));
    int minY = std::max(0, static_cast<int>(std::floor(std::min({s[0].y, s[1].y, s[2].y}))));
    int maxY = std::min(height_ - 1, static_cast<int>(std::ceil(std::max({s[0].y, s[1].y, s[2].y}))));
    for (int y = minY; y <= maxY; ++y) {
        for (int x = minX; x <= maxX; ++x) {
            float px = x + 0.5f, py = y + 0.5f;
            float w0 = ((s[1].x - px) * (s[2].y - py) - (s[1].y - py) * (s[2].x - px)) / area;
            float w1 = ((s[2].x - px) * (s[0].y - py) - (s[2].y - py) * (s[0].x - px)) / area;
            float w2 = 1.0f - w0 - w1;
            if (w0 < 0 || w1 < 0 || w2 < 0) continue;
            size_t at = static_cast<size_t>(y) * width_ + x;
            float z = w0 * s[0].z + w1 * s[1].z + w2 * s[2].z;
            if (z >= depth_[at]) continue;
            Vec3 n = Normalized(v[0]->normal * w0 + v[1]->normal * w1 + v[2]->normal * w2);
            float diffuse = std::max(0.0f, Dot(n, kToLight));
            Rgb lit = m.emissive + m.diffuse * diffuse;
            if (texture) {
                float u = w0 * v[0]->u + w1 * v[1]->u + w2 * v[2]->u;
                float t = w0 * v[0]->v + w1 * v[1]->v + w2 * v[2]->v;
                lit = lit * texture->Sample(u * texture->Width() - 0.5f, t * texture->Height() - 0.5f);
            }
            float highlight = std::pow(std::max(0.0f, Dot(n, kHalfway)), std::max(m.power, 1.0f));
            lit = lit + m.specular * highlight;
            if (m.alpha < 1.0f) {
                colour_.At(x, y) = Lerp(colour_.At(x, y), lit, m.alpha);
            } else {
                colour_.At(x, y) = lit;
                depth_[at] = z;
                ids_[at] = id;
            }
        }
    }
}

Image Raster::Resolve() const { return colour_.Resized(width_ / scale_, height_ / scale_); }

Image Raster::SilhouetteMask() const {
    Image edges(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            int id = ids_[static_cast<size_t>(y) * width_ + x];
            bool border = (x + 1 < width_ && ids_[static_cast<size_t>(y) * width_ + x + 1] != id) ||
                          (y + 1 < height_ && ids_[static_cast<size_t>(y + 1) * width_ + x] != id);
            if (border) edges.At(x, y) = {1, 1, 1};
        }
    }
    return edges.Resized(width_ / scale_, height_ / scale_);
}

}  // namespace contentgen
