// Enemy craft: the basestar, the three pixel invaders, the saucer, the borg
// cube and the second game's spinning blade.
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "rng.h"
#include "shapes.h"
#include "workshop.h"

namespace content {
namespace {

using namespace contentgen;

constexpr float kPi = 3.14159265f;

Material Light(Rgb colour) { return Coloured(colour, 0.95f, 0.0f, 2.0f); }

// Two three-armed star hulls joined by a hub, lying face-on to the camera.
Mesh Basestar() {
    Mesh mesh;
    uint32_t front = mesh.AddMaterial(Coloured(Hex(0x9AA0A8), 0.25f, 0.6f, 30.0f));
    uint32_t rear = mesh.AddMaterial(Coloured(Hex(0x6A7078), 0.25f, 0.6f, 30.0f));
    uint32_t hub = mesh.AddMaterial(Coloured(Hex(0x50555C), 0.2f, 0.5f, 20.0f));
    uint32_t lamp = mesh.AddMaterial(Light(Hex(0xFF3020)));
    for (int hull = 0; hull < 2; ++hull) {
        float turn = hull * kPi / 3.0f;
        float z = hull == 0 ? -0.45f : 0.45f;
        Outline star = StarOutline(3, 4.2f, 1.25f, turn);
        AddBevelledExtrusion(mesh, star, z - 0.5f, z + 0.5f, 0.35f, hull == 0 ? front : rear, hull == 0 ? front : rear,
                             hull == 0 ? front : rear, true);
        for (int arm = 0; arm < 3; ++arm) {
            float a = kPi * 0.5f + turn + arm * 2.0f * kPi / 3.0f;
            AddSphere(mesh, {3.45f * std::cos(a), 3.45f * std::sin(a), z - 0.55f}, 0.32f, 6, 3, lamp);
        }
    }
    AddCylinder(mesh, {0, 0, -1.4f}, {0, 0, 1.4f}, 1.3f, 1.3f, 10, hub);
    AddCylinder(mesh, {0, 0, -1.6f}, {0, 0, -1.3f}, 0.7f, 0.7f, 10, lamp);
    return mesh;
}

// A pixel-art creature drawn one text row per line: 'X' body cells, 'o'
// glowing eye cells (set back), '.' empty.
Mesh Invader(const std::string& picture, Rgb body, Rgb eyes) {
    std::vector<std::string> rows;
    std::istringstream lines(picture);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) rows.push_back(line);
    Mesh mesh;
    uint32_t skin = mesh.AddMaterial(Coloured(body, 0.4f, 0.4f, 16.0f));
    uint32_t eye = mesh.AddMaterial(Light(eyes));
    const int h = static_cast<int>(rows.size()), w = static_cast<int>(rows[0].size());
    auto cell = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h ? rows[y][x] : '.'; };
    const float depth = 0.8f, eyeDepth = 0.45f;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            char c = cell(x, y);
            if (c == '.') continue;
            float d = c == 'o' ? eyeDepth : depth;
            uint32_t m = c == 'o' ? eye : skin;
            float x0 = x - w * 0.5f, x1 = x0 + 1, y1 = h * 0.5f - y, y0 = y1 - 1;
            mesh.FlatQuad({x0, y0, -d}, {x0, y1, -d}, {x1, y1, -d}, {x1, y0, -d}, m);  // front
            mesh.FlatQuad({x0, y0, d}, {x1, y0, d}, {x1, y1, d}, {x0, y1, d}, m);      // back
            // Walls where the neighbour is empty or shallower.
            auto open = [&](int nx, int ny) {
                char n = cell(nx, ny);
                return n == '.' || (n == 'o' && c == 'X');
            };
            float nd = 0;
            auto inner = [&](int nx, int ny) { return cell(nx, ny) == 'o' && c == 'X' ? eyeDepth : 0.0f; };
            if (open(x - 1, y)) {
                nd = inner(x - 1, y);
                mesh.FlatQuad({x0, y0, -d}, {x0, y0, -nd}, {x0, y1, -nd}, {x0, y1, -d}, m);
                mesh.FlatQuad({x0, y0, nd}, {x0, y0, d}, {x0, y1, d}, {x0, y1, nd}, m);
            }
            if (open(x + 1, y)) {
                nd = inner(x + 1, y);
                mesh.FlatQuad({x1, y0, -d}, {x1, y1, -d}, {x1, y1, -nd}, {x1, y0, -nd}, m);
                mesh.FlatQuad({x1, y0, nd}, {x1, y1, nd}, {x1, y1, d}, {x1, y0, d}, m);
            }
            if (open(x, y - 1)) {
                nd = inner(x, y - 1);
                mesh.FlatQuad({x0, y1, -d}, {x0, y1, -nd}, {x1, y1, -nd}, {x1, y1, -d}, m);
                mesh.FlatQuad({x0, y1, nd}, {x0, y1, d}, {x1, y1, d}, {x1, y1, nd}, m);
            }
            if (open(x, y + 1)) {
                nd = inner(x, y + 1);
                mesh.FlatQuad({x0, y0, -d}, {x1, y0, -d}, {x1, y0, -nd}, {x0, y0, -nd}, m);
                mesh.FlatQuad({x0, y0, nd}, {x1, y0, nd}, {x1, y0, d}, {x0, y0, d}, m);
            }
        }
    }
    return mesh;
}

// A saucer with a glass dome and rim lamps, built about +y and then tipped
// towards the camera, so that from above the disc shows as an ellipse with
// the dome standing on it: at its small play size a flat side view reads as
// a mere dash.
Mesh Saucer() {
    Mesh mesh;
    uint32_t metal = mesh.AddMaterial(Coloured(Hex(0xB0B8C4), 0.3f, 0.9f, 40.0f));
    uint32_t belly = mesh.AddMaterial(Coloured(Hex(0x5A6270), 0.3f, 0.5f, 20.0f));
    uint32_t dome = mesh.AddMaterial(Coloured(Hex(0x50F0A0), 0.5f, 0.9f, 50.0f));
    uint32_t lampA = mesh.AddMaterial(Light(Hex(0xFFE040)));
    uint32_t lampB = mesh.AddMaterial(Light(Hex(0xFF4060)));
    uint32_t band = mesh.AddMaterial(Coloured(Hex(0x3870E0), 0.45f, 0.6f, 30.0f));
    AddLathe(mesh, {{0, -0.9f}, {1.3f, -0.8f}, {3.0f, -0.3f}}, 16, belly);
    AddLathe(mesh, {{3.0f, -0.3f}, {4.0f, 0.0f}, {3.3f, 0.3f}}, 16, metal);
    AddLathe(mesh, {{3.3f, 0.3f}, {2.4f, 0.5f}}, 16, band);
    AddLathe(mesh, {{2.4f, 0.5f}, {1.6f, 0.6f}, {0, 0.62f}}, 16, metal);
    std::vector<Vec2> cap;
    for (int k = 0; k <= 5; ++k) {
        float a = -0.2f + (kPi * 0.5f + 0.2f) * k / 5.0f;
        cap.push_back({k == 5 ? 0.0f : 1.7f * std::cos(a), 0.62f + 1.5f * std::sin(a) + 0.3f});
    }
    AddLathe(mesh, cap, 16, dome);
    for (int k = 0; k < 8; ++k) {
        float a = 2 * kPi * (k + 0.5f) / 8;
        AddSphere(mesh, {3.6f * std::cos(a), 0.05f, 3.6f * std::sin(a)}, 0.36f, 6, 3, k % 2 ? lampA : lampB);
    }
    mesh.Transform(Affine::RotateX(-0.45f).After(Affine::Scale(0.85f, 1.2f, 0.85f)));
    return mesh;
}

// A dark cube crusted with panels and a few glowing vents.
Mesh BorgCube() {
    Mesh mesh;
    uint32_t hull = mesh.AddMaterial(Coloured(Hex(0x3A4040), 0.3f, 0.5f, 20.0f));
    uint32_t panel = mesh.AddMaterial(Coloured(Hex(0x5C6462), 0.3f, 0.5f, 20.0f));
    uint32_t vent = mesh.AddMaterial(Light(Hex(0x30FF60)));
    AddBox(mesh, {-2, -2, -2}, {2, 2, 2}, hull);
    Rng rng(0xB0C);
    const Affine faces[6] = {Affine{},
                             Affine::RotateY(kPi * 0.5f),
                             Affine::RotateY(kPi),
                             Affine::RotateY(-kPi * 0.5f),
                             Affine::RotateX(kPi * 0.5f),
                             Affine::RotateX(-kPi * 0.5f)};
    for (const Affine& face : faces) {
        size_t first = mesh.Vertices().size();
        // Panels on the face at z = -2 (facing the camera before turning).
        for (int gy = 0; gy < 3; ++gy) {
            for (int gx = 0; gx < 3; ++gx) {
                if (rng.Int(4) == 0) continue;
                float x0 = -1.8f + gx * 1.25f + static_cast<float>(rng.Range(0.0, 0.3));
                float y0 = -1.8f + gy * 1.25f + static_cast<float>(rng.Range(0.0, 0.3));
                float w = static_cast<float>(rng.Range(0.5, 0.9)), h = static_cast<float>(rng.Range(0.5, 0.9));
                float raise = static_cast<float>(rng.Range(0.1, 0.35));
                AddBox(mesh, {x0, y0, -2.0f - raise}, {x0 + w, y0 + h, -2.0f}, rng.Int(5) == 0 ? vent : panel);
            }
        }
        float stripY = static_cast<float>(rng.Range(-1.5, 1.5));
        AddBox(mesh, {-1.9f, stripY, -2.08f}, {1.9f, stripY + 0.18f, -2.0f}, vent);
        mesh.Transform(face, first);
    }
    return mesh;
}

// A toothed saw blade lying in the x-z plane, spinning about +y.
Mesh SawBlade() {
    Mesh mesh;
    uint32_t steel = mesh.AddMaterial(Coloured(Hex(0xC8D0DC), 0.35f, 1.0f, 60.0f));
    uint32_t hub = mesh.AddMaterial(Coloured(Hex(0xE02828), 0.4f, 0.6f, 30.0f));
    uint32_t cap = mesh.AddMaterial(Coloured(Hex(0xFFD040), 0.5f, 0.6f, 30.0f));
    Outline teeth;
    const int count = 12;
    for (int k = 0; k < count; ++k) {
        float a = 2 * kPi * k / count;
        float b = a + 2 * kPi / count * 0.7f;
        teeth.push_back({4.0f * std::cos(a), 4.0f * std::sin(a)});
        teeth.push_back({3.2f * std::cos(b), 3.2f * std::sin(b)});
    }
    size_t first = mesh.Vertices().size();
    AddBevelledExtrusion(mesh, teeth, -0.2f, 0.2f, 0.12f, steel, steel, steel, true);
    AddCylinder(mesh, {0, 0, -0.45f}, {0, 0, 0.45f}, 1.3f, 1.3f, 12, hub);
    AddCylinder(mesh, {0, 0, -0.55f}, {0, 0, 0.55f}, 0.55f, 0.55f, 8, cap);
    mesh.Transform(Affine::RotateX(kPi * 0.5f), first);
    return mesh;
}

}  // namespace

void BuildVisitors(Workshop& shop) {
    shop.AddMesh("basestar.x", Basestar());
    shop.AddMesh("invader1.x", Invader(R"(
...XXX...
.XXXXXXX.
XXoXXXoXX
XXXXXXXXX
.X.X.X.X.
X.X...X.X
.X.....X.
X.......X)",
                                       Hex(0xF050C0), Hex(0xFFF060)));
    shop.AddMesh("invader2.x", Invader(R"(
X.........X
.X.XXXXX.X.
..XXXXXXX..
.XXooXooXX.
XXXXXXXXXXX
..XX...XX..
.XX.....XX.)",
                                       Hex(0x70F040), Hex(0xFF3030)));
    shop.AddMesh("invader3.x", Invader(R"(
XX.......XX
XXX.XXX.XXX
.XXXXXXXXX.
..XXoXoXX..
..XXXXXXX..
...X.X.X...
..X.....X..)",
                                       Hex(0x40D8F8), Hex(0xFF8020)));
    shop.AddMesh("ufo.x", Saucer());
    shop.AddMesh("borgcube.x", BorgCube());
    shop.AddMesh("spinner.x", SawBlade());
}

}  // namespace content
