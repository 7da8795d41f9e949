// The host's allocator as modules see it: heap blocks that it counts, with one
// request that can be made to fail. Single-threaded, like the host's calls
// into its modules.
#pragma once

#include <cstddef>
#include <map>

struct AllocatorCounts {
  long allocations = 0;      // blocks handed out
  long releases = 0;         // blocks given back
  long outstanding = 0;      // blocks still held
  long invalidReleases = 0;  // releases of blocks this allocator never gave (or gave back already)
  long nullReleases = 0;     // releases of a null pointer, which do nothing
  long requests = 0;         // requests since counting started, failed ones included
  long failedRequests = 0;
};

class HostAllocator {
 public:
  HostAllocator() = default;
  HostAllocator(const HostAllocator&) = delete;
  HostAllocator& operator=(const HostAllocator&) = delete;
  // Blocks still held are given back to the heap (and stay counted as held).
  ~HostAllocator();

  // The C runtime's contracts. Each call that would hand out or resize a block
  // is a request; a failed request returns null and changes nothing.
  void* allocate(std::size_t size);
  void* allocateZeroed(std::size_t count, std::size_t size);
  // Null `block`: allocate. Zero `size`: the block is given back and the
  // result is null (as the C runtime of the host platform does).
  void* reallocate(void* block, std::size_t size);
  void release(void* block);
  // The size asked for, or (size_t)-1 for a block this allocator does not hold.
  std::size_t blockSize(const void* block) const;
  // Null text: null, and no request.
  char* duplicate(const char* text);

  // Requests are counted from here on (the host calls it when the first command starts).
  void startCountingRequests() { counting_ = true; }
  // The `n`th counted request fails, every other succeeds; 0 fails none.
  void failRequest(long n) { failingRequest_ = n; }

  AllocatorCounts counts() const;
  // Back to the state after construction, except that blocks still held
  // stay held and count as outstanding.
  void reset();

 private:
  // Counts the request and says whether it may succeed.
  bool grantRequest();
  void* track(void* block, std::size_t size);

  // An ordered map: a hash table's growth needs code that libc++ keeps in its
  // compiled library, which the build in the host's ABI does not link.
  std::map<const void*, std::size_t> blocks_;
  AllocatorCounts counts_;
  bool counting_ = false;
  long failingRequest_ = 0;
};
