// The built library holds exactly the names the games request, and the
// generator makes the same bytes again.
#include "names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "library.h"
#include "library_fixture.h"

namespace {

using contenttest::Library;

// Written out independently of the generator's own list.
const std::vector<std::string> kRequested = {"ship.x",
                                             "ship2.x",
                                             "missile.x",
                                             "ufomissile.x",
                                             "asteroid1.x",
                                             "asteroid2.x",
                                             "asteroid3.x",
                                             "asteroid4.x",
                                             "asteroid5.x",
                                             "monolith.x",
                                             "basestar.x",
                                             "invader1.x",
                                             "invader2.x",
                                             "invader3.x",
                                             "ufo.x",
                                             "borgcube.x",
                                             "dogtoy.x",
                                             "spree2.x",
                                             "spike.x",
                                             "spike2.x",
                                             "phantomzone.x",
                                             "spinner.x",
                                             "mpowerup.x",
                                             "starpowerup.x",
                                             "hullpowerup.x",
                                             "shippowerup.x",
                                             "shieldpowerup.x",
                                             "status.x",
                                             "hullstatus.x",
                                             "textures\\fire1.jpg",
                                             "textures\\fire3.jpg",
                                             "textures\\fire6.jpg",
                                             "textures\\firetile2.jpg",
                                             "textures\\marble23.jpg",
                                             "textures\\granite11.jpg",
                                             "textures\\arctic_stone.jpg",
                                             "textures\\rust_valencia.jpg",
                                             "textures\\russet_oxide.jpg",
                                             "textures\\bluemud.jpg",
                                             "textures\\blobs.jpg",
                                             "textures\\eexplo001.bmp",
                                             "textures\\eexplo002.bmp",
                                             "textures\\eexplo003.bmp",
                                             "textures\\eexplo004.bmp",
                                             "textures\\eexplo005.bmp",
                                             "textures\\eexplo006.bmp",
                                             "textures\\eexplo007.bmp",
                                             "textures\\eexplo008.bmp",
                                             "textures\\eexplo009.bmp",
                                             "textures\\eexplo010.bmp",
                                             "textures\\eexplo011.bmp",
                                             "textures\\eexplo012.bmp",
                                             "textures\\eexplo013.bmp",
                                             "textures\\eexplo014.bmp",
                                             "textures\\eexplo015.bmp",
                                             "textures\\eexplo016.bmp",
                                             "backs\\back1.jpg",
                                             "backs\\back2.jpg",
                                             "backs\\back3.jpg",
                                             "backs\\back4.jpg",
                                             "backs\\back5.jpg",
                                             "backs\\back6.jpg",
                                             "backs\\back8.jpg",
                                             "backs\\back9.jpg",
                                             "backs\\back10.jpg",
                                             "backs\\back11.jpg",
                                             "backs\\back13.jpg",
                                             "backs\\back14.jpg",
                                             "backs\\back15.jpg",
                                             "backs\\back16.jpg",
                                             "backs\\back17.jpg",
                                             "backs\\back19.jpg",
                                             "backs\\back22.jpg",
                                             "backs\\back23.jpg",
                                             "backs\\starfield.jpg",
                                             "backs\\shardstormback1.jpg",
                                             "sounds\\thunderous hit.wav",
                                             "sounds\\explosion3.wav",
                                             "sounds\\powerup_x.wav",
                                             "sounds\\tone1.wav",
                                             "sounds\\tone2.wav",
                                             "sounds\\tone3.wav",
                                             "sounds\\tone4.wav",
                                             "sounds\\bomb7.wav",
                                             "sounds\\spinner.wav",
                                             "sounds\\phasers3.wav",
                                             "sounds\\ricochet.wav",
                                             "sounds\\borg.wav",
                                             "sounds\\uforep.wav",
                                             "carts\\marshalcart.jpg",
                                             "carts\\marshalcart2.jpg",
                                             "carts\\retrocart.jpg",
                                             "carts\\classiccart.jpg",
                                             "carts\\shardstormcart2.jpg",
                                             "shaders\\outline.txt"};

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

TEST(LibraryNames, TheRequiredListIsTheNinetyFiveRequestedNames) {
    ASSERT_EQ(kRequested.size(), 95u);
    EXPECT_EQ(content::RequiredNames(), Sorted(kRequested));
}

TEST(Generator, AnUnreadableShaderStopsIt) {
    EXPECT_THROW(content::GenerateLibrary("/nonexistent/outline.glsl"), std::runtime_error);
}

TEST(LibraryFile, TheBuiltLibraryHoldsEveryRequestedNameTheCarriedFontsAndNothingElse) {
    std::vector<std::string> expected = kRequested;
    for (const char* font : {"fonts\\LiberationSans-Regular.ttf", "fonts\\LiberationSans-Bold.ttf",
                             "fonts\\LiberationSans-Italic.ttf", "fonts\\LiberationSans-BoldItalic.ttf",
                             "fonts\\LiberationSerif-Regular.ttf", "fonts\\LiberationMono-Regular.ttf",
                             "fonts\\liberation-licence.txt"})
        expected.push_back(font);
    std::vector<std::string> names;
    for (const auto& entry : Library()) names.push_back(entry.first);
    EXPECT_EQ(names, Sorted(expected));
    EXPECT_EQ(content::LibraryNames(), Sorted(expected));
    EXPECT_NE(std::string(Library().at("fonts\\liberation-licence.txt").begin(),
                          Library().at("fonts\\liberation-licence.txt").end())
                  .find("SIL Open Font License"),
              std::string::npos);
    for (const std::string& name : names) {
        EXPECT_LE(name.size(), 39u) << name;
        EXPECT_FALSE(Library().at(name).empty()) << name;
    }
}

TEST(Generator, GeneratingAgainGivesTheBytesTheBuildPacked) {
    content::Workshop shop = content::GenerateLibrary(ROCKPILE_OUTLINE_SHADER);
    ASSERT_EQ(shop.files.size(), Library().size());
    for (const auto& [name, bytes] : shop.files) {
        auto packed = Library().find(name);
        ASSERT_NE(packed, Library().end()) << name;
        EXPECT_TRUE(packed->second == bytes) << name << " differs from the packed library";
    }
}

}  // namespace
