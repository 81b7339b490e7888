// Building game library files: the table of contents, then every file's bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct LibrarySource {
    std::string name;  // the entry name: relative path with '\' separators
    std::string path;  // where the bytes are read from
    uint64_t size = 0;
};

// Every regular file under `dir`, sorted by entry name.
bool CollectLibrarySources(const std::string& dir, std::vector<LibrarySource>& sources, std::string& error);
// Empty when the sources fit in one library, else the reason they do not.
std::string CheckLibraryLimits(const std::vector<LibrarySource>& sources);
// Writes the library atomically: on failure `outPath` is as it was before.
// The same sources always give the same bytes.
bool WriteLibrary(const std::string& outPath, const std::vector<LibrarySource>& sources, std::string& error);
