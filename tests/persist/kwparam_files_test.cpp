#include <sys/stat.h>

#include <algorithm>

#include "persist/kwparam_fixture.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> SetAsideFiles(const std::string& folder) {
    std::vector<std::string> names;
    for (auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().find(".corrupt-") != std::string::npos)
            names.push_back(entry.path().string());
    std::sort(names.begin(), names.end());
    return names;
}

int Lines(const std::string& text) { return int(std::count(text.begin(), text.end(), '\n')); }

TEST_F(ParamStoreTest, AnUnreadableFileIsSetAsideWholeAndTheKeyStartsAfresh) {
    const std::string garbage = "\x7f" "ELF\x02\x01 not a settings file\n[broken";
    Put("kwrockpile", garbage);
    ::testing::internal::CaptureStderr();
    TParamStore store;
    OpenParams("kwrockpile", "kwrockpile", store, 1);
    std::string warning = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(store.Disposition, PARAM_CREATED_NEW_KEY);
    EXPECT_EQ(Lines(warning), 1) << warning;
    EXPECT_NE(warning.find(".corrupt-"), std::string::npos) << warning;
    EXPECT_EQ(ReadParamInt(store, "shipHull", 3), 3);
    EXPECT_TRUE(CloseParams(store));

    auto aside = SetAsideFiles(root_ + "/Kestrelworks");
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(Read(aside[0]), garbage);
    EXPECT_NE(warning.find(aside[0]), std::string::npos);
    EXPECT_NE(Read(KeyFile("kwrockpile")).find("shipHull=3"), std::string::npos);
}

TEST_F(ParamStoreTest, SetAsideFilesNeverOverwriteEachOther) {
    const std::vector<std::string> damaged = {"[kwrockpile\nshipHull=5\n", std::string("[kwrockpile]\nx=1\n\0\0\0", 20),
                                              "junk"};
    ::testing::internal::CaptureStderr();
    for (const std::string& bytes : damaged) {
        Put("kwrockpile", bytes);
        TParamStore store;
        OpenParams("kwrockpile", "kwrockpile", store, 1);
        EXPECT_EQ(store.Disposition, PARAM_CREATED_NEW_KEY);
    }
    ::testing::internal::GetCapturedStderr();
    auto aside = SetAsideFiles(root_ + "/Kestrelworks");
    ASSERT_EQ(aside.size(), damaged.size());
    std::vector<std::string> kept;
    for (const std::string& file : aside) kept.push_back(Read(file));
    for (const std::string& bytes : damaged)
        EXPECT_NE(std::find(kept.begin(), kept.end(), bytes), kept.end()) << "lost: " << bytes;
}

TEST_F(ParamStoreTest, EmptyOrSectionlessFilesAreNewKeysWithNothingToSetAside) {
    for (const std::string& bytes : {std::string(), std::string("\n\n# only a comment\n"),
                                     std::string("[another]\nshipHull=9\n")}) {
        Put("kwrockpile", bytes);
        TParamStore store;
        OpenParams("kwrockpile", "kwrockpile", store, 1);
        EXPECT_EQ(store.Disposition, PARAM_CREATED_NEW_KEY);
        EXPECT_EQ(ReadParamInt(store, "shipHull", 3), 3);
        EXPECT_TRUE(CloseParams(store));
        EXPECT_NE(Read(KeyFile("kwrockpile")).find("[kwrockpile]\nshipHull=3"), std::string::npos);
    }
    EXPECT_TRUE(SetAsideFiles(root_ + "/Kestrelworks").empty());
}

TEST_F(ParamStoreTest, ATruncatedFileReadsItsWholeLinesAndKeepsTheCutOneAside) {
    const std::string cut = "[kwrockpile]\nshipHull=5\nname_0=\"Ann";
    Put("kwrockpile", cut);
    ::testing::internal::CaptureStderr();
    TParamStore store;
    OpenParams("kwrockpile", "kwrockpile", store, 1);
    std::string warning = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(store.Disposition, PARAM_OPENED_EXISTING_KEY);
    EXPECT_EQ(ReadParamInt(store, "shipHull", 3), 5);
    char name[32] = "";
    ReadParamString(store, "name_0", "default", name, sizeof(name));
    EXPECT_STREQ(name, "default");
    EXPECT_TRUE(CloseParams(store));

    auto aside = SetAsideFiles(root_ + "/Kestrelworks");
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(Read(aside[0]), cut);
    EXPECT_NE(warning.find(aside[0]), std::string::npos) << warning;
    EXPECT_EQ(Read(KeyFile("kwrockpile")), "[kwrockpile]\nshipHull=5\n");
}

TEST_F(ParamStoreTest, AnUnwritableFolderGivesDefaultsAndReportsFailedSavesOnce) {
    std::string blocker = root_ + "/not-a-folder";
    std::ofstream(blocker) << "a file where the settings folder should be";
    ::setenv("XDG_CONFIG_HOME", blocker.c_str(), 1);

    ::testing::internal::CaptureStderr();
    bool saved[2];
    for (bool& ok : saved) {
        TParamStore store;
        OpenParams("kwrockpile", "kwrockpile", store, 1);
        EXPECT_EQ(ReadParamInt(store, "shipHull", 3), 3);
        WriteParamString(store, "name_0", "Ann");
        ok = CloseParams(store);
    }
    EXPECT_STREQ(GetParamString("kwrockpile", "InstallPath", "here"), "here");
    std::string warnings = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(saved[0]);
    EXPECT_FALSE(saved[1]);
    EXPECT_EQ(Lines(warnings), 1) << warnings;
    EXPECT_FALSE(ParamStoreError().empty());
    EXPECT_FALSE(FlushParams());
    EXPECT_TRUE(ParamStoreError().empty());
    EXPECT_TRUE(FlushParams());
}

TEST_F(ParamStoreTest, AKeyNameThatIsNotAPlainFileNameIsNeverStored) {
    ::testing::internal::CaptureStderr();
    for (const char* key : {"../escape", "", ".hidden", "a/b"}) {
        TParamStore store;
        OpenParams(key, key, store, 1);
        EXPECT_EQ(ReadParamInt(store, "x", 1), 1);
        EXPECT_FALSE(CloseParams(store)) << key;
    }
    ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(fs::exists(root_ + "/escape.ini"));
    EXPECT_FALSE(fs::exists(root_ + "/Kestrelworks"));
    EXPECT_FALSE(FlushParams());
}

}  // namespace
