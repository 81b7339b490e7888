#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "gamelib/libman.h"
#include "gamelib_lib/lib_image.h"
#include "pack_commands.h"

namespace {

namespace fs = std::filesystem;
using libtest::ReadText;

uint32_t U32At(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | uint8_t(bytes[at + i]);
    return value;
}

std::string RandomBytes(size_t size, unsigned seed) {
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = char(generator());
    return bytes;
}

class PackTool : public ::testing::Test {
protected:
    void SetUp() override {
        input_ = folder_.path() + "/in";
        fs::create_directory(input_);
        useGameLib = 1;
        logGameLibUsage = 0;
    }
    void Add(const std::string& relative, const std::string& bytes) {
        folder_.Write("in/" + relative, bytes);
        files_.emplace_back(relative, bytes);
    }
    int Create(const std::string& out) {
        err_.str("");
        return PackCreate(out, input_, err_);
    }
    std::vector<std::string> FolderNames() const {
        std::vector<std::string> names;
        for (auto& entry : fs::directory_iterator(folder_.path())) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    libtest::TempFolder folder_;
    std::string input_;
    std::vector<std::pair<std::string, std::string>> files_;
    std::ostringstream out_, err_;
};

TEST_F(PackTool, AFolderPacksListsAndExtractsByteForByte) {
    Add("sounds/fire.wav", std::string("RIFF\0\0\0\0WAVE", 12));
    Add("backs/Back3.jpg", RandomBytes(100000, 1));
    Add("empty.txt", "");
    Add("shaders/outline.txt", "vs.1.1\n");
    Add("a/b/c/deep.x", RandomBytes(333, 2));
    std::string lib = folder_.path() + "/pack.lib";
    ASSERT_EQ(Create(lib), 0) << err_.str();
    EXPECT_EQ(err_.str(), "");

    ASSERT_EQ(PackList(lib, out_, err_), 0);
    EXPECT_EQ(out_.str(),
              "a\\b\\c\\deep.x\t61444\t333\n"
              "backs\\Back3.jpg\t61777\t100000\n"
              "empty.txt\t161777\t0\n"
              "shaders\\outline.txt\t161777\t7\n"
              "sounds\\fire.wav\t161784\t12\n");
    EXPECT_EQ(fs::file_size(lib), 161796u);

    for (const auto& [relative, bytes] : files_) {
        std::string name = relative;
        std::replace(name.begin(), name.end(), '/', '\\');
        std::ostringstream extracted;
        EXPECT_EQ(PackExtract(lib, name, "", extracted, err_), 0) << name;
        EXPECT_EQ(extracted.str(), bytes) << name;
    }
    std::string out = folder_.path() + "/back.jpg";
    ASSERT_EQ(PackExtract(lib, "BACKS\\BACK3.JPG", out, out_, err_), 0);
    EXPECT_EQ(ReadText(out), files_[1].second);

    TGameLib game(lib.c_str(), nullptr);
    game.Open();
    const TLibEntry* entry = game.GetFile("Sounds\\Fire.Wav");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(entry->data), entry->length), files_[0].second);
}

TEST_F(PackTool, TheSameFolderAlwaysGivesTheSameBytesWithRunTimeWordsZero) {
    Add("b.txt", "bravo");
    Add("a.txt", "alpha");
    std::string one = folder_.path() + "/one.lib", two = folder_.path() + "/two.lib";
    ASSERT_EQ(Create(one), 0);
    fs::last_write_time(input_ + "/a.txt", fs::file_time_type::clock::now() - std::chrono::hours(5));
    ASSERT_EQ(Create(two), 0);
    std::string bytes = ReadText(one);
    EXPECT_EQ(bytes, ReadText(two));
    ASSERT_EQ(bytes.size(), 61444u + 10);
    EXPECT_EQ(U32At(bytes, 61440), 2u);
    EXPECT_EQ(bytes.substr(0, 41), "a.txt" + std::string(35, '\0') + char(0x04));  // name, then offset 61444
    for (size_t word : {44, 52, 56, 60 + 44, 60 + 52, 60 + 56}) EXPECT_EQ(U32At(bytes, word), 0u) << word;
    EXPECT_EQ(bytes.substr(120, 61440 - 120), std::string(61440 - 120, '\0'));
    EXPECT_EQ(bytes.substr(61444), "alphabravo");
}

TEST_F(PackTool, LibrariesThatCannotBeBuiltAreRefusedAndNothingIsLeft) {
    std::string lib = folder_.path() + "/pack.lib";
    folder_.Write("pack.lib", "previous library");
    Add(std::string(39, 'n'), "fits");
    ASSERT_EQ(Create(lib), 0);
    folder_.Write("pack.lib", "previous library");

    Add(std::string(40, 'n'), "too long");
    EXPECT_EQ(Create(lib), 1);
    EXPECT_NE(err_.str().find("has 40 characters; at most 39 fit"), std::string::npos) << err_.str();
    fs::remove(input_ + "/" + std::string(40, 'n'));

    for (int i = 0; i < 1024; ++i) folder_.Write("in/many/" + std::to_string(i), "");
    EXPECT_EQ(Create(lib), 1);
    EXPECT_NE(err_.str().find("1025 files; a library holds at most 1024"), std::string::npos) << err_.str();
    fs::remove_all(input_ + "/many");

    fs::resize_file(folder_.Write("in/huge.bin", ""), uint64_t(1) << 32);  // sparse: costs no disk
    EXPECT_EQ(Create(lib), 1);
    EXPECT_NE(err_.str().find("over the 4 GiB"), std::string::npos) << err_.str();

    EXPECT_EQ(ReadText(lib), "previous library");
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"in", "pack.lib"}));
    EXPECT_EQ(Create(folder_.path() + "/missing-folder/x.lib"), 1);
    EXPECT_EQ(PackCreate(lib, folder_.path() + "/no-such-dir", err_), 1);
}

TEST_F(PackTool, DamagedLibrariesAreRefusedWithTheProblemNamed) {
    for (const libtest::Damage& damage : libtest::DamagedLibraries()) {
        SCOPED_TRACE(damage.what);
        std::string lib = folder_.Write("damaged.lib", damage.image);
        std::ostringstream out, err;
        EXPECT_EQ(PackCheck(lib, out, err), 1);
        EXPECT_NE(err.str().find(damage.message), std::string::npos) << err.str();
        EXPECT_NE(err.str().find(lib), std::string::npos) << err.str();
        EXPECT_EQ(PackList(lib, out, err), 1);
        EXPECT_EQ(PackExtract(lib, "a.txt", "", out, err), 1);
        EXPECT_EQ(out.str(), "");
    }
    std::ostringstream out, err;
    EXPECT_EQ(PackCheck(folder_.path() + "/absent.lib", out, err), 1);
    EXPECT_NE(err.str().find("Error while opening game library"), std::string::npos);
}

TEST_F(PackTool, ExtractLooksNamesUpAsTheGameDoes) {
    Add("A.txt", "upper");
    Add("a.txt", "lower");
    Add("sub/x.txt", "x");
    std::string lib = folder_.path() + "/pack.lib";
    ASSERT_EQ(Create(lib), 0);
    EXPECT_NE(err_.str().find("\"a.txt\" is hidden by \"A.txt\""), std::string::npos) << err_.str();
    std::ostringstream out, err;
    ASSERT_EQ(PackExtract(lib, "a.TXT", "", out, err), 0);
    EXPECT_EQ(out.str(), "upper");
    EXPECT_EQ(PackExtract(lib, "sub/x.txt", "", out, err), 1);
    EXPECT_NE(err.str().find("no entry named \"sub/x.txt\""), std::string::npos) << err.str();
    EXPECT_EQ(PackExtract(lib, "sub\\x.txt", folder_.path() + "/none/x", out, err), 1);
}

int Shell(const std::string& command) {
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(PackTool, TheProgramRunsTheSameCommands) {
    Add("sounds/fire.wav", RandomBytes(5000, 3));
    const std::string tool = ROCKPILE_PACK_PROGRAM, dir = folder_.path();
    ASSERT_EQ(Shell(tool + " create " + dir + "/p.lib " + input_), 0);
    EXPECT_EQ(Shell(tool + " check " + dir + "/p.lib > " + dir + "/check.txt"), 0);
    EXPECT_EQ(Shell(tool + " extract " + dir + "/p.lib 'SOUNDS\\FIRE.WAV' > " + dir + "/fire.wav"), 0);
    EXPECT_EQ(ReadText(dir + "/fire.wav"), files_[0].second);
    EXPECT_EQ(Shell(tool + " extract " + dir + "/p.lib nothing 2> " + dir + "/err.txt"), 1);
    EXPECT_NE(ReadText(dir + "/err.txt").find("no entry named"), std::string::npos);
    folder_.Write("bad.lib", libtest::DamagedLibraries()[2].image);
    EXPECT_EQ(Shell(tool + " check " + dir + "/bad.lib 2> " + dir + "/err.txt"), 1);
    EXPECT_NE(ReadText(dir + "/err.txt").find("counts 1025 entries"), std::string::npos);
}

}  // namespace
