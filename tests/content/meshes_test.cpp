// Every generated mesh loads through the game's own .x loader, is wound
// outwards, names only textures the library holds, stays within its
// triangle budget and has the shape the games rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>
#include <string>
#include <tuple>

#include "gamelib/mesh.h"
#include "gamelib/xfile.h"
#include "library_fixture.h"
#include "names.h"
#include "platform/device.h"

namespace {

using contenttest::Entry;

std::optional<XFileMesh> Parse(const std::string& name) {
    const contentgen::Bytes& bytes = Entry(name);
    return ParseXFile(bytes.data(), bytes.size());
}

const MeshVertex& Corner(const XFileMesh& m, size_t face, int k) { return m.vertices[m.indices[3 * face + k]]; }

double SignedVolume(const XFileMesh& m) {
    double volume = 0;
    for (size_t f = 0; f < m.indices.size() / 3; ++f) {
        const MeshVertex &a = Corner(m, f, 0), &b = Corner(m, f, 1), &c = Corner(m, f, 2);
        volume += (a.x * (b.y * c.z - b.z * c.y) - a.y * (b.x * c.z - b.z * c.x) + a.z * (b.x * c.y - b.y * c.x)) / 6.0;
    }
    return volume;
}

struct Extent {
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
};

Extent Measure(const XFileMesh& m) {
    Extent e;
    for (const MeshVertex& v : m.vertices) {
        e.minX = std::min(e.minX, v.x), e.maxX = std::max(e.maxX, v.x);
        e.minY = std::min(e.minY, v.y), e.maxY = std::max(e.maxY, v.y);
    }
    return e;
}

TEST(Meshes, EveryMeshLoadsThroughTheGameLoaderWithItsMaterials) {
    NullDevice device;
    for (const std::string& name : content::kMeshNames) {
        SCOPED_TRACE(name);
        const contentgen::Bytes& bytes = Entry(name);
        std::optional<TMesh> mesh = LoadMeshFromMemory(&device, bytes.data(), bytes.size(), 0, 0, 1.0, name.c_str());
        ASSERT_TRUE(mesh.has_value());
        EXPECT_GE(mesh->numMaterials, 1);
        EXPECT_LT(mesh->numMaterials, MAX_MAT_PER_MESH);
        EXPECT_GT(GetMeshSphere(*mesh).radius, 0.0f);
    }
}

TEST(Meshes, FacesAreWoundOutwardsAsTheGameReadsThem) {
    for (const std::string& name : content::kMeshNames) {
        SCOPED_TRACE(name);
        std::optional<XFileMesh> m = Parse(name);
        ASSERT_TRUE(m.has_value());
        EXPECT_GT(SignedVolume(*m), 0.0);
        // Normals agree with the winding: the stored normal of each corner
        // points to the same side as its face.
        size_t agreeing = 0, faces = m->indices.size() / 3;
        for (size_t f = 0; f < faces; ++f) {
            const MeshVertex &a = Corner(*m, f, 0), &b = Corner(*m, f, 1), &c = Corner(*m, f, 2);
            float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z, vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
            float nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
            if (nx * a.nx + ny * a.ny + nz * a.nz > 0) ++agreeing;
        }
        EXPECT_GE(agreeing, faces * 95 / 100);
    }
}

TEST(Meshes, EveryTextureAMeshNamesIsInTheLibrary) {
    int textured = 0;
    for (const std::string& name : content::kMeshNames) {
        std::optional<XFileMesh> m = Parse(name);
        ASSERT_TRUE(m.has_value()) << name;
        for (const std::string& texture : m->textureNames) {
            if (texture.empty()) continue;
            ++textured;
            EXPECT_EQ(contenttest::Library().count("textures\\" + texture), 1u) << name << " names " << texture;
        }
    }
    EXPECT_GE(textured, 5);  // at least the five rocks
}

TEST(Meshes, TriangleCountsStayModest) {
    for (const std::string& name : content::kMeshNames) {
        std::optional<XFileMesh> m = Parse(name);
        ASSERT_TRUE(m.has_value()) << name;
        size_t faces = m->indices.size() / 3;
        EXPECT_LE(faces, 1200u) << name;
        if (contenttest::StartsWith(name, "asteroid")) {
            EXPECT_GE(faces, 200u) << name;
            EXPECT_LE(faces, 500u) << name;
        }
    }
}

TEST(Meshes, TheFiveRocksAreDifferentAndTextured) {
    std::set<std::string> textures;
    std::vector<XFileMesh> rocks;
    for (int i = 1; i <= 5; ++i) {
        std::optional<XFileMesh> m = Parse("asteroid" + std::to_string(i) + ".x");
        ASSERT_TRUE(m.has_value());
        ASSERT_FALSE(m->textureNames[0].empty());
        textures.insert(m->textureNames[0]);
        rocks.push_back(*m);
    }
    EXPECT_EQ(textures.size(), 5u);
    for (size_t i = 0; i < rocks.size(); ++i)
        for (size_t j = i + 1; j < rocks.size(); ++j) {
            Extent a = Measure(rocks[i]), b = Measure(rocks[j]);
            EXPECT_TRUE(a.maxX != b.maxX || a.maxY != b.maxY) << i << " and " << j;
        }
}

TEST(Meshes, ShipsAndMissilesPointAlongPlusY) {
    for (const char* name : {"ship.x", "ship2.x", "missile.x", "ufomissile.x"}) {
        SCOPED_TRACE(name);
        std::optional<XFileMesh> m = Parse(name);
        ASSERT_TRUE(m.has_value());
        Extent e = Measure(*m);
        EXPECT_NEAR(e.minX, -e.maxX, 0.05f * (e.maxX - e.minX));  // symmetric about x = 0
    }
    for (const char* name : {"ship.x", "ship2.x"}) {
        Extent e = Measure(*Parse(name));
        EXPECT_GT(e.maxY, -e.minY) << name;  // reaching further forward than back
    }
    for (const char* name : {"missile.x", "ufomissile.x"}) {
        Extent e = Measure(*Parse(name));
        EXPECT_GT(e.maxY - e.minY, 1.4f * (e.maxX - e.minX)) << name;
    }
    // The flagship and the missiles end in a point on the centre line.
    for (const char* name : {"ship.x", "missile.x", "ufomissile.x"}) {
        std::optional<XFileMesh> m = Parse(name);
        Extent e = Measure(*m);
        for (const MeshVertex& v : m->vertices) {
            if (v.y > e.maxY - 0.01f) {
                EXPECT_NEAR(v.x, 0.0f, 0.01f) << name;
                EXPECT_NEAR(v.z, 0.0f, 1.2f) << name;
            }
        }
    }
}

TEST(Meshes, TheZoneIsTranslucentAndTheHullBarRunsFromZeroToOne) {
    std::optional<XFileMesh> zone = Parse("phantomzone.x");
    ASSERT_TRUE(zone.has_value());
    EXPECT_TRUE(std::any_of(zone->materials.begin(), zone->materials.end(),
                            [](const D3DMATERIAL9& m) { return m.Diffuse.a < 1.0f; }));
    std::optional<XFileMesh> bar = Parse("hullstatus.x");
    ASSERT_TRUE(bar.has_value());
    Extent e = Measure(*bar);
    EXPECT_FLOAT_EQ(e.minX, 0.0f);
    EXPECT_FLOAT_EQ(e.maxX, 1.0f);
    EXPECT_LT(e.maxY - e.minY, 1.5f);  // fits the panel's rows
}

// Colour the camera sees where the front-most face covers (x, y), lit as
// the game lights a face turned to the camera; negative when nothing does.
float SeenBrightness(const XFileMesh& m, float x, float y) {
    float nearest = 1e9f, brightness = -1.0f;
    for (size_t f = 0; f < m.indices.size() / 3; ++f) {
        const MeshVertex &a = Corner(m, f, 0), &b = Corner(m, f, 1), &c = Corner(m, f, 2);
        float d = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
        if (std::fabs(d) < 1e-9f) continue;
        float w1 = ((x - a.x) * (c.y - a.y) - (y - a.y) * (c.x - a.x)) / d;
        float w2 = ((b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x)) / d;
        if (w1 < 0 || w2 < 0 || w1 + w2 > 1) continue;
        float z = a.z + w1 * (b.z - a.z) + w2 * (c.z - a.z);
        if (z >= nearest) continue;
        nearest = z;
        const D3DMATERIAL9& mat = m.materials[m.attributes[f]];
        auto luma = [](const D3DCOLORVALUE& c) { return 0.3f * c.r + 0.59f * c.g + 0.11f * c.b; };
        brightness = luma(mat.Emissive) + 0.577f * luma(mat.Diffuse);
    }
    return brightness;
}

TEST(Meshes, ThePanelIsLightWhereTheBlackTextGoes) {
    std::optional<XFileMesh> panel = Parse("status.x");
    ASSERT_TRUE(panel.has_value());
    // Text positions of the head-up display in panel units: the virtual
    // 800 x 600 screen maps to the 40-unit view, the panel is at half size.
    const float rows[] = {5, 25}, columns[] = {130, 180};
    for (float top : rows)
        for (float left : columns)
            for (float dx : {4.0f, 25.0f})
                for (float dy : {6.0f, 16.0f}) {
                    float x = (left + dx) / 10.0f, y = -(top + dy) / 7.5f;
                    EXPECT_GE(SeenBrightness(*panel, x, y), 0.6f) << "at " << x << ", " << y;
                }
    // The bars' slots are dark so an empty bar reads as empty.
    EXPECT_LT(SeenBrightness(*panel, 6.0f, -1.81f), 0.3f);
    EXPECT_LT(SeenBrightness(*panel, 6.0f, -5.03f), 0.3f);
    // The frame-rate text (white, at x 280) is not on the panel.
    EXPECT_LT(SeenBrightness(*panel, 28.5f, -4.0f), 0.0f);
}

TEST(Meshes, EachPowerupPodHasItsOwnColour) {
    std::set<std::tuple<int, int, int>> colours;
    for (const char* name : {"mpowerup.x", "starpowerup.x", "hullpowerup.x", "shippowerup.x", "shieldpowerup.x"}) {
        std::optional<XFileMesh> m = Parse(name);
        ASSERT_TRUE(m.has_value()) << name;
        const D3DCOLORVALUE& c = m->materials[0].Diffuse;  // the pod's shell
        colours.insert({static_cast<int>(c.r * 4), static_cast<int>(c.g * 4), static_cast<int>(c.b * 4)});
        EXPECT_GE(m->materials.size(), 2u) << name;  // a symbol in another colour
    }
    EXPECT_EQ(colours.size(), 5u);
}

}  // namespace
