#include "persist/strman.h"

#include <cstdlib>
#include <cstring>

#include "persist/hash.h"
#include "platform/invariant.h"

StringEntryCounts stringEntryCounts;

namespace {

// A free record links to the next one through its second word.
void*& FreeLink(void* record) { return static_cast<void**>(record)[1]; }

// Chunks are chained through a header in front of their records.
struct alignas(std::max_align_t) ChunkHeader {
    void* next;
};

}  // namespace

// ---- TStringFreeList -------------------------------------------------------

TStringFreeList::~TStringFreeList() {
    while (chunkList_) {
        void* next = static_cast<ChunkHeader*>(chunkList_)->next;
        std::free(chunkList_);
        chunkList_ = next;
    }
}

void* TStringFreeList::Alloc(size_t entrysize, size_t perChunk) {
    Lock();
    if (entrySize_ == 0) entrySize_ = entrysize;
    const size_t EntrySize = entrySize_;
    RP_INVARIANT(EntrySize==entrysize, "strman");
    if (!freeHead_) {
        ++chunkCount_;
        // Records hold pointers: keep every one pointer-aligned.
        size_t stride = (entrySize_ + alignof(void*) - 1) / alignof(void*) * alignof(void*);
        void* block = std::malloc(sizeof(ChunkHeader) + perChunk * stride);
        RP_INVARIANT(block != NULL, "strman");
        static_cast<ChunkHeader*>(block)->next = chunkList_;
        chunkList_ = block;
        // Pushed in address order, so the chunk's last record is handed out first.
        char* records = static_cast<char*>(block) + sizeof(ChunkHeader);
        for (size_t i = 0; i < perChunk; ++i) {
            void* record = records + i * stride;
            FreeLink(record) = freeHead_;
            freeHead_ = record;
        }
    }
    void* record = freeHead_;
    freeHead_ = FreeLink(record);
    Unlock();
    std::memset(record, 0, entrySize_);
    return record;
}

void TStringFreeList::Free(void* record) {
    Lock();
    FreeLink(record) = freeHead_;
    freeHead_ = record;
    Unlock();
}

// ---- TStringManager --------------------------------------------------------

TStringManager::TStringManager(size_t entry_size, int bits, uint32_t flags, TStringFreeList* freeList) {
    RP_INVARIANT(entry_size>0, "strman");
    RP_INVARIANT(entry_size>=sizeof(TStringEntry), "strman");
    RP_INVARIANT(bits>0, "strman");
    bits_ = bits;
    bucketCount_ = size_t(1) << bits;
    mask_ = bucketCount_ - 1;
    entrySize_ = entry_size;
    perChunk_ = bucketCount_ / 4;
    if (perChunk_ > 32) perChunk_ = 32;
    if (perChunk_ < 1) perChunk_ = 1;
    flags_ = flags;
    ownsFreeList_ = freeList == nullptr;
    freeList_ = freeList ? freeList : new TStringFreeList;
    TStringEntry** Table = static_cast<TStringEntry**>(std::calloc(bucketCount_, sizeof(TStringEntry*)));
    RP_INVARIANT(Table != NULL, "strman");
    table_ = Table;
    for (size_t i = 0; i < bucketCount_; ++i) table_[i] = AllocEntry();
}

TStringManager::~TStringManager() {
    Clear();
    for (size_t i = 0; i < bucketCount_; ++i) FreeEntry(table_[i], false);
    std::free(table_);
    if (ownsFreeList_) delete freeList_;
}

void TStringManager::SetKeyCallbacks(KeyCopy copy, KeyRelease release, void* user) {
    keyCopy_ = copy;
    keyRelease_ = release;
    keyUser_ = user;
}

TStringEntry* TStringManager::AllocEntry() {
    TStringEntry* result;
    if (flags_ & STRMAN_SEPARATE_ALLOC) {
        result = static_cast<TStringEntry*>(std::calloc(1, entrySize_));
        RP_INVARIANT(result != NULL, "strman");
    } else {
        TStringFreeList* FreeList = freeList_;
        RP_INVARIANT(FreeList!=NULL, "strman");
        result = static_cast<TStringEntry*>(FreeList->Alloc(entrySize_, perChunk_));
    }
    ++stringEntryCounts.allocated;
    return result;
}

void TStringManager::FreeEntry(TStringEntry* record, bool releaseKey) {
    if (releaseKey && record->key) {
        bytesReleased_ += std::strlen(record->key);
        if (keyRelease_)
            keyRelease_(record->key, keyUser_);
        else
            std::free(record->key);
        record->key = nullptr;
    }
    if (flags_ & STRMAN_SEPARATE_ALLOC) {
        std::free(record);
    } else {
        TStringFreeList* FreeList = freeList_;
        RP_INVARIANT(FreeList!=NULL, "strman");
        FreeList->Free(record);
    }
    ++stringEntryCounts.released;
}

void TStringManager::ResetIteration() {
    iterationHead_ = nullptr;
    iterationValid_ = false;
}

TStringEntry* TStringManager::Lookup(const char* key, TStringEntry** bucketOut) {
    Lock();
    TStringEntry* bucket = table_[HashName(key, 0) & mask_];
    if (bucketOut) *bucketOut = bucket;
    for (TStringEntry* e = bucket->next; e; e = e->next) {
        if (e->key && std::strcmp(e->key, key) == 0) {
            ++e->referenceCount;
            Unlock();
            return e;
        }
    }
    Unlock();
    return nullptr;
}

TStringEntry* TStringManager::Find(const char* key) { return Lookup(key, nullptr); }

TStringEntry* TStringManager::Intern(const char* key) {
    if (!key) return nullptr;
    TStringEntry* bucket = nullptr;
    if (TStringEntry* found = Lookup(key, &bucket)) return found;
    const char* source = key;
    if (parent_) source = parent_->Intern(key)->key;
    char* stored = const_cast<char*>(source);
    if (!(flags_ & STRMAN_KEYS_NOT_OWNED)) stored = keyCopy_ ? keyCopy_(source, keyUser_) : strdup(source);
    AddEntry(bucket, stored);
    return bucket->next;
}

void TStringManager::AddEntry(TStringEntry* bucket, char* key) {
    Lock();
    TStringEntry* record = AllocEntry();
    bytesAdded_ += std::strlen(key);
    record->key = key;
    record->next = bucket->next;
    record->iterationNext = nullptr;
    record->referenceCount = 1;
    record->owner = this;
    record->tag = tag_;
    bucket->next = record;
    ++count_;
    ResetIteration();
    Unlock();
}

void TStringManager::Clear() {
    Lock();
    bool releaseKeys = !(flags_ & STRMAN_KEYS_NOT_OWNED);
    for (size_t i = 0; i < bucketCount_; ++i) {
        TStringEntry* e = table_[i]->next;
        while (e) {
            TStringEntry* next = e->next;
            FreeEntry(e, releaseKeys);
            e = next;
        }
        table_[i]->next = nullptr;
    }
    count_ = 0;
    ResetIteration();
    Unlock();
}

TStringEntry* TStringManager::Enumerate() {
    Lock();
    if (!iterationValid_) {
        TStringEntry* head = nullptr;
        TStringEntry** link = &head;
        size_t counted = 0, probeSum = 0, longest = 0;
        for (size_t i = 0; i < bucketCount_; ++i) {
            size_t position = 0;
            for (TStringEntry* e = table_[i]->next; e; e = e->next) {
                *link = e;
                link = &e->iterationNext;
                ++position;
                ++counted;
                probeSum += position;
            }
            if (position > longest) longest = position;
        }
        *link = nullptr;
        iterationHead_ = head;
        longestChain_ = longest;
        averageProbe_ = counted ? probeSum / counted : 0;
        iterationValid_ = true;
    }
    TStringEntry* result = iterationHead_;
    Unlock();
    return result;
}
