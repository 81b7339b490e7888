#include "shapes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <utility>

namespace contentgen {
namespace {

constexpr float kPi = 3.14159265358979f;

float Cross2(Vec2 o, Vec2 a, Vec2 b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

bool InsideTriangle(Vec2 p, Vec2 a, Vec2 b, Vec2 c) {
    return Cross2(a, b, p) >= 0 && Cross2(b, c, p) >= 0 && Cross2(c, a, p) >= 0;
}

Vec3 At(Vec2 p, float z) { return {p.x, p.y, z}; }

}  // namespace

float OutlineArea(const Outline& outline) {
    float area = 0;
    for (size_t i = 0; i < outline.size(); ++i) {
        Vec2 a = outline[i], b = outline[(i + 1) % outline.size()];
        area += a.x * b.y - b.x * a.y;
    }
    return area * 0.5f;
}

std::vector<uint32_t> Triangulate(const Outline& outline) {
    std::vector<uint32_t> order(outline.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<uint32_t>(i);
    if (OutlineArea(outline) < 0) std::reverse(order.begin(), order.end());
    std::vector<uint32_t> triangles;
    while (order.size() > 3) {
        bool clipped = false;
        for (size_t i = 0; i < order.size(); ++i) {
            uint32_t ia = order[(i + order.size() - 1) % order.size()], ib = order[i],
                     ic = order[(i + 1) % order.size()];
            Vec2 a = outline[ia], b = outline[ib], c = outline[ic];
            if (Cross2(a, b, c) <= 1e-9f) continue;
            bool empty = true;
            for (uint32_t other : order) {
                if (other == ia || other == ib || other == ic) continue;
                if (InsideTriangle(outline[other], a, b, c)) {
                    empty = false;
                    break;
                }
            }
            if (!empty) continue;
            triangles.insert(triangles.end(), {ia, ib, ic});
            order.erase(order.begin() + static_cast<long>(i));
            clipped = true;
            break;
        }
        if (!clipped) break;  // degenerate remainder
    }
    if (order.size() == 3) triangles.insert(triangles.end(), {order[0], order[1], order[2]});
    return triangles;
}

Outline StarOutline(int points, float outer, float inner, float phase) {
    Outline out;
    for (int i = 0; i < 2 * points; ++i) {
        float a = phase + kPi * 0.5f + kPi * i / points;
        float r = (i % 2 == 0) ? outer : inner;
        out.push_back({r * std::cos(a), r * std::sin(a)});
    }
    return out;
}

Outline RectOutline(float x0, float y0, float x1, float y1) { return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}; }

Outline TransformOutline(const Outline& outline, float scale, Vec2 offset) {
    Outline out;
    for (Vec2 p : outline) out.push_back({p.x * scale + offset.x, p.y * scale + offset.y});
    return out;
}

void AddBox(Mesh& mesh, Vec3 lo, Vec3 hi, uint32_t material) {
    AddExtrusion(mesh, RectOutline(lo.x, lo.y, hi.x, hi.y), lo.z, hi.z, material, material, material);
}

namespace {

void AddCaps(Mesh& mesh, const Outline& frontOutline, const Outline& backOutline, float zFront, float zBack,
             uint32_t front, uint32_t back) {
    std::vector<uint32_t> tri = Triangulate(backOutline);
    for (size_t i = 0; i + 2 < tri.size(); i += 3) {
        // Counter-clockwise in x-y points +z: the back cap as is, the front reversed.
        mesh.FlatTriangle(At(backOutline[tri[i]], zBack), At(backOutline[tri[i + 1]], zBack),
                          At(backOutline[tri[i + 2]], zBack), back);
        mesh.FlatTriangle(At(frontOutline[tri[i]], zFront), At(frontOutline[tri[i + 2]], zFront),
                          At(frontOutline[tri[i + 1]], zFront), front);
    }
}

// Walls between two outlines of the same length, counter-clockwise.
void AddWalls(Mesh& mesh, const Outline& a, float za, const Outline& b, float zb, uint32_t material) {
    for (size_t i = 0; i < a.size(); ++i) {
        size_t j = (i + 1) % a.size();
        mesh.FlatQuad(At(a[i], za), At(a[j], za), At(b[j], zb), At(b[i], zb), material);
    }
}

Outline CounterClockwise(const Outline& outline) {
    Outline out = outline;
    if (OutlineArea(out) < 0) std::reverse(out.begin(), out.end());
    return out;
}

}  // namespace

void AddExtrusion(Mesh& mesh, const Outline& outline, float zFront, float zBack, uint32_t front, uint32_t side,
                  uint32_t back) {
    Outline ccw = CounterClockwise(outline);
    AddCaps(mesh, ccw, ccw, zFront, zBack, front, back);
    AddWalls(mesh, ccw, zFront, ccw, zBack, side);
}

void AddBevelledExtrusion(Mesh& mesh, const Outline& outline, float zFront, float zBack, float bevel, uint32_t front,
                          uint32_t side, uint32_t back, bool bevelBack) {
    Outline ccw = CounterClockwise(outline);
    // Each corner moves inwards along its bisector so that every edge moves
    // by `bevel`; sharp spikes are limited to three times that.
    Outline inner;
    const size_t n = ccw.size();
    for (size_t i = 0; i < n; ++i) {
        Vec2 prev = ccw[(i + n - 1) % n], p = ccw[i], next = ccw[(i + 1) % n];
        auto inwardNormal = [](Vec2 a, Vec2 b) {
            float dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
            return Vec2{-dy / len, dx / len};
        };
        Vec2 n1 = inwardNormal(prev, p), n2 = inwardNormal(p, next);
        Vec2 m = {n1.x + n2.x, n1.y + n2.y};
        float len = std::hypot(m.x, m.y);
        m = len > 1e-6f ? Vec2{m.x / len, m.y / len} : n1;
        float along = std::min(bevel / std::max(m.x * n1.x + m.y * n1.y, 1e-3f), 3.0f * bevel);
        inner.push_back({p.x + m.x * along, p.y + m.y * along});
    }
    float zEdgeFront = zFront + bevel;
    float zEdgeBack = bevelBack ? zBack - bevel : zBack;
    AddCaps(mesh, inner, bevelBack ? inner : ccw, zFront, zBack, front, back);
    AddWalls(mesh, inner, zFront, ccw, zEdgeFront, side);
    AddWalls(mesh, ccw, zEdgeFront, ccw, zEdgeBack, side);
    if (bevelBack) AddWalls(mesh, ccw, zEdgeBack, inner, zBack, side);
}

void AddLathe(Mesh& mesh, const std::vector<Vec2>& profile, int segments, uint32_t material) {
    const size_t n = profile.size();
    // Outward normal of each profile segment in the (r, y) plane.
    std::vector<Vec2> segNormal(n - 1);
    for (size_t j = 0; j + 1 < n; ++j) {
        float dr = profile[j + 1].x - profile[j].x, dy = profile[j + 1].y - profile[j].y;
        float len = std::hypot(dr, dy);
        segNormal[j] = len > 0 ? Vec2{dy / len, -dr / len} : Vec2{1, 0};
    }
    auto jointNormal = [&](size_t seg, size_t point) {
        size_t other = point == seg ? seg - 1 : seg + 1;  // the neighbouring segment at this point
        bool hasOther = point == seg ? seg > 0 : seg + 1 < n - 1;
        Vec2 a = segNormal[seg];
        if (!hasOther) return a;
        Vec2 b = segNormal[other];
        if (a.x * b.x + a.y * b.y < 0.77f) return a;  // crease
        float len = std::hypot(a.x + b.x, a.y + b.y);
        return Vec2{(a.x + b.x) / len, (a.y + b.y) / len};
    };
    for (size_t j = 0; j + 1 < n; ++j) {
        auto base = static_cast<uint32_t>(mesh.Vertices().size());
        for (size_t end = 0; end < 2; ++end) {
            Vec2 p = profile[j + end];
            Vec2 nrm = jointNormal(j, j + end);
            for (int i = 0; i <= segments; ++i) {
                float a = 2 * kPi * i / segments;
                float c = std::cos(a), s = std::sin(a);
                Vertex v;
                v.position = {p.x * c, p.y, p.x * s};
                v.normal = Normalized({nrm.x * c, nrm.y, nrm.x * s});
                v.u = static_cast<float>(i) / segments;
                v.v = 1.0f - static_cast<float>(j + end) / (n - 1);
                mesh.AddVertex(v);
            }
        }
        const uint32_t row = static_cast<uint32_t>(segments + 1);
        for (uint32_t i = 0; i < static_cast<uint32_t>(segments); ++i) {
            uint32_t a = base + i, b = base + i + 1, c = base + row + i + 1, d = base + row + i;
            if (profile[j].x > 1e-6f) mesh.AddFace(a, c, b, material);
            if (profile[j + 1].x > 1e-6f) mesh.AddFace(a, d, c, material);
        }
    }
}

void AddSphere(Mesh& mesh, Vec3 centre, float radius, int segments, int rings, uint32_t material) {
    std::vector<Vec2> profile;
    for (int k = 0; k <= rings; ++k) {
        float a = -kPi * 0.5f + kPi * k / rings;
        profile.push_back({k == 0 || k == rings ? 0.0f : radius * std::cos(a), radius * std::sin(a)});
    }
    size_t first = mesh.Vertices().size();
    AddLathe(mesh, profile, segments, material);
    mesh.Transform(Affine::Translate(centre), first);
}

void AddCylinder(Mesh& mesh, Vec3 a, Vec3 b, float radiusA, float radiusB, int sides, uint32_t material) {
    float len = Length(b - a);
    size_t first = mesh.Vertices().size();
    AddLathe(mesh, {{0, 0}, {radiusA, 0}, {radiusB, len}, {0, len}}, sides, material);
    mesh.Transform(Affine::Translate(a).After(Affine::AlignY(b - a)), first);
}

Mesh Icosphere(int level, const Material& look) {
    const float t = (1.0f + std::sqrt(5.0f)) / 2.0f;
    std::vector<Vec3> points = {{-1, t, 0},  {1, t, 0},  {-1, -t, 0}, {1, -t, 0}, {0, -1, t},  {0, 1, t},
                                {0, -1, -t}, {0, 1, -t}, {t, 0, -1},  {t, 0, 1},  {-t, 0, -1}, {-t, 0, 1}};
    for (Vec3& p : points) p = Normalized(p);
    std::vector<std::array<uint32_t, 3>> tris = {{0, 11, 5}, {0, 5, 1},  {0, 1, 7},   {0, 7, 10}, {0, 10, 11},
                                                 {1, 5, 9},  {5, 11, 4}, {11, 10, 2}, {10, 7, 6}, {7, 1, 8},
                                                 {3, 9, 4},  {3, 4, 2},  {3, 2, 6},   {3, 6, 8},  {3, 8, 9},
                                                 {4, 9, 5},  {2, 4, 11}, {6, 2, 10},  {8, 6, 7},  {9, 8, 1}};
    for (int l = 0; l < level; ++l) {
        std::map<std::pair<uint32_t, uint32_t>, uint32_t> mid;
        auto middle = [&](uint32_t a, uint32_t b) {
            auto key = std::minmax(a, b);
            auto it = mid.find(key);
            if (it != mid.end()) return it->second;
            points.push_back(Normalized((points[a] + points[b]) * 0.5f));
            auto index = static_cast<uint32_t>(points.size() - 1);
            mid.emplace(key, index);
            return index;
        };
        std::vector<std::array<uint32_t, 3>> next;
        for (auto& f : tris) {
            uint32_t ab = middle(f[0], f[1]), bc = middle(f[1], f[2]), ca = middle(f[2], f[0]);
            next.push_back({f[0], ab, ca});
            next.push_back({f[1], bc, ab});
            next.push_back({f[2], ca, bc});
            next.push_back({ab, bc, ca});
        }
        tris = std::move(next);
    }
    Mesh mesh;
    mesh.AddMaterial(look);
    for (Vec3 p : points) mesh.AddVertex({p, p});
    for (auto& f : tris) {
        // Orient each face outwards.
        Vec3 n = Cross(points[f[1]] - points[f[0]], points[f[2]] - points[f[0]]);
        if (Dot(n, points[f[0]]) >= 0) {
            mesh.AddFace(f[0], f[1], f[2], 0);
        } else {
            mesh.AddFace(f[0], f[2], f[1], 0);
        }
    }
    return mesh;
}

}  // namespace contentgen
