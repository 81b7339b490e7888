// A read-only memory mapping of a whole file.
#pragma once

#include <cstdint>
#include <string>

class TMemMapFile {
public:
    TMemMapFile() = default;
    ~TMemMapFile();
    TMemMapFile(const TMemMapFile&) = delete;
    TMemMapFile& operator=(const TMemMapFile&) = delete;

    // Opens an existing regular file for reading; false if it cannot be opened.
    bool Open(const char* path);
    // Maps the whole file read-only. An empty file maps to no view.
    bool Map();
    void Unmap();
    void Close();

    const uint8_t* view = nullptr;
    int fileHandle = -1;
    int32_t isOpen = 0;
    int32_t isMapped = 0;
    uint64_t fileSize = 0;
    // Why the last Open or Map failed, in the system's words.
    std::string failure;
};
