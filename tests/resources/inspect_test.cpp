#include <gtest/gtest.h>

#include <sstream>

#include "inspect_commands.h"
#include "pack_commands.h"
#include "resource_fixtures.h"
#include "sound/wav.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

const std::string kShip = XStrip(3, {XMaterial(1, 0.5f, 0, 1, "hull.bmp"), XMaterial(0, 0, 1, 0.5f)});

TEST(Inspect, DescribesAHandMadeMesh) {
    std::ostringstream out, err;
    ASSERT_EQ(InspectBytes("ship.x", Bytes(kShip), out, err), 0) << err.str();
    std::string text = out.str();
    EXPECT_NE(text.find("vertices 5\n"), std::string::npos) << text;
    EXPECT_NE(text.find("triangles 3\n"), std::string::npos);
    EXPECT_NE(text.find("subsets 2\n"), std::string::npos);
    EXPECT_NE(text.find("subset 0: 2 triangles, diffuse (1, 0.5, 0, 1)"), std::string::npos);
    EXPECT_NE(text.find("texture \"hull.bmp\" (missing)"), std::string::npos);
    EXPECT_NE(text.find("subset 1: 1 triangles, diffuse (0, 0, 1, 0.5)"), std::string::npos);
    EXPECT_NE(text.find("bounding box min (0, 0, 0) max (2, 1, 0)"), std::string::npos);
    EXPECT_NE(text.find("bounding sphere centre"), std::string::npos);
}

TEST(Inspect, FileModeFindsTexturesBesideTheMesh) {
    LooseLibrary files;
    std::filesystem::path mesh = files.Add("ship.x", kShip);
    files.Add("textures\\hull.bmp", MakeBmp(8, 4, [](int, int) { return 0xFFFFFFu; }));
    std::ostringstream out, err;
    ASSERT_EQ(RunInspectTool({mesh.string()}, out, err), 0) << err.str();
    EXPECT_NE(out.str().find("texture \"hull.bmp\" (8 x 4)"), std::string::npos) << out.str();
}

TEST(Inspect, LibraryEntryPictureAndSound) {
    LooseLibrary files;
    files.Add("content\\backs\\back3.bmp", MakeBmp(16, 8, [](int x, int) { return x ? 0x102030u : 0u; }));
    auto header = MakeWavHeader(2, 11025, 8, 4);
    files.Add("content\\boom.wav", std::string(header.begin(), header.end()) + "abcd");
    std::string lib = (files.Dir() / "game.lib").string();
    std::ostringstream out, err;
    ASSERT_EQ(PackCreate(lib, (files.Dir() / "content").string(), err), 0) << err.str();

    ASSERT_EQ(RunInspectTool({lib, "backs\\back3.bmp"}, out, err), 0) << err.str();
    EXPECT_NE(out.str().find("container BMP\nsize 16 x 8\nbits per pixel 24\n"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("texture X8R8G8B8, 5 mip levels"), std::string::npos);

    out.str("");
    ASSERT_EQ(RunInspectTool({lib, "BOOM.WAV"}, out, err), 0) << err.str();
    std::string wav = out.str();
    EXPECT_NE(wav.find("riff tag \"RIFF\""), std::string::npos) << wav;
    EXPECT_NE(wav.find("channels 2\n"), std::string::npos);
    EXPECT_NE(wav.find("samples per second 11025\n"), std::string::npos);
    EXPECT_NE(wav.find("bits per sample 8\n"), std::string::npos);
    EXPECT_NE(wav.find("data tag \"data\", data size 4\n"), std::string::npos);
    EXPECT_NE(wav.find("accepted yes"), std::string::npos);

    EXPECT_EQ(RunInspectTool({lib, "nothere.x"}, out, err), 1);
    EXPECT_NE(err.str().find("no entry named 'nothere.x'"), std::string::npos);
}

TEST(Inspect, FailuresAndUsage) {
    std::ostringstream out, err;
    EXPECT_EQ(InspectBytes("broken.x", Bytes("xof 0303txt 0032\nMesh {"), out, err), 1);
    EXPECT_EQ(InspectBytes("short.wav", Bytes("RIFF"), out, err), 1);
    EXPECT_EQ(InspectBytes("bad.jpg", Bytes("\xFF\xD8junk"), out, err), 1);
    EXPECT_EQ(RunInspectTool({"/nonexistent/file.x"}, out, err), 1);
    EXPECT_EQ(RunInspectTool({}, out, err), 2);
    EXPECT_EQ(RunInspectTool({"a", "b", "c"}, out, err), 2);
    EXPECT_NE(err.str().find("usage: rockpile-inspect"), std::string::npos);
}

}  // namespace
