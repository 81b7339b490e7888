#include "lib_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>

#include "gamelib/libman.h"
#include "platform/files.h"

namespace fs = std::filesystem;

namespace {

// Every offset and end must fit in the table's 32-bit words.
constexpr uint64_t kMaxLibraryBytes = UINT32_MAX;

std::string EntryName(const fs::path& relative) {
    std::string name = relative.generic_string();
    std::replace(name.begin(), name.end(), '/', '\\');
    return name;
}

// Appends exactly `source.size` bytes of the source file to `fd`.
bool CopyInto(int fd, const LibrarySource& source, std::string* error) {
    int in = ::open(source.path.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        *error = "cannot read " + source.path + ": " + std::strerror(errno);
        return false;
    }
    constexpr size_t kChunk = 1 << 20;
    auto chunk = std::make_unique<char[]>(kChunk);
    std::string problem;
    uint64_t copied = 0;
    for (;;) {
        ssize_t n = ::read(in, chunk.get(), kChunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) problem = "cannot read " + source.path + ": " + std::strerror(errno);
        if (n <= 0) break;
        copied += uint64_t(n);
        if (copied > source.size) break;
        if (!WriteAll(fd, chunk.get(), size_t(n))) {
            problem = std::string("cannot write the library: ") + std::strerror(errno);
            break;
        }
    }
    ::close(in);
    if (problem.empty() && copied != source.size) problem = source.path + " changed while it was packed";
    if (!problem.empty()) *error = problem;
    return problem.empty();
}

}  // namespace

bool CollectLibrarySources(const std::string& dir, std::vector<LibrarySource>& sources, std::string& error) {
    sources.clear();
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) {
        error = dir + " is not a folder";
        return false;
    }
    fs::recursive_directory_iterator it(dir, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        uint64_t size = it->file_size(ec);
        if (ec) break;
        sources.push_back({EntryName(it->path().lexically_relative(dir)), it->path().string(), size});
    }
    if (ec) {
        error = "cannot list " + dir + ": " + ec.message();
        return false;
    }
    std::sort(sources.begin(), sources.end(),
              [](const LibrarySource& a, const LibrarySource& b) { return a.name < b.name; });
    return true;
}

std::string CheckLibraryLimits(const std::vector<LibrarySource>& sources) {
    if (sources.size() > size_t(MAX_LIB_TABLE_ENTRIES))
        return std::to_string(sources.size()) + " files; a library holds at most " +
               std::to_string(MAX_LIB_TABLE_ENTRIES);
    uint64_t total = LIB_TABLE_SIZE;
    for (const LibrarySource& source : sources) {
        if (source.name.size() >= LIB_NAME_SIZE)
            return "the name \"" + source.name + "\" has " + std::to_string(source.name.size()) +
                   " characters; at most " + std::to_string(LIB_NAME_SIZE - 1) + " fit";
        total += source.size;
    }
    if (total > kMaxLibraryBytes)
        return "the library would be " + std::to_string(total) + " bytes, over the 4 GiB (" +
               std::to_string(kMaxLibraryBytes) + " bytes) its table can address";
    return {};
}

bool WriteLibrary(const std::string& outPath, const std::vector<LibrarySource>& sources, std::string& error) {
    error = CheckLibraryLimits(sources);
    if (!error.empty()) return false;
    std::vector<uint8_t> table(LIB_TABLE_SIZE, 0);
    uint64_t offset = LIB_TABLE_SIZE;
    for (size_t i = 0; i < sources.size(); ++i) {
        TLibEntry entry;
        std::memcpy(entry.name, sources[i].name.data(), sources[i].name.size());
        entry.offset = uint32_t(offset);
        entry.length = uint32_t(sources[i].size);
        EncodeLibEntry(entry, &table[i * LIB_ENTRY_SIZE]);
        offset += sources[i].size;
    }
    EncodeLibNumEntries(int32_t(sources.size()), table.data());
    auto write = [&](int fd, std::string* writeError) {
        if (!WriteAll(fd, table.data(), table.size())) {
            *writeError = "cannot write " + outPath + ": " + std::strerror(errno);
            return false;
        }
        return std::all_of(sources.begin(), sources.end(),
                           [&](const LibrarySource& source) { return CopyInto(fd, source, writeError); });
    };
    return AtomicWriteFileWith(outPath, write, &error, 0644);
}
