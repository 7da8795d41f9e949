#include "HostAllocator.h"

#include <cstdlib>
#include <cstring>
#include <limits>

HostAllocator::~HostAllocator() {
  for (auto& block : blocks_) std::free(const_cast<void*>(block.first));
}

bool HostAllocator::grantRequest() {
  if (!counting_) return true;
  ++counts_.requests;
  if (counts_.requests != failingRequest_) return true;
  ++counts_.failedRequests;
  return false;
}

void* HostAllocator::track(void* block, std::size_t size) {
  if (block == nullptr) return nullptr;
  blocks_[block] = size;
  ++counts_.allocations;
  return block;
}

// A zero-sized block is still a block of its own, as the C runtime gives one.
void* HostAllocator::allocate(std::size_t size) {
  if (!grantRequest()) return nullptr;
  return track(std::malloc(size != 0 ? size : 1), size);
}

void* HostAllocator::allocateZeroed(std::size_t count, std::size_t size) {
  if (!grantRequest()) return nullptr;
  if (size != 0 && count > std::numeric_limits<std::size_t>::max() / size) return nullptr;
  std::size_t total = count * size;
  return track(std::calloc(total != 0 ? total : 1, 1), total);
}

void* HostAllocator::reallocate(void* block, std::size_t size) {
  if (block == nullptr) return allocate(size);
  if (size == 0) {
    release(block);
    return nullptr;
  }
  auto held = blocks_.find(block);
  if (held == blocks_.end()) {
    ++counts_.invalidReleases;
    return nullptr;
  }
  if (!grantRequest()) return nullptr;
  void* moved = std::realloc(block, size);
  if (moved == nullptr) return nullptr;
  blocks_.erase(held);
  blocks_[moved] = size;
  return moved;
}

void HostAllocator::release(void* block) {
  if (block == nullptr) {
    ++counts_.nullReleases;
    return;
  }
  auto held = blocks_.find(block);
  if (held == blocks_.end()) {
    ++counts_.invalidReleases;
    return;
  }
  blocks_.erase(held);
  std::free(block);
  ++counts_.releases;
}

std::size_t HostAllocator::blockSize(const void* block) const {
  auto held = blocks_.find(block);
  return held != blocks_.end() ? held->second : static_cast<std::size_t>(-1);
}

char* HostAllocator::duplicate(const char* text) {
  if (text == nullptr) return nullptr;
  std::size_t size = std::strlen(text) + 1;
  if (!grantRequest()) return nullptr;
  char* copy = static_cast<char*>(track(std::malloc(size), size));
  if (copy != nullptr) std::memcpy(copy, text, size);
  return copy;
}

AllocatorCounts HostAllocator::counts() const {
  AllocatorCounts counts = counts_;
  counts.outstanding = static_cast<long>(blocks_.size());
  return counts;
}

void HostAllocator::reset() {
  counts_ = AllocatorCounts{};
  counting_ = false;
  failingRequest_ = 0;
}
