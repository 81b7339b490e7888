// A private $XDG_CONFIG_HOME for parameter store tests.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "persist/kwparam.h"

class ParamStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/rockpile-params-XXXXXX";
        root_ = ::mkdtemp(pattern);
        const char* old = std::getenv("XDG_CONFIG_HOME");
        hadConfigHome_ = old != nullptr;
        if (old) oldConfigHome_ = old;
        ::setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
        FlushParams();
    }
    void TearDown() override {
        if (hadConfigHome_)
            ::setenv("XDG_CONFIG_HOME", oldConfigHome_.c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        std::filesystem::remove_all(root_);
        FlushParams();
    }
    std::string KeyFile(const std::string& key) const { return root_ + "/Kestrelworks/" + key + ".ini"; }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void Put(const std::string& key, const std::string& bytes) const {
        std::filesystem::create_directories(root_ + "/Kestrelworks");
        std::ofstream(KeyFile(key), std::ios::binary) << bytes;
    }
    std::string root_;

private:
    bool hadConfigHome_ = false;
    std::string oldConfigHome_;
};
