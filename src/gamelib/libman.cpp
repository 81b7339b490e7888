#include "gamelib/libman.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "gamelib/memmapfile.h"
#include "platform/files.h"
#include "platform/message_box.h"

int32_t useGameLib = 0;
int32_t logGameLibUsage = 0;
TGameLib* theGameLib = nullptr;

namespace {

constexpr uint32_t kOffsetField = 40;
constexpr uint32_t kReservedField = 44;
constexpr uint32_t kLengthField = 48;

uint32_t LoadU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void StoreU32(uint32_t value, uint8_t* p) {
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(value >> (8 * i));
}

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    return text;
}

// Loose files are named like library entries; on disk the separator is '/'.
std::string ToDiskPath(const char* name) {
    std::string path = name;
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

}  // namespace

TLibEntry DecodeLibEntry(const uint8_t* record) {
    TLibEntry entry;
    std::memcpy(entry.name, record, LIB_NAME_SIZE);
    entry.offset = LoadU32(record + kOffsetField);
    entry.reserved = LoadU32(record + kReservedField);
    entry.length = LoadU32(record + kLengthField);
    return entry;
}

void EncodeLibEntry(const TLibEntry& entry, uint8_t* record) {
    std::memset(record, 0, LIB_ENTRY_SIZE);
    std::memcpy(record, entry.name, LIB_NAME_SIZE);
    StoreU32(entry.offset, record + kOffsetField);
    StoreU32(entry.reserved, record + kReservedField);
    StoreU32(entry.length, record + kLengthField);
}

int32_t DecodeLibNumEntries(const uint8_t* table) {
    return static_cast<int32_t>(LoadU32(table + LIB_NUM_ENTRIES_OFFSET));
}

void EncodeLibNumEntries(int32_t numEntries, uint8_t* table) {
    StoreU32(static_cast<uint32_t>(numEntries), table + LIB_NUM_ENTRIES_OFFSET);
}

bool LibNamesMatch(const char* a, const char* b) {
    for (;; ++a, ++b) {
        if (std::toupper(static_cast<unsigned char>(*a)) != std::toupper(static_cast<unsigned char>(*b)))
            return false;
        if (*a == '\0') return true;
    }
}

TGameLib::TGameLib(const char* libraryPath, const char* usageLogPath)
    : libraryPath(libraryPath ? libraryPath : ""), usageLogPath(usageLogPath ? usageLogPath : "") {
    Grow(LIB_BUILD_IMAGE_SIZE);
    size_ = LIB_TABLE_SIZE;
    LoadTable(buffer_);
}

TGameLib::~TGameLib() = default;

void TGameLib::Grow(uint32_t newSize) {
    if (mapFile_) return;
    if (newSize != LIB_BUILD_IMAGE_SIZE) std::printf("libman: realloc to %d\n", static_cast<int>(newSize));
    std::vector<uint8_t> image(newSize, 0);
    size_ = std::min<uint64_t>(size_, newSize);
    std::copy_n(buildImage_.begin(), std::min<uint64_t>(size_, buildImage_.size()), image.begin());
    buildImage_ = std::move(image);
    buffer_ = buildImage_.data();
}

void TGameLib::LoadTable(const uint8_t* table) {
    table_ = std::make_unique<TLibEntry[]>(MAX_LIB_TABLE_ENTRIES);
    numEntries_ = DecodeLibNumEntries(table);
    for (int i = 0; i < numEntries_; ++i) {
        table_[i] = DecodeLibEntry(table + i * LIB_ENTRY_SIZE);
        table_[i].data = buffer_ + table_[i].offset;
    }
}

void TGameLib::Close() {
    table_.reset();
    numEntries_ = 0;
    mapFile_.reset();
    buffer_ = nullptr;
    size_ = 0;
    buildImage_ = {};
}

std::string TGameLib::Validate(const uint8_t* bytes, uint64_t size) {
    if (size < LIB_TABLE_SIZE)
        return Format("the file is %llu bytes, shorter than its %u-byte table", static_cast<unsigned long long>(size),
                      LIB_TABLE_SIZE);
    int32_t count = DecodeLibNumEntries(bytes);
    if (count < 0 || count > MAX_LIB_TABLE_ENTRIES)
        return Format("the table counts %d entries; a library holds 0 to %d", count, MAX_LIB_TABLE_ENTRIES);
    for (int i = 0; i < count; ++i) {
        const uint8_t* record = bytes + i * LIB_ENTRY_SIZE;
        if (!std::memchr(record, 0, LIB_NAME_SIZE))
            return Format("entry %d has a name with no terminating NUL in its %u bytes", i, LIB_NAME_SIZE);
        TLibEntry entry = DecodeLibEntry(record);
        if (uint64_t(entry.offset) + entry.length > size)
            return Format("entry %d (\"%s\") runs past the end of the file: offset %u + length %u > %llu bytes", i,
                          entry.name, entry.offset, entry.length, static_cast<unsigned long long>(size));
    }
    return {};
}

bool TGameLib::TryOpen(std::string* problem) {
    Close();
    if (!useGameLib) return true;
    mapFile_ = std::make_unique<TMemMapFile>();
    std::string failure;
    if (!mapFile_->Open(libraryPath.c_str())) {
        failure = "Error while opening game library " + libraryPath + ": " + mapFile_->failure;
    } else if (!mapFile_->Map()) {
        failure = "Error while memory-mapping game library " + libraryPath + ": " + mapFile_->failure;
    } else {
        size_ = mapFile_->fileSize;
        buffer_ = mapFile_->view;
        std::string why = Validate(buffer_, size_);
        if (why.empty()) {
            LoadTable(buffer_);
            return true;
        }
        failure = "Damaged game library: " + why;
    }
    Close();
    if (problem) *problem = failure;
    return false;
}

void TGameLib::Open() {
    std::string problem;
    if (TryOpen(&problem)) return;
    MessageBox(problem, "Error");
    std::exit(1);
}

TLibEntry* TGameLib::GetFile(const char* name) {
    if (!name) return nullptr;
    LogUsage(name);
    if (!useGameLib) return ReadLooseFile(name);
    for (int i = 0; i < numEntries_; ++i) {
        TLibEntry& entry = table_[i];
        entry.data = buffer_ + entry.offset;
        entry.ownsData = 0;
        if (LibNamesMatch(entry.name, name)) return &entry;
    }
    return nullptr;
}

void TGameLib::ReleaseFile(TLibEntry* entry) {
    if (!entry) return;
    std::less<const TLibEntry*> before;
    bool inTable = table_ && !before(entry, table_.get()) && before(entry, table_.get() + MAX_LIB_TABLE_ENTRIES);
    if (inTable || entry->ownsData != 1) return;
    delete[] entry->data;
    delete entry;
}

void TGameLib::LogUsage(const char* name) {
    if (!logGameLibUsage || !name) return;
    std::FILE* log = std::fopen(usageLogPath.c_str(), "a");
    if (!log) {
        if (!logWarned_) std::fprintf(stderr, "libman: cannot append to usage log \"%s\"\n", usageLogPath.c_str());
        logWarned_ = true;
        return;
    }
    std::fprintf(log, "%s\n", name);
    std::fclose(log);
}

bool TGameLib::ResolvePath(const char* name, std::string& outPath) const {
    std::string relative = ToDiskPath(name);
    if (defaultPathCount == 0) {
        outPath = relative;
        return FileExists(outPath);
    }
    for (int i = 0; i < defaultPathCount && i < MAX_DEFAULT_PATHS; ++i) {
        outPath = JoinPosix(defaultPaths[i], relative);
        if (FileExists(outPath)) return true;
    }
    return false;
}

TLibEntry* TGameLib::ReadLooseFile(const char* name) {
    std::string path;
    if (!ResolvePath(name, path)) return nullptr;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return nullptr;
    std::unique_ptr<uint8_t[]> bytes;
    off_t length = -1;
    if (::fseeko(file, 0, SEEK_END) == 0) length = ::ftello(file);
    bool ok = length >= 0 && uint64_t(length) <= UINT32_MAX && ::fseeko(file, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.reset(new uint8_t[length]);
        ok = std::fread(bytes.get(), 1, length, file) == size_t(length);
    }
    std::fclose(file);
    if (!ok) return nullptr;
    auto* entry = new TLibEntry;
    entry->length = static_cast<uint32_t>(length);
    entry->data = bytes.release();
    entry->ownsData = 1;
    return entry;
}

int32_t TGameLib::NumEntries() const { return numEntries_; }

const TLibEntry* TGameLib::Entry(int index) const {
    if (index < 0 || index >= numEntries_) return nullptr;
    return &table_[index];
}

namespace {
std::unique_ptr<TGameLib> gameLibHolder;
}

void OpenGameLib(const char* libraryPath, const char* usageLogPath) {
    gameLibHolder = std::make_unique<TGameLib>(libraryPath, usageLogPath);
    theGameLib = gameLibHolder.get();
    theGameLib->Open();
}

TLibEntry* LibGetFile(const char* name) { return theGameLib ? theGameLib->GetFile(name) : nullptr; }

void LibReleaseFile(TLibEntry* entry) {
    if (theGameLib) theGameLib->ReleaseFile(entry);
}

void LibLogUsage(const char* name) {
    if (theGameLib) theGameLib->LogUsage(name);
}
