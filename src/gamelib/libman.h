// The game library: one packed file of named resources, mapped read-only.
// Lookups return records whose `data` points straight into the mapping; in
// loose-file mode records own a copy of a file read from disk.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class TMemMapFile;

constexpr int MAX_LIB_TABLE_ENTRIES = 1024;
constexpr int MAX_DEFAULT_PATHS = 16;
constexpr uint32_t LIB_ENTRY_SIZE = 60;  // bytes per table record on disk
constexpr uint32_t LIB_TABLE_SIZE = MAX_LIB_TABLE_ENTRIES * LIB_ENTRY_SIZE + 4;  // 61,444

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
    void Close();
    // Same checks as Open, without exiting: empty string when the library is
    // sound, else the problem in words.
    static std::string Validate(const uint8_t* bytes, uint64_t size);

    TLibEntry* GetFile(const char* name);
    void ReleaseFile(TLibEntry* entry);
    void LogUsage(const char* name);
    bool ResolvePath(const char* name, std::string& outPath) const;
    TLibEntry* ReadLooseFile(const char* name);

    int32_t NumEntries() const;
    const TLibEntry* Entry(int index) const;

    std::string libraryPath;
    std::string usageLogPath;
    std::string defaultPaths[MAX_DEFAULT_PATHS];
    int defaultPathCount = 0;

private:
    const uint8_t* buffer_ = nullptr;
    uint64_t size_ = 0;
    std::unique_ptr<TLibEntry[]> table_;
    int32_t numEntries_ = 0;
    std::unique_ptr<TMemMapFile> mapFile_;
};

extern TGameLib* theGameLib;

void OpenGameLib(const char* libraryPath, const char* usageLogPath);
TLibEntry* LibGetFile(const char* name);
void LibReleaseFile(TLibEntry* entry);
void LibLogUsage(const char* name);
