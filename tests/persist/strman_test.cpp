#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "persist/hash.h"
#include "persist/strman.h"

namespace {

struct Record : TStringEntry {
    int payload;
};

// Keys that land in the same bucket of a table with `bits`.
std::vector<std::string> KeysInOneBucket(int bits, size_t count) {
    uint32_t mask = (1u << bits) - 1;
    uint32_t bucket = HashName("k0", 0) & mask;
    std::vector<std::string> keys;
    for (int i = 0; keys.size() < count; ++i) {
        std::string key = "k" + std::to_string(i);
        if ((HashName(key.c_str(), 0) & mask) == bucket) keys.push_back(key);
    }
    return keys;
}

std::vector<std::string> EnumeratedKeys(TStringManager& table) {
    std::vector<std::string> keys;
    for (TStringEntry* e = table.Enumerate(); e; e = e->iterationNext) keys.push_back(e->key);
    return keys;
}

TEST(HashName, FollowsTheRecurrenceOverTheFixedTable) {
    // A one-byte text hashes to its table entry.
    EXPECT_EQ(HashName("\x01", 0), 0x573Au);
    EXPECT_EQ(HashName("\x05", 0), 0xFFFF8E8Bu);
    uint32_t t1 = HashName("\x01", 0), t5 = HashName("\x05", 0);
    uint32_t h = t1;
    h = ((h >> 15) + (h << 1)) ^ t5;
    EXPECT_EQ(HashName("\x01\x05", 0), h);
    // The seed enters before the first byte.
    EXPECT_EQ(HashName("", 77), 77u);
    EXPECT_EQ(HashName("\x01", 2), ((2u >> 15) + (2u << 1)) ^ t1);
}

TEST(HashName, TableEntriesAreDistinctSignExtended16BitValues) {
    std::set<uint32_t> seen;
    for (int c = 1; c < 256; ++c) {
        char text[2] = {static_cast<char>(c), 0};
        uint32_t t = HashName(text, 0);
        EXPECT_TRUE(t < 0x8000u || t >= 0xFFFF8000u) << c;
        seen.insert(t);
    }
    EXPECT_EQ(seen.size(), 255u);
    EXPECT_EQ(seen.count(0x4488u), 0u);  // entry 0 belongs to the terminator
}

TEST(HashNameDeath, MissingTextIsAnInvariantFailure) {
    EXPECT_DEATH(HashName(nullptr, 0), "name failed in hash");
}

TEST(StringManager, InternCreatesOnceAndCountsReferences) {
    TStringManager table(sizeof(Record), 4, 0, nullptr);
    TStringEntry* a = table.Intern("alpha");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->referenceCount, 1u);
    EXPECT_EQ(a->owner, &table);
    EXPECT_STREQ(a->key, "alpha");
    EXPECT_EQ(table.Intern("alpha"), a);
    EXPECT_EQ(a->referenceCount, 2u);
    EXPECT_EQ(table.Find("alpha"), a);
    EXPECT_EQ(a->referenceCount, 3u);
    EXPECT_EQ(table.Find("Alpha"), nullptr);  // case-sensitive
    EXPECT_EQ(table.Intern(nullptr), nullptr);
    EXPECT_EQ(table.Count(), 1u);
    EXPECT_EQ(table.BytesAdded(), 5u);
}

TEST(StringManager, KeysAreCopiedUnlessNotOwned) {
    char key[] = "mutable";
    TStringManager owned(sizeof(Record), 2, 0, nullptr);
    TStringEntry* copy = owned.Intern(key);
    EXPECT_NE(copy->key, key);
    TStringManager borrowed(sizeof(Record), 2, STRMAN_KEYS_NOT_OWNED, nullptr);
    TStringEntry* same = borrowed.Intern(key);
    EXPECT_EQ(same->key, key);
    borrowed.Clear();
    EXPECT_STREQ(key, "mutable");
    EXPECT_EQ(borrowed.BytesReleased(), 0u);
}

TEST(StringManager, SameBucketIsFoundAndEnumeratedNewestFirst) {
    TStringManager table(sizeof(Record), 3, 0, nullptr);
    std::vector<std::string> keys = KeysInOneBucket(3, 3);
    for (const std::string& k : keys) table.Intern(k.c_str());
    EXPECT_EQ(EnumeratedKeys(table), (std::vector<std::string>{keys[2], keys[1], keys[0]}));
    EXPECT_EQ(table.LongestChain(), 3u);
    EXPECT_EQ(table.AverageProbe(), 2u);  // (1 + 2 + 3) / 3
    for (const std::string& k : keys) EXPECT_STREQ(table.Find(k.c_str())->key, k.c_str());
}

TEST(StringManager, EnumerationFollowsBucketOrderAndIsRebuiltAfterInsertion) {
    TStringManager table(sizeof(Record), 6, 0, nullptr);
    std::vector<std::string> keys = {"marble23.jpg", "fire1.jpg", "granite11.jpg", "blobs.jpg", "bluemud.jpg"};
    for (const std::string& k : keys) table.Intern(k.c_str());
    std::vector<std::string> listed = EnumeratedKeys(table);
    ASSERT_EQ(listed.size(), keys.size());
    for (size_t i = 1; i < listed.size(); ++i)
        EXPECT_LE(HashName(listed[i - 1].c_str(), 0) & 63, HashName(listed[i].c_str(), 0) & 63);
    TStringEntry* head = table.Enumerate();
    EXPECT_EQ(table.Enumerate(), head);  // cached while valid
    table.Intern("rust_valencia.jpg");
    EXPECT_EQ(EnumeratedKeys(table).size(), keys.size() + 1);
}

TEST(StringManager, ClearEmptiesTheTableAndStatistics) {
    TStringManager table(sizeof(Record), 4, 0, nullptr);
    table.Intern("one");
    table.Intern("three");
    table.Enumerate();
    EXPECT_GT(table.LongestChain(), 0u);
    table.Clear();
    EXPECT_EQ(table.Enumerate(), nullptr);
    EXPECT_EQ(table.Count(), 0u);
    EXPECT_EQ(table.LongestChain(), 0u);
    EXPECT_EQ(table.AverageProbe(), 0u);
    EXPECT_EQ(table.BytesReleased(), 8u);
    EXPECT_EQ(table.Find("one"), nullptr);
    EXPECT_EQ(table.Intern("one")->referenceCount, 1u);
}

TEST(StringManager, RecordsAreZeroFilledAndCounted) {
    uint64_t allocated = stringEntryCounts.allocated, released = stringEntryCounts.released;
    {
        TStringManager table(sizeof(Record), 2, 0, nullptr);
        EXPECT_EQ(stringEntryCounts.allocated - allocated, 4u);  // bucket heads
        auto* r = static_cast<Record*>(table.Intern("x"));
        EXPECT_EQ(r->payload, 0);
        r->payload = 99;
        table.Clear();
        auto* again = static_cast<Record*>(table.Intern("y"));
        EXPECT_EQ(again, r);  // the freed record is reused...
        EXPECT_EQ(again->payload, 0);  // ...zero-filled
    }
    EXPECT_EQ(stringEntryCounts.allocated - allocated, stringEntryCounts.released - released);
}

TEST(StringManager, TenBitsGiveChunksOf32) {
    TStringFreeList freeList;
    TStringManager table(sizeof(Record), 10, 0, &freeList);
    EXPECT_EQ(table.BucketCount(), 1024u);
    EXPECT_EQ(table.PerChunk(), 32u);
    EXPECT_EQ(freeList.Chunks(), 32u);  // 1,024 head records
    for (int i = 0; i < 32; ++i) table.Intern(("key" + std::to_string(i)).c_str());
    EXPECT_EQ(freeList.Chunks(), 33u);
    table.Intern("key32");
    EXPECT_EQ(freeList.Chunks(), 34u);
}

TEST(StringManager, PerChunkIsAQuarterOfTheBucketsWithinOneTo32) {
    EXPECT_EQ(TStringManager(sizeof(Record), 1, 0, nullptr).PerChunk(), 1u);
    EXPECT_EQ(TStringManager(sizeof(Record), 4, 0, nullptr).PerChunk(), 4u);
    EXPECT_EQ(TStringManager(sizeof(Record), 12, 0, nullptr).PerChunk(), 32u);
}

TEST(StringFreeList, HandsOutAChunkFromItsLastRecord) {
    TStringFreeList list;
    auto* first = static_cast<char*>(list.Alloc(40, 4));
    auto* second = static_cast<char*>(list.Alloc(40, 4));
    EXPECT_EQ(first - second, 40);
    list.Free(first);
    EXPECT_EQ(list.Alloc(40, 4), first);
    EXPECT_EQ(list.Chunks(), 1u);
}

TEST(StringManager, SeparateAllocationBypassesTheFreeList) {
    TStringFreeList freeList;
    TStringManager table(sizeof(Record), 3, STRMAN_SEPARATE_ALLOC, &freeList);
    table.Intern("solo");
    EXPECT_EQ(freeList.Chunks(), 0u);
    EXPECT_NE(table.Find("solo"), nullptr);
}

TEST(StringManager, ParentInternsKeysFirst) {
    TStringManager parent(sizeof(Record), 3, 0, nullptr);
    TStringManager child(sizeof(Record), 3, STRMAN_KEYS_NOT_OWNED, nullptr);
    child.SetParent(&parent);
    TStringEntry* e = child.Intern("shared");
    TStringEntry* p = parent.Find("shared");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(e->key, p->key);
}

char* CountingCopy(const char* key, void* user) {
    ++*static_cast<int*>(user);
    return strdup(key);
}
void CountingRelease(char* key, void* user) {
    --*static_cast<int*>(user);
    free(key);
}

TEST(StringManager, KeyCallbacksCopyAndRelease) {
    int live = 0;
    TStringManager table(sizeof(Record), 3, 0, nullptr);
    table.SetKeyCallbacks(&CountingCopy, &CountingRelease, &live);
    table.Intern("a");
    table.Intern("b");
    table.Intern("a");
    EXPECT_EQ(live, 2);
    table.Clear();
    EXPECT_EQ(live, 0);
}

TEST(StringManagerDeath, ArgumentAndSizeChecks) {
    EXPECT_DEATH(TStringManager(0, 4, 0, nullptr), "entry_size>0 failed in strman");
    EXPECT_DEATH(TStringManager(sizeof(Record), 0, 0, nullptr), "bits>0 failed in strman");
    EXPECT_DEATH(
        {
            TStringFreeList list;
            list.Alloc(64, 2);
            list.Alloc(72, 2);
        },
        "EntrySize==entrysize failed in strman");
}

}  // namespace
