#include "AllocationFaults.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <new>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void __libc_free(void* block);
}

namespace {

bool windowOpen = false;
long allocationCount = 0;
long failingAllocation = 0;
FaultMode faultMode = FaultMode::Once;
bool failed = false;

// The blocks of the window: open addressing with tombstones. It must not
// allocate, so its size is fixed; a load or save of a test file needs far less.
constexpr std::size_t kSlots = 1 << 16;
void* const kRemoved = reinterpret_cast<void*>(1);
void* liveBlocks[kSlots];
long liveCount = 0;

std::size_t slotOf(void* block) {
  std::uintptr_t bits = reinterpret_cast<std::uintptr_t>(block);
  return static_cast<std::size_t>((bits >> 4) * 0x9E3779B97F4A7C15ull >> 48) & (kSlots - 1);
}

void remember(void* block) {
  for (std::size_t slot = slotOf(block);; slot = (slot + 1) & (kSlots - 1)) {
    if (liveBlocks[slot] == nullptr || liveBlocks[slot] == kRemoved) {
      liveBlocks[slot] = block;
      ++liveCount;
      return;
    }
  }
}

void forget(void* block) {
  if (liveCount == 0) return;
  for (std::size_t slot = slotOf(block); liveBlocks[slot] != nullptr; slot = (slot + 1) & (kSlots - 1)) {
    if (liveBlocks[slot] == block) {
      liveBlocks[slot] = kRemoved;
      --liveCount;
      return;
    }
  }
}

bool failThisAllocation() {
  if (!windowOpen) return false;
  ++allocationCount;
  bool fail = failingAllocation != 0 &&
              (allocationCount == failingAllocation ||
               (faultMode == FaultMode::FromThenOn && allocationCount > failingAllocation));
  if (fail) {
    failed = true;
    errno = ENOMEM;
  }
  return fail;
}

void* track(void* block) {
  if (block != nullptr && windowOpen) remember(block);
  return block;
}

}  // namespace

void beginAllocationWindow(long failing, FaultMode mode) {
  for (void*& block : liveBlocks) block = nullptr;
  liveCount = 0;
  allocationCount = 0;
  failingAllocation = failing;
  faultMode = mode;
  failed = false;
  windowOpen = true;
}

void endAllocationWindow() { windowOpen = false; }

bool allocationFailed() { return failed; }

long outstandingBlocks() { return liveCount; }

extern "C" void* malloc(std::size_t size) {
  if (failThisAllocation()) return nullptr;
  return track(__libc_malloc(size));
}

extern "C" void* calloc(std::size_t count, std::size_t size) {
  if (failThisAllocation()) return nullptr;
  return track(__libc_calloc(count, size));
}

extern "C" void* realloc(void* block, std::size_t size) {
  if (block != nullptr && size == 0) {
    forget(block);
    return __libc_realloc(block, 0);
  }
  if (failThisAllocation()) return nullptr;
  void* moved = __libc_realloc(block, size);
  if (moved != nullptr && block != nullptr) forget(block);
  return track(moved);
}

extern "C" void free(void* block) {
  if (block != nullptr) forget(block);
  __libc_free(block);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return malloc(size != 0 ? size : 1);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return malloc(size != 0 ? size : 1);
}

void operator delete(void* block) noexcept { free(block); }
void operator delete(void* block, std::size_t) noexcept { free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { free(block); }
