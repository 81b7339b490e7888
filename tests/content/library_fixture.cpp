#include "library_fixture.h"

#include <gtest/gtest.h>

#include "gamelib/libman.h"

namespace contenttest {

const std::map<std::string, contentgen::Bytes>& Library() {
    static const std::map<std::string, contentgen::Bytes> files = [] {
        useGameLib = 1;
        TGameLib lib(ROCKPILE_LIBRARY_FILE, nullptr);
        lib.Open();
        std::map<std::string, contentgen::Bytes> out;
        for (int i = 0; i < lib.NumEntries(); ++i) {
            std::string name = lib.Entry(i)->name;
            TLibEntry* entry = lib.GetFile(name.c_str());
            if (!entry) continue;
            out.emplace(name, contentgen::Bytes(entry->data, entry->data + entry->length));
            lib.ReleaseFile(entry);
        }
        return out;
    }();
    return files;
}

const contentgen::Bytes& Entry(const std::string& name) {
    static const contentgen::Bytes none;
    auto it = Library().find(name);
    EXPECT_NE(it, Library().end()) << name;
    return it == Library().end() ? none : it->second;
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace contenttest
