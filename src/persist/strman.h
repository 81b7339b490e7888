// Tables of fixed-size records keyed by name: hashed bucket chains, records
// carved from chunks by a free-list allocator.
#pragma once

#include <cstddef>
#include <cstdint>

class TStringManager;

// The header every record of a TStringManager starts with. Records are plain
// data: they are zero-filled blocks of the manager's entry size.
struct TStringEntry {
    char* key;
    TStringEntry* next;
    TStringEntry* iterationNext;
    uint32_t tag;
    uint32_t referenceCount;
    uint32_t reserved;
    TStringManager* owner;
};

class TStringFreeList {
public:
    TStringFreeList() = default;
    virtual ~TStringFreeList();
    virtual void Lock() {}
    virtual void Unlock() {}
    void* Alloc(size_t entrySize, size_t perChunk);
    void Free(void* record);
    size_t EntrySize() const { return entrySize_; }
    size_t Chunks() const { return chunkCount_; }

private:
    size_t entrySize_ = 0;
    void* freeHead_ = nullptr;
    size_t chunkCount_ = 0;
    void* chunkList_ = nullptr;  // chunks, so that they are freed at destruction
};

constexpr uint32_t STRMAN_KEYS_NOT_OWNED = 0x8;
constexpr uint32_t STRMAN_SEPARATE_ALLOC = 0x10;

class TStringManager {
public:
    TStringManager(size_t entrySize, int bits, uint32_t flags, TStringFreeList* freeList);
    virtual ~TStringManager();
    TStringManager(const TStringManager&) = delete;
    TStringManager& operator=(const TStringManager&) = delete;

    virtual void Lock() {}
    virtual void Unlock() {}
    virtual void ResetIteration();
    virtual void FreeEntry(TStringEntry* record, bool releaseKey);

    // Keys are interned in `parent` first (and shared with it); none by default.
    void SetParent(TStringManager* parent) { parent_ = parent; }
    // Key copy and release instead of duplicating with strdup and releasing with free.
    using KeyCopy = char* (*)(const char* key, void* user);
    using KeyRelease = void (*)(char* key, void* user);
    void SetKeyCallbacks(KeyCopy copy, KeyRelease release, void* user);

    TStringEntry* Find(const char* key);
    TStringEntry* Intern(const char* key);
    void Clear();
    // First record of the iteration list: bucket order, newest first within a bucket.
    TStringEntry* Enumerate();

    size_t Count() const { return count_; }
    size_t BucketCount() const { return bucketCount_; }
    size_t PerChunk() const { return perChunk_; }
    size_t LongestChain() const { return longestChain_; }
    size_t AverageProbe() const { return averageProbe_; }
    size_t BytesAdded() const { return bytesAdded_; }
    size_t BytesReleased() const { return bytesReleased_; }

private:
    TStringEntry* Lookup(const char* key, TStringEntry** bucketOut);
    TStringEntry* AllocEntry();
    void AddEntry(TStringEntry* bucket, char* key);

    int bits_;
    size_t bucketCount_, mask_;
    size_t entrySize_;
    size_t perChunk_;
    uint32_t flags_;
    TStringManager* parent_ = nullptr;
    KeyCopy keyCopy_ = nullptr;
    KeyRelease keyRelease_ = nullptr;
    void* keyUser_ = nullptr;
    TStringFreeList* freeList_;
    bool ownsFreeList_;
    TStringEntry** table_ = nullptr;
    size_t count_ = 0;
    TStringEntry* iterationHead_ = nullptr;
    bool iterationValid_ = false;
    size_t longestChain_ = 0, averageProbe_ = 0;
    size_t bytesAdded_ = 0, bytesReleased_ = 0;
    uint32_t tag_ = 0;
};

// Records obtained and released by every TStringManager.
struct StringEntryCounts {
    uint64_t allocated = 0, released = 0;
};
extern StringEntryCounts stringEntryCounts;
