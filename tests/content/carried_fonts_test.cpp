// The font faces the games and the launcher draw with come from the game
// library; a family or style it does not carry still comes from fontconfig.
#include <gtest/gtest.h>

#include <string>

#include "gamelib/font_face.h"
#include "gamelib/libman.h"
#include "library_fixture.h"

namespace {

class CarriedFonts : public ::testing::Test {
protected:
    void SetUp() override {
        useGameLib = 1;
        ASSERT_TRUE(library_.TryOpen(nullptr));
        theGameLib = &library_;
    }
    void TearDown() override { theGameLib = nullptr; }

    TGameLib library_{ROCKPILE_LIBRARY_FILE, nullptr};
};

TEST_F(CarriedFonts, TheGamesFamiliesAndTheLaunchersStylesComeFromTheLibrary) {
    struct Case {
        const char* family;
        bool bold, italic;
        const char* entry;
    };
    for (const Case& c : {Case{"Courier New", false, false, "fonts\\LiberationMono-Regular.ttf"},
                          Case{"Times New Roman", false, false, "fonts\\LiberationSerif-Regular.ttf"},
                          Case{"Arial", false, false, "fonts\\LiberationSans-Regular.ttf"},
                          Case{"Liberation Sans", true, false, "fonts\\LiberationSans-Bold.ttf"},
                          Case{"Liberation Sans", true, true, "fonts\\LiberationSans-BoldItalic.ttf"},
                          Case{"Liberation Sans", false, true, "fonts\\LiberationSans-Italic.ttf"}}) {
        SCOPED_TRACE(c.entry);
        FontFace* face = FontFace::Get(c.family, c.bold, c.italic);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->Source(), c.entry);
        const contentgen::Bytes& stored = contenttest::Entry(c.entry);
        EXPECT_TRUE(face->Bytes() == std::vector<uint8_t>(stored.begin(), stored.end()));
        face->SetPixelHeight(20);
        EXPECT_GT(face->TextWidth("000123"), 0);
    }
}

TEST_F(CarriedFonts, AStyleTheLibraryLacksComesFromFontconfig) {
    FontFace* bold = FontFace::Get("Courier New", true, false);
    ASSERT_NE(bold, nullptr);
    EXPECT_EQ(bold->Source().rfind("fonts\\", 0), std::string::npos) << bold->Source();
    EXPECT_NE(bold->Source().find("LiberationMono-Bold"), std::string::npos) << bold->Source();
}

}  // namespace
