#include "platform/process_memory.h"

#include <gtest/gtest.h>
#include <sys/mman.h>

#include <cstring>

namespace {

constexpr size_t kBlockBytes = size_t{64} << 20;
constexpr int64_t kBlockKb = kBlockBytes / 1024;
// The kernel folds each thread's count into the process's now and then, so
// the figures may lag one another by a little.
constexpr int64_t kSlackKb = 1024;

// A block of memory made resident, then handed back to the kernel.
void TouchAndFreeBlock(int64_t& residentWithBlockKb) {
    void* block = mmap(nullptr, kBlockBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(block, MAP_FAILED);
    std::memset(block, 1, kBlockBytes);
    residentWithBlockKb = ResidentKb();
    ASSERT_EQ(munmap(block, kBlockBytes), 0);
}

TEST(ProcessMemoryTest, PeakKeepsFreedMemoryUntilReset) {
    const int64_t before = ResidentKb();
    ASSERT_GT(before, 0);
    int64_t withBlock = 0;
    TouchAndFreeBlock(withBlock);
    EXPECT_GE(withBlock, before + kBlockKb * 9 / 10);
    const int64_t after = ResidentKb();
    EXPECT_LT(after, withBlock - kBlockKb / 2);
    EXPECT_GE(PeakResidentKb(), withBlock - kSlackKb);

    if (!ResetPeakResident()) GTEST_SKIP() << "the kernel refuses to reset the peak here";
    const int64_t peak = PeakResidentKb();
    EXPECT_LT(peak, withBlock - kBlockKb / 2);
    EXPECT_GE(peak, ResidentKb() - kSlackKb);
}

}  // namespace
