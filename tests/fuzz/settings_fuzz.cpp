// The settings store's profile files: whatever a file holds, opening it
// either reads it or sets it aside, and every value read survives being
// written back and read again unchanged.
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "persist/kwparam.h"

namespace {

constexpr const char* kKey = "kwfuzz";
const char* const kIntNames[] = {"difficulty", "shipHull", "enablerotation", "score_0", "score_9"};
const char* const kTextNames[] = {"name_0", "name_9", "InstallPath"};

struct Values {
    std::vector<int32_t> ints;
    std::vector<std::string> texts;
    bool operator==(const Values&) const = default;
};

Values ReadAll(TParamStore& store, int32_t intDefault, const char* textDefault) {
    Values v;
    for (const char* name : kIntNames) v.ints.push_back(ReadParamInt(store, name, intDefault));
    for (const char* name : kTextNames) {
        char text[1024];
        ReadParamString(store, name, textDefault, text, sizeof text);
        v.texts.push_back(text);
    }
    return v;
}

void RemoveFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(ParamFilePath(kKey)).parent_path(), ignored);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string root = std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string folder = root + "/rockpile-fuzz-XXXXXX";
    FUZZ_CHECK(mkdtemp(folder.data()));
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RemoveFolder();
    std::filesystem::create_directories(std::filesystem::path(ParamFilePath(kKey)).parent_path());
    std::ofstream(ParamFilePath(kKey), std::ios::binary).write(reinterpret_cast<const char*>(data), long(size));

    Values first;
    {
        TParamStore store;
        OpenParams(kKey, kKey, store, 1);
        first = ReadAll(store, 7, "default");
        // Names match without regard to case.
        FUZZ_CHECK(ReadParamInt(store, "SHIPHULL", 7) == first.ints[1]);
        CloseParams(store);
    }
    {
        TParamStore store;
        OpenParams(kKey, kKey, store, 1);
        for (size_t i = 0; i < first.ints.size(); ++i) WriteParamInt(store, kIntNames[i], first.ints[i]);
        for (size_t i = 0; i < first.texts.size(); ++i) WriteParamString(store, kTextNames[i], first.texts[i].c_str());
        FUZZ_CHECK(CloseParams(store));
    }
    TParamStore store;
    OpenParams(kKey, kKey, store, 1);
    FUZZ_CHECK(store.Disposition == PARAM_OPENED_EXISTING_KEY);
    Values second = ReadAll(store, -1, "other");
    FUZZ_CHECK(second == first);
    CloseParams(store);
    FlushParams();
    return 0;
}
