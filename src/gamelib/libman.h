// The game library: one packed file of named resources, mapped read-only.
// Lookups return records whose `data` points straight into the mapping; in
// loose-file mode records own a copy of a file read from disk.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TMemMapFile;

constexpr int MAX_LIB_TABLE_ENTRIES = 1024;
constexpr int MAX_DEFAULT_PATHS = 16;
constexpr uint32_t LIB_ENTRY_SIZE = 60;  // bytes per table record on disk
constexpr uint32_t LIB_TABLE_SIZE = MAX_LIB_TABLE_ENTRIES * LIB_ENTRY_SIZE + 4;  // 61,444
constexpr uint32_t LIB_NAME_SIZE = 40;   // NUL included, so names of at most 39 bytes
constexpr uint32_t LIB_NUM_ENTRIES_OFFSET = MAX_LIB_TABLE_ENTRIES * LIB_ENTRY_SIZE;
constexpr uint32_t LIB_BUILD_IMAGE_SIZE = 1048576;

// One resource. On disk: name[40], offset, reserved, length, two run-time
// words; in memory the run-time words are a pointer and an ownership flag.
struct TLibEntry {
    char name[40] = {};
    uint32_t offset = 0;
    uint32_t reserved = 0;
    uint32_t length = 0;
    const uint8_t* data = nullptr;
    int32_t ownsData = 0;
};

// The on-disk record (little-endian) to and from memory. Decoding leaves the
// run-time words empty; encoding writes them as zero. A decoded name is only
// terminated if the record's 40 bytes hold a NUL (Validate checks that).
TLibEntry DecodeLibEntry(const uint8_t* record);
void EncodeLibEntry(const TLibEntry& entry, uint8_t* record);
int32_t DecodeLibNumEntries(const uint8_t* table);
void EncodeLibNumEntries(int32_t numEntries, uint8_t* table);

// Name comparison of the library: whole texts, each byte through toupper.
bool LibNamesMatch(const char* a, const char* b);

// 1: resources come from the library; 0: from loose files.
extern int32_t useGameLib;
// 1: every requested name is appended to the usage log.
extern int32_t logGameLibUsage;

class TGameLib {
public:
    TGameLib(const char* libraryPath, const char* usageLogPath);
    ~TGameLib();
    TGameLib(const TGameLib&) = delete;
    TGameLib& operator=(const TGameLib&) = delete;

    // Maps the library (when useGameLib is 1). A library that cannot be
    // opened, mapped or trusted shows a message captioned "Error" and ends
    // the program with status 1.
    void Open();
    // Open without ending the program: false with the message Open would show.
    bool TryOpen(std::string* problem);
    void Close();
    // Same checks as Open, without exiting: empty string when the library is
    // sound, else the problem in words.
    static std::string Validate(const uint8_t* bytes, uint64_t size);

    TLibEntry* GetFile(const char* name);
    void ReleaseFile(TLibEntry* entry);
    void LogUsage(const char* name);
    bool ResolvePath(const char* name, std::string& outPath) const;
    TLibEntry* ReadLooseFile(const char* name);
    // Resizes the build image (zero-filled, keeping its used bytes); only
    // before a library is opened.
    void Grow(uint32_t newSize);

    int32_t NumEntries() const;
    const TLibEntry* Entry(int index) const;

    std::string libraryPath;
    std::string usageLogPath;
    std::string defaultPaths[MAX_DEFAULT_PATHS];
    int defaultPathCount = 0;

private:
    void LoadTable(const uint8_t* table);

    const uint8_t* buffer_ = nullptr;
    uint64_t size_ = 0;
    std::vector<uint8_t> buildImage_;  // an empty table until a library is opened
    std::unique_ptr<TLibEntry[]> table_;
    int32_t numEntries_ = 0;
    std::unique_ptr<TMemMapFile> mapFile_;
    bool logWarned_ = false;
};

extern TGameLib* theGameLib;

void OpenGameLib(const char* libraryPath, const char* usageLogPath);
TLibEntry* LibGetFile(const char* name);
void LibReleaseFile(TLibEntry* entry);
void LibLogUsage(const char* name);
