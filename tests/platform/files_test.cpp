#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/files.h"
#include "scratch_folder.h"

namespace {

using FilesTest = ScratchFolderTest;

TEST_F(FilesTest, AtomicWriteReplacesTheWholeFileAndLeavesNoTemporary) {
    std::string path = JoinPosix(dir_, "store.ini");
    ASSERT_TRUE(AtomicWriteFile(path, "old contents"));
    ASSERT_TRUE(AtomicWriteFile(path, "new"));
    auto bytes = ReadWholeFile(path);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), "new");
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir_)) ++files, (void)e;
    EXPECT_EQ(files, 1);
}

TEST_F(FilesTest, AtomicWriteIntoAnUnwritableFolderFailsAndKeepsTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
    std::string path = JoinPosix(dir_, "store.ini");
    ASSERT_TRUE(AtomicWriteFile(path, "old"));
    ::chmod(dir_.c_str(), 0500);
    std::string error;
    EXPECT_FALSE(AtomicWriteFile(path, "new", &error));
    EXPECT_FALSE(error.empty());
    ::chmod(dir_.c_str(), 0700);
    auto bytes = ReadWholeFile(path);
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), "old");
}

TEST_F(FilesTest, ReadWholeFileTakesRegularFilesUpToALimit) {
    const std::string path = JoinPosix(dir_, "data");
    ASSERT_TRUE(AtomicWriteFile(path, std::string(100000, 'x')));
    auto whole = ReadWholeFile(path);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->size(), 100000u);
    EXPECT_TRUE(ReadWholeFile(path, 100000));
    EXPECT_FALSE(ReadWholeFile(path, 99999));
    EXPECT_FALSE(ReadWholeFile(dir_));  // a folder fails cleanly rather than throwing
    EXPECT_FALSE(ReadWholeFile(JoinPosix(dir_, "missing")));
    ASSERT_TRUE(AtomicWriteFile(path, ""));
    auto empty = ReadWholeFile(path);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());
}

TEST_F(FilesTest, MakeDirectoriesCreatesParents) {
    std::string deep = JoinPosix(dir_, "a/b/c");
    EXPECT_TRUE(MakeDirectories(deep));
    EXPECT_TRUE(std::filesystem::is_directory(deep));
    EXPECT_EQ(DirectoryOf(JoinPosix(deep, "f.ini")), deep);
}

TEST(Paths, ConfigHomeFollowsXdgThenHome) {
    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    ::setenv("XDG_CONFIG_HOME", "/x/config", 1);
    EXPECT_EQ(ConfigHome(), "/x/config");
    ::setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
    ::setenv("HOME", "/home/p", 1);
    EXPECT_EQ(ConfigHome(), "/home/p/.config");
    // Without HOME: the account's home folder, not a shared one such as /tmp.
    ::unsetenv("HOME");
    const passwd* account = ::getpwuid(::getuid());
    ASSERT_NE(account, nullptr);
    EXPECT_EQ(ConfigHome(), JoinPosix(account->pw_dir, ".config"));
    ::unsetenv("XDG_CONFIG_HOME");
    if (home) ::setenv("HOME", savedHome.c_str(), 1);
}

}  // namespace
