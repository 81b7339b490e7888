// Strict reading of .x text: what is read, what is passed over, what is refused and why.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "gamelib/xfile.h"

namespace {

const char* const kHeader = "xof 0303txt 0032\n";
const char* const kRed = "Material red { 1;0;0;1;; 2.0; 1;1;1;; 0;0;0;; TextureFilename { \"rock.jpg\"; } }\n";

// A quad in a frame, with normals, texture coordinates and `list` as its
// material list's children; `faceMaterials` is the list's index part.
std::string Quad(const std::string& list, const std::string& faceMaterials = "1; 0;;", const std::string& extra = "") {
    return std::string(kHeader) + kRed +
           "Frame f {\n FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 2,0,0,1;; }\n"
           " Mesh quad {\n  4; -1;1;0;, 1;1;0;, 1;-1;0;, -1;-1;0;;\n  2; 3;0,1,2;, 3;0,2,3;;\n"
           "  MeshNormals { 1; 0;0;-1;; 2; 3;0,0,0;, 3;0,0,0;; }\n"
           "  MeshTextureCoords { 4; 0;0;, 1;0;, 1;1;, 0;1;; }\n" +
           extra + "  MeshMaterialList { 1; " + faceMaterials + "\n" + list + "  }\n }\n}\n";
}

std::optional<XFileMesh> Parse(const std::string& text) {
    return ParseXFile(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

bool SameMesh(const XFileMesh& a, const XFileMesh& b) {
    return a.vertices.size() == b.vertices.size() &&
           std::memcmp(a.vertices.data(), b.vertices.data(), a.vertices.size() * sizeof(MeshVertex)) == 0 &&
           a.indices == b.indices && a.attributes == b.attributes && a.textureNames == b.textureNames &&
           a.materials.size() == b.materials.size() &&
           std::memcmp(a.materials.data(), b.materials.data(), a.materials.size() * sizeof(D3DMATERIAL9)) == 0;
}

TEST(XFileText, FrameTransformTextureAndReferencedMaterialAreKept) {
    const auto mesh = Parse(Quad("   {red}\n"));
    ASSERT_TRUE(mesh.has_value());
    EXPECT_FLOAT_EQ(mesh->vertices[0].x, 1.0f);
    EXPECT_EQ(mesh->textureNames, std::vector<std::string>{"rock.jpg"});
    EXPECT_FLOAT_EQ(mesh->materials[0].Diffuse.r, 1.0f);
    EXPECT_EQ(mesh->materials[0].Power, 2.0f);
}

TEST(XFileText, ObjectsMeshesDoNotUseAreLeftOut) {
    const std::string others =
        "  VertexDuplicationIndices { 4; 4; 0,1,2,3;; }\n"
        "  MeshVertexColors { 1; 0; 1;0;0;1;;; }\n"
        "  SkinWeights { \"bone\"; 1; 0; 1.0; 1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1;; }\n";
    std::string text = Quad("   {red}\n", "1; 0;;", others);
    text.insert(std::strlen(kHeader),
                "template Mesh { <3D82AB44-62DA-11cf-AB39-0020AF71E433> DWORD nVertices; array Vector "
                "vertices[nVertices]; [...] }\nHeader { 1; 0; 1; }\n// a comment\n# another\n");
    text += "AnimTicksPerSecond { 24; }\nAnimationSet walk { Animation { {f} AnimationKey { 0; 1; 0; 4; 1;0;0;0;;; } } }\n";
    auto with = Parse(text), without = Parse(Quad("   {red}\n"));
    ASSERT_TRUE(with && without);
    EXPECT_TRUE(SameMesh(*with, *without));
}

TEST(XFileText, MaterialReferencesResolveWhereverTheMaterialStands) {
    std::string later = Quad("   {red}\n");
    later.erase(std::strlen(kHeader), std::strlen(kRed));
    later += kRed;
    EXPECT_TRUE(Parse(later).has_value());
    EXPECT_TRUE(Parse(Quad("   { red <00000000-0000-0000-0000-000000000000> }\n")).has_value());
    EXPECT_FALSE(Parse(Quad("   {blue}\n")).has_value());
    EXPECT_FALSE(Parse(Quad("   { <00000000-0000-0000-0000-000000000000> }\n")).has_value());
    EXPECT_FALSE(Parse(Quad("   {}\n")).has_value());
}

TEST(XFileText, OneMaterialIndexServesEveryFace) {
    const std::string two = "   {red}\n   Material { 0;0;1;1;; 1.0; 0;0;0;; 0;0;0;; }\n";
    auto one = Parse(Quad(two, "1; 1;;"));
    ASSERT_TRUE(one.has_value());
    EXPECT_EQ(one->attributes, (std::vector<uint32_t>{1, 1}));
    auto each = Parse(Quad(two, "2; 1,0;;"));
    ASSERT_TRUE(each.has_value());
    EXPECT_EQ(each->attributes.size(), 2u);
    EXPECT_NE(each->attributes[0], each->attributes[1]);
    EXPECT_FALSE(Parse(Quad(two, "3; 1,0,0;;")).has_value());
    EXPECT_FALSE(Parse(Quad(two, "0; ;")).has_value());
}

TEST(XFileText, NormalsAndTextureCoordinatesMustMatchTheMesh) {
    const std::string good = Quad("   {red}\n");
    ASSERT_TRUE(Parse(good).has_value());
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    EXPECT_FALSE(Parse(replaced("2; 3;0,0,0;, 3;0,0,0;; }", "1; 3;0,0,0;; }")).has_value());
    EXPECT_FALSE(Parse(replaced("2; 3;0,0,0;, 3;0,0,0;; }", "2; 3;0,0,0;, 4;0,0,0,0;; }")).has_value());
    EXPECT_FALSE(Parse(replaced("3;0,0,0;; }", "3;0,0,1;; }")).has_value());
    EXPECT_FALSE(Parse(replaced("4; 0;0;, 1;0;, 1;1;, 0;1;;", "3; 0;0;, 1;0;, 1;1;;")).has_value());
}

TEST(XFileText, NumbersMustBeFiniteFloats) {
    const std::string good = Quad("   {red}\n");
    for (const char* number : {"1e-3", "-.5", "7", "2.", "-3.25E+2", "1e38", "0e-38"}) {
        std::string text = good;
        text.replace(text.find("-1;1;0;"), 2, number);
        EXPECT_TRUE(Parse(text).has_value()) << number;
    }
    for (const char* number : {"1e39", "nan", "inf", "1.0.0", "0x10", "+1", "1e", "-0.e80000", "0e039", "1e+", "one"}) {
        std::string text = good;
        text.replace(text.find("-1;1;0;"), 2, number);
        EXPECT_FALSE(Parse(text).has_value()) << number;
    }
}

TEST(XFileText, TextureNamesAndStrings) {
    auto withTexture = [](const std::string& name) {
        std::string text = Quad("   {red}\n");
        text.replace(text.find("\"rock.jpg\""), 10, name);
        return Parse(text);
    };
    auto path = withTexture("\"maps\\\\rock-2.jpg\"");
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(path->textureNames[0], "maps\\rock-2.jpg");  // a doubled '\\' reads as one
    for (const char* bad : {"\"a b.jpg\"", "\"\"", "\"a;b\"", "\"a//b\"", "\"rock.jpg", "\"rock\n.jpg\"", "rock.jpg"})
        EXPECT_FALSE(withTexture(bad).has_value()) << bad;
    EXPECT_FALSE(withTexture("\"" + std::string(256, 'a') + "\"").has_value());
}

TEST(XFileText, FramesNestToALimit) {
    auto nested = [](int depth) {
        std::string text = kHeader;
        for (int i = 0; i < depth; ++i) text += "Frame {\n";
        text += "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }\n";
        for (int i = 0; i < depth; ++i) text += "}\n";
        return Parse(text);
    };
    EXPECT_TRUE(nested(0).has_value());
    EXPECT_TRUE(nested(32).has_value());
    EXPECT_FALSE(nested(33).has_value());
}

TEST(XFileText, UnclosedOrStrayStructureIsRefused) {
    const std::string good = Quad("   {red}\n");
    EXPECT_FALSE(Parse(good.substr(0, good.size() - 2)).has_value());
    EXPECT_FALSE(Parse(good + "}\n").has_value());
    EXPECT_FALSE(Parse(good + "Frame { 5 }\n").has_value());
    EXPECT_FALSE(Parse(good + "Frame a b { }\n").has_value());
    EXPECT_FALSE(Parse(good + "Mesh { <1-2 }\n").has_value());
    // Only frames and meshes at any depth make a scene.
    EXPECT_FALSE(Parse(std::string(kHeader) + kRed).has_value());
}

TEST(XFileText, TheReasonNamesWhereReadingStopped) {
    auto why = [](const std::string& text) {
        std::string reason;
        EXPECT_FALSE(ParseXFile(reinterpret_cast<const uint8_t*>(text.data()), text.size(), &reason));
        return reason;
    };
    const std::string text = "xof 0303txt 0032\nMesh {\n 3; 0;0;0;, 1;0;0;, 0;1;0;;\n 1;\n 3;0,1,7;;\n}\n";
    EXPECT_EQ(why(text), "damaged at line 5");
    std::string whole = text;
    whole.replace(whole.find("0,1,7"), 5, "0,1,2");
    ASSERT_TRUE(Parse(whole));
    EXPECT_EQ(why(whole.substr(0, whole.size() - 3)), "it ends inside an object");
    EXPECT_EQ(why("xof 0303bin 0032"), "not a text .x file");
    EXPECT_EQ(why(std::string(kHeader) + kRed), "it holds no mesh");
    EXPECT_EQ(why(Quad("\n\n   {blue}\n")), "the material reference 'blue' names no material at line 13");
}

// A reference costs a few bytes in the file but a whole material in the
// mesh, so the materials of a file have a limit.
TEST(XFileText, ReferencesCannotMultiplyTheTextWithoutBound) {
    std::string many;
    for (int i = 0; i < 200; ++i) many += "{red}";
    std::string meshes = std::string(kHeader) + kRed;
    const std::string quad = Quad(many).substr(std::strlen(kHeader) + std::strlen(kRed));
    for (int i = 0; i < 5; ++i) meshes += quad;
    EXPECT_TRUE(Parse(meshes).has_value());
    meshes += quad;
    std::string why;
    EXPECT_FALSE(ParseXFile(reinterpret_cast<const uint8_t*>(meshes.data()), meshes.size(), &why));
    EXPECT_EQ(why.rfind("more materials than 256 in a list or 1024 in the file at line ", 0), 0u) << why;
}

}  // namespace
