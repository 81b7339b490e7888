// Every .x file of the default library, and the seed files written the way
// other exporters write them, read into exactly the arrays recorded here:
// vertices, indices, face materials, materials and texture names, bit for bit.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>

#include "gamelib/xfile.h"
#include "library_fixture.h"

namespace {

class Digest {
public:
    void Add(const void* data, size_t size) {
        const auto* bytes = static_cast<const uint8_t*>(data);
        for (size_t i = 0; i < size; ++i) value_ = (value_ ^ bytes[i]) * 0x100000001b3ull;
    }
    template <typename T>
    void AddArray(const std::vector<T>& items) {
        const uint64_t count = items.size();
        Add(&count, sizeof count);
        Add(items.data(), items.size() * sizeof(T));
    }
    uint64_t Value() const { return value_; }

private:
    uint64_t value_ = 0xcbf29ce484222325ull;
};

uint64_t MeshDigest(const XFileMesh& mesh) {
    Digest d;
    d.AddArray(mesh.vertices);
    d.AddArray(mesh.indices);
    d.AddArray(mesh.attributes);
    d.AddArray(mesh.materials);
    for (const std::string& name : mesh.textureNames) d.Add(name.c_str(), name.size() + 1);
    return d.Value();
}

std::string Hex(uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

void ExpectDigests(const std::map<std::string, std::string>& files, const std::map<std::string, uint64_t>& expected) {
    EXPECT_EQ(files.size(), expected.size());
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        std::string why;
        const std::optional<XFileMesh> mesh =
            ParseXFile(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &why);
        ASSERT_TRUE(mesh.has_value()) << why;
        const auto recorded = expected.find(name);
        if (recorded == expected.end())
            ADD_FAILURE() << "no digest recorded: {\"" << name << "\", 0x" << Hex(MeshDigest(*mesh)) << "},";
        else
            EXPECT_EQ(Hex(MeshDigest(*mesh)), Hex(recorded->second));
    }
}

TEST(MeshDigests, EveryLibraryMeshReadsAsRecorded) {
#if defined(__clang__)
    // The digests are of the library the gcc build generates: clang's build
    // of the content generator writes a few coordinates of ufo.x one step
    // apart in the last printed digit. The other exporters' files below are
    // fixed text and are checked under both compilers.
    GTEST_SKIP() << "digests recorded from the gcc build's library";
#endif
    std::map<std::string, std::string> files;
    for (const auto& [name, bytes] : contenttest::Library())
        if (name.size() > 2 && name.compare(name.size() - 2, 2, ".x") == 0)
            files.emplace(name, std::string(bytes.begin(), bytes.end()));
    ExpectDigests(files, {
        {"asteroid1.x", 0x667b579b4e22d420},
        {"asteroid2.x", 0x36731c048ef86ace},
        {"asteroid3.x", 0x5778c29b4bc356f6},
        {"asteroid4.x", 0x233735acdaec66a9},
        {"asteroid5.x", 0x8f2c4de1e46d9fd6},
        {"basestar.x", 0x934a0a9105817a37},
        {"borgcube.x", 0x804f5b533d28ed77},
        {"dogtoy.x", 0xcb7fc61b9b878b60},
        {"hullpowerup.x", 0x9665917c3385dbe9},
        {"hullstatus.x", 0x63ebbfe01cab2015},
        {"invader1.x", 0x297001aff6f5c1fb},
        {"invader2.x", 0x9aefb539d29ddab7},
        {"invader3.x", 0x2cf3a6f894060e3e},
        {"missile.x", 0x8620e57a62cb3541},
        {"monolith.x", 0xc50a09194007f74f},
        {"mpowerup.x", 0x3b20144cd0fe6fb0},
        {"phantomzone.x", 0x1525e65045db11b3},
        {"shieldpowerup.x", 0x8537493789c16009},
        {"ship.x", 0xe889b6badd08b173},
        {"ship2.x", 0xfc7afda7a08a452e},
        {"shippowerup.x", 0x59d9b7c001f55fc8},
        {"spike.x", 0xd96e091475e6d870},
        {"spike2.x", 0xb722685999b79b1d},
        {"spinner.x", 0x1364c1048c98ee23},
        {"spree2.x", 0xbe1a903d9c4ae170},
        {"starpowerup.x", 0x2daa8d3a4a943a47},
        {"status.x", 0x2bce8713b3b30d82},
        {"ufo.x", 0xbd1b0543f61f186e},
        {"ufomissile.x", 0x640e57828c85f91a},
    });
}

TEST(MeshDigests, FilesOfOtherExportersReadAsRecorded) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(ROCKPILE_XFILE_SEEDS)) {
        std::ifstream in(entry.path(), std::ios::binary);
        files.emplace(entry.path().filename().string(), std::string(std::istreambuf_iterator<char>(in), {}));
    }
    ExpectDigests(files, {
        {"frames_two_materials.x", 0x4f00c08f25f51f61},
        {"hullstatus.x", 0x63ebbfe01cab2015},
        {"no_materials.x", 0x0450c62e4caccc88},
        {"one_frame_two_meshes.x", 0xe41cbe8597965487},
        {"rotated_frames_global_mesh.x", 0x5d8f729618be4882},
        {"textured_quad.x", 0x64782e3e765f9b56},
    });
}

}  // namespace
