// Damaged .x files are refused before any mesh is built. Each case is one
// that fuzzing found crashing, stopping, stalling or asking for gigabytes in
// the library that once built meshes here: a material list without a
// material, faces without corners, a count of -1, a NUL byte, a stray comma,
// a face naming a missing material.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gamelib/xfile.h"

namespace {

std::string Quad(const std::string& materialList) {
    return "xof 0303txt 0032\n"
           "Mesh quad {\n 4; -1;1;0;, 1;1;0;, 1;-1;0;, -1;-1;0;;\n 1; 4;0,1,2,3;;\n"
           " MeshMaterialList {\n  1; 1; 0;;\n" +
           materialList + " }\n}\n";
}

bool Parses(const std::string& text) {
    return ParseXFile(reinterpret_cast<const uint8_t*>(text.data()), text.size()).has_value();
}

const char* const kMaterial = "  Material { 1;0;0;1;; 2.0; 1;1;1;; 0;0;0;; }\n";

TEST(XFileLimits, AMaterialListMustHoldAMaterialOrAReference) {
    EXPECT_TRUE(Parses(Quad(kMaterial)));
    EXPECT_TRUE(Parses(Quad("  Material red { 1;0;0;1;; 2.0; 1;1;1;; 0;0;0;; }\n")));
    EXPECT_FALSE(Parses(Quad("")));
    EXPECT_FALSE(Parses(Quad("  Materialx { 1;0;0;1;; 2.0; 1;1;1;; 0;0;0;; }\n")));
    // Neither a comment naming a material nor an unknown object named "Material".
    EXPECT_FALSE(Parses(Quad("  # Material\n  // Material { }\n")));
    EXPECT_FALSE(Parses(Quad("  TextureFilename Material { \"a.jpg\"; }\n")));
    // A quote does not start a string that could hide the list from the check.
    EXPECT_FALSE(Parses("xof 0303txt 0032\n\" {\n" + Quad("").substr(17)));
    EXPECT_TRUE(Parses(Quad("  TextureFilename { \"a.jpg\"; }\n" + std::string(kMaterial))));
}

// A face naming a material past the list's last one made the importer read
// a size from memory it did not own and ask for gigabytes.
TEST(XFileLimits, FacesMustNameMaterialsOfTheList) {
    const std::string two = std::string(kMaterial) + "  {red}\n";
    auto faceNames = [&](const std::string& materials, const char* index) {
        std::string text = Quad(materials);
        text.replace(text.find("1; 1; 0;;"), 9, std::string("1; 1; ") + index + ";;");
        return Parses("xof 0303txt 0032\nMaterial red { 1;0;0;1;; 2.0; 1;1;1;; 0;0;0;; }\n" + text.substr(17));
    };
    EXPECT_TRUE(faceNames(kMaterial, "0"));
    EXPECT_FALSE(faceNames(kMaterial, "1"));
    EXPECT_TRUE(faceNames(two, "1"));
    EXPECT_FALSE(faceNames(two, "2"));
    EXPECT_FALSE(faceNames(kMaterial, "-1"));
}

// A ',' among the list's children once made the importer skip past the
// list's end and lose its materials; it now only separates, as elsewhere.
TEST(XFileLimits, AStrayCommaAmongTheMaterialsKeepsThem) {
    for (const std::string& list : {std::string(" ;,") + kMaterial, std::string(kMaterial) + " ,\n"}) {
        const std::string text = Quad(list);
        auto mesh = ParseXFile(reinterpret_cast<const uint8_t*>(text.data()), text.size());
        ASSERT_TRUE(mesh.has_value()) << list;
        ASSERT_EQ(mesh->materials.size(), 1u);
        EXPECT_FLOAT_EQ(mesh->materials[0].Diffuse.r, 1.0f);
    }
}

TEST(XFileLimits, AReferenceToANamedMaterialCounts) {
    const std::string named = "xof 0303txt 0032\nMaterial red { 1;0;0;1;; 2.0; 1;1;1;; 0;0;0;; }\n" +
                              Quad("  {red}\n").substr(17);
    auto mesh = ParseXFile(reinterpret_cast<const uint8_t*>(named.data()), named.size());
    ASSERT_TRUE(mesh.has_value());
    ASSERT_EQ(mesh->materials.size(), 1u);
    EXPECT_FLOAT_EQ(mesh->materials[0].Diffuse.r, 1.0f);
}

// A face of no corners among triangles stopped the importer's triangulation
// with a failed assertion.
TEST(XFileLimits, FacesNeedThreeCornersOfExistingVertices) {
    std::string faces = Quad(kMaterial);
    ASSERT_TRUE(Parses(faces));
    const std::string quad = "4;0,1,2,3;;";
    for (const char* bad : {"0;;", "2;0,1;;", "4;0,1,2,4;;", "3;0,1,x;;"}) {
        std::string text = faces;
        text.replace(text.find(quad), quad.size(), bad);
        EXPECT_FALSE(Parses(text)) << bad;
    }
}

// A normal count of -1 made the importer ask for 48 GB.
TEST(XFileLimits, CountsMustBeHeldByTheFile) {
    const std::string normals = "  MeshNormals {\n   1; 0;0;-1;;\n   1; 4;0,0,0,0;;\n  }\n";
    const std::string quad = Quad(kMaterial);
    const size_t at = quad.find(" MeshMaterialList");
    EXPECT_TRUE(Parses(quad.substr(0, at) + normals + quad.substr(at)));
    for (const char* count : {"-1", "99999", "1.0"}) {
        std::string bad = normals;
        bad.replace(bad.find("1; 0;0"), 1, count);
        EXPECT_FALSE(Parses(quad.substr(0, at) + bad + quad.substr(at))) << count;
    }
    std::string coords = quad.substr(0, at) + "  MeshTextureCoords { 4000000000; 0;0;, 1;0;, 1;1;, 0;1;; }\n" +
                         quad.substr(at);
    EXPECT_FALSE(Parses(coords));
}

// A mesh of no faces crashed the importer: here a vertex of four
// coordinates, whose last one it reads as the face count.
TEST(XFileLimits, AMeshNeedsFaces) {
    std::string text = Quad(kMaterial);
    text.replace(text.find("-1;-1;0;;"), 9, "-1;-1;0;,0;;");
    EXPECT_FALSE(Parses(text));
}

// A NUL once stalled the scan; one inside a material hid the material from
// the importer, which then crashed on the empty list.
TEST(XFileLimits, TextWithANulByteIsRefused) {
    const std::string quad = Quad(kMaterial);
    for (const char* where : {"Mesh quad", "Material {", "2.0;"}) {
        std::string text = quad;
        text.insert(text.find(where) + 4, 1, '\0');
        EXPECT_FALSE(Parses(text)) << where;
    }
}

// Polygons become fans of triangles around their first corner; a miscounted
// polygon once stopped the program.
TEST(XFileLimits, PolygonsBecomeFansOfTriangles) {
    std::string text = Quad(kMaterial);
    auto quad = ParseXFile(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    ASSERT_TRUE(quad.has_value());
    EXPECT_EQ(quad->indices.size(), 6u);
    EXPECT_EQ(quad->attributes, (std::vector<uint32_t>{0, 0}));
    EXPECT_EQ(quad->vertices.size(), 4u);
    // Both triangles share the first corner and the quad's diagonal.
    EXPECT_EQ(quad->indices[0], quad->indices[3]);
    EXPECT_EQ(quad->indices[2], quad->indices[4]);

    text.replace(text.find(" 4; -1;1;0;,"), 12, " 5; 0;2;0;, -1;1;0;,");
    text.replace(text.find("4;0,1,2,3;;"), 11, "5;0,1,2,3,4;;");
    auto pentagon = ParseXFile(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    ASSERT_TRUE(pentagon.has_value());
    EXPECT_EQ(pentagon->indices.size(), 9u);
    EXPECT_EQ(pentagon->attributes.size(), 3u);
}

TEST(XFileLimits, OnlyTheTextFormatIsRead) {
    std::string text = Quad(kMaterial);
    ASSERT_TRUE(Parses(text));
    for (const char* format : {"bin ", "tzip", "bzip"}) {
        text.replace(8, 4, format);
        EXPECT_FALSE(Parses(text)) << format;
    }
    EXPECT_FALSE(Parses("xof 0303txt"));
}

}  // namespace
