#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "HostAllocator.h"

namespace {

TEST(HostAllocator, CountsBlocksHandedOutAndGivenBack) {
  HostAllocator allocator;
  void* block = allocator.allocate(10);
  void* zeroed = allocator.allocateZeroed(3, 4);
  char* copy = allocator.duplicate("steel");
  ASSERT_TRUE(block && zeroed && copy);
  EXPECT_STREQ(copy, "steel");
  EXPECT_EQ(allocator.blockSize(block), 10u);
  EXPECT_EQ(allocator.blockSize(zeroed), 12u);
  EXPECT_EQ(allocator.blockSize(copy), 6u);
  allocator.release(block);
  AllocatorCounts counts = allocator.counts();
  EXPECT_EQ(counts.allocations, 3);
  EXPECT_EQ(counts.releases, 1);
  EXPECT_EQ(counts.outstanding, 2);
  allocator.release(zeroed);
  allocator.release(copy);
  EXPECT_EQ(allocator.counts().outstanding, 0);
}

TEST(HostAllocator, ZeroSizedBlocksAreDistinctBlocks) {
  HostAllocator allocator;
  void* first = allocator.allocate(0);
  void* second = allocator.allocate(0);
  ASSERT_TRUE(first && second);
  EXPECT_NE(first, second);
  EXPECT_EQ(allocator.blockSize(first), 0u);
  allocator.release(first);
  allocator.release(second);
}

TEST(HostAllocator, ReallocateFollowsTheRuntimeContract) {
  HostAllocator allocator;
  char* block = static_cast<char*>(allocator.reallocate(nullptr, 4));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(allocator.counts().allocations, 1);
  std::memcpy(block, "abc", 4);
  block = static_cast<char*>(allocator.reallocate(block, 4000));
  ASSERT_NE(block, nullptr);
  EXPECT_STREQ(block, "abc");
  EXPECT_EQ(allocator.blockSize(block), 4000u);
  EXPECT_EQ(allocator.counts().outstanding, 1);
  EXPECT_EQ(allocator.reallocate(block, 0), nullptr);
  AllocatorCounts counts = allocator.counts();
  EXPECT_EQ(counts.releases, 1);
  EXPECT_EQ(counts.outstanding, 0);
}

TEST(HostAllocator, RequestsCountOnlyFromTheStart) {
  HostAllocator allocator;
  allocator.failRequest(1);
  void* early = allocator.allocate(8);
  EXPECT_NE(early, nullptr);
  EXPECT_EQ(allocator.counts().requests, 0);
  allocator.startCountingRequests();
  EXPECT_EQ(allocator.allocate(8), nullptr);
  allocator.release(early);
  EXPECT_EQ(allocator.counts().requests, 1);
}

// Every kind of request takes its turn in the count; exactly the chosen one
// fails, leaving nothing behind (a failed resize keeps the block as it was).
TEST(HostAllocator, OnlyTheChosenRequestFails) {
  for (long failing = 1; failing <= 4; ++failing) {
    HostAllocator allocator;
    void* resized = allocator.allocate(2);
    allocator.startCountingRequests();
    allocator.failRequest(failing);
    // A braced list runs its parts in order: requests 1 to 4.
    void* results[] = {allocator.allocate(2), allocator.allocateZeroed(2, 2),
                       allocator.duplicate("x"), allocator.reallocate(resized, 64)};
    for (long request = 1; request <= 4; ++request) {
      EXPECT_EQ(results[request - 1] == nullptr, request == failing)
          << "request " << request << " with request " << failing << " failing";
    }
    AllocatorCounts counts = allocator.counts();
    EXPECT_EQ(counts.requests, 4);
    EXPECT_EQ(counts.failedRequests, 1);
    if (failing == 4) {
      EXPECT_EQ(allocator.blockSize(resized), 2u);
      results[3] = resized;
    }
    for (void* block : results) allocator.release(block);
    EXPECT_EQ(allocator.counts().outstanding, 0) << "request " << failing << " failing";
  }
}

TEST(HostAllocator, ForeignAndRepeatedReleasesAreCountedNotFreed) {
  HostAllocator allocator;
  int local = 0;
  allocator.release(&local);
  void* block = allocator.allocate(4);
  allocator.release(block);
  allocator.release(block);
  EXPECT_EQ(allocator.reallocate(&local, 8), nullptr);
  AllocatorCounts counts = allocator.counts();
  EXPECT_EQ(counts.invalidReleases, 3);
  EXPECT_EQ(counts.releases, 1);
  EXPECT_EQ(allocator.blockSize(&local), static_cast<std::size_t>(-1));
}

TEST(HostAllocator, NullReleaseIsCountedAndHarmless) {
  HostAllocator allocator;
  allocator.release(nullptr);
  AllocatorCounts counts = allocator.counts();
  EXPECT_EQ(counts.nullReleases, 1);
  EXPECT_EQ(counts.invalidReleases, 0);
  EXPECT_EQ(counts.releases, 0);
}

TEST(HostAllocator, OverflowingCountTimesSizeIsNull) {
  HostAllocator allocator;
  EXPECT_EQ(allocator.allocateZeroed(SIZE_MAX / 2, 4), nullptr);
  EXPECT_EQ(allocator.counts().outstanding, 0);
  EXPECT_EQ(allocator.duplicate(nullptr), nullptr);
}

TEST(HostAllocator, ResetForgetsCountsAndFailureButKeepsHeldBlocks) {
  HostAllocator allocator;
  allocator.startCountingRequests();
  allocator.failRequest(2);
  void* block = allocator.allocate(1);
  allocator.reset();
  void* next = allocator.allocate(1);
  EXPECT_NE(next, nullptr);
  AllocatorCounts counts = allocator.counts();
  EXPECT_EQ(counts.allocations, 1);
  EXPECT_EQ(counts.requests, 0);
  EXPECT_EQ(counts.outstanding, 2);
  allocator.release(block);
  allocator.release(next);
}

}  // namespace
