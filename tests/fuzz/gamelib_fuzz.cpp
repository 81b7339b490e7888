// Whole game library files: the validity check, opening through a real
// mapping, and every lookup. A library that opens must only hand out bytes
// that lie inside the file.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "gamelib/libman.h"
#include "platform/message_box.h"

namespace {

int g_file = -1;
std::string g_path;
// One manager for every input: opening releases what the previous one held.
TGameLib* g_lib = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetBatchMode(true);
    useGameLib = 1;
    logGameLibUsage = 0;
    g_file = memfd_create("fuzz.lib", 0);
    g_path = "/proc/self/fd/" + std::to_string(g_file);
    g_lib = new TGameLib(g_path.c_str(), nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FUZZ_CHECK(g_file >= 0 && ftruncate(g_file, 0) == 0);
    FUZZ_CHECK(pwrite(g_file, data, size, 0) == static_cast<ssize_t>(size));

    const bool sound = TGameLib::Validate(data, size).empty();
    TGameLib& lib = *g_lib;
    std::string problem;
    const bool opened = lib.TryOpen(&problem);
    FUZZ_CHECK(opened == sound);
    FUZZ_CHECK(opened == problem.empty());
    if (!opened) return 0;

    FUZZ_CHECK(lib.NumEntries() >= 0 && lib.NumEntries() <= MAX_LIB_TABLE_ENTRIES);
    // Lookups scan the table, so a large one is sampled.
    const int step = std::max(1, lib.NumEntries() / 64);
    for (int i = 0; i < lib.NumEntries(); i += step) {
        const TLibEntry* stored = lib.Entry(i);
        FUZZ_CHECK(stored && std::memchr(stored->name, 0, sizeof stored->name));
        const std::string name = stored->name;
        TLibEntry* found = lib.GetFile(name.c_str());
        FUZZ_CHECK(found && LibNamesMatch(found->name, name.c_str()));
        FUZZ_CHECK(uint64_t(found->offset) + found->length <= size);
        // The mapping and the file bytes agree over the whole entry.
        FUZZ_CHECK(found->length == 0 || std::memcmp(found->data, data + found->offset, found->length) == 0);
        lib.ReleaseFile(found);
    }
    FUZZ_CHECK(lib.GetFile("") == nullptr || lib.NumEntries() > 0);
    return 0;
}
