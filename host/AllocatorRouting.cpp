// Every allocation entry of the module goes to the host's allocator: the
// module's own code, and the C and C++ runtime parts linked into it, which
// find these definitions before the C runtime library's. A failed request
// gives null, never an exception, and the code that asked checks it.
//
// No C runtime header is included here: they declare some of these entries
// as imports from the C runtime library, which is exactly what is replaced.
#include <cstddef>
#include <cstdint>
#include <new>

#include "HostInterface.h"

extern "C" {

void* malloc(std::size_t size) { return acad_malloc(size); }
void* calloc(std::size_t count, std::size_t size) { return acad_calloc(count, size); }
void* realloc(void* block, std::size_t size) { return acad_realloc(block, size); }
// A null block is passed on: the host's free accepts it as the C one does.
void free(void* block) { acad_free(block); }
std::size_t _msize(void* block) { return acad__msize(block); }
char* strdup(const char* text) { return acad__strdup(text); }
char* _strdup(const char* text) { return acad__strdup(text); }

// MinGW-w64's C runtime headers declare _msize and _strdup as imports, so
// code that includes them calls through these import pointers; they lead here
// too, not to the C runtime library. In the host's ABI the toolchain declares
// the C runtime's functions without dllimport (cmake/MsvcToolchain.cmake):
// every call is a direct one that these definitions take, and no import
// pointer exists to redirect.
#if defined(__MINGW32__)
// C names carry a leading underscore on x86 only.
#if defined(_WIN64)
#define RUNTIME_IMPORT(name) "__imp_" #name
#else
#define RUNTIME_IMPORT(name) "__imp__" #name
#endif
using SizeQuery = std::size_t (*)(void*);
using TextCopy = char* (*)(const char*);
SizeQuery msizeImport __asm__(RUNTIME_IMPORT(_msize)) = &_msize;
TextCopy strdupImport __asm__(RUNTIME_IMPORT(_strdup)) = &_strdup;
#endif

}  // extern "C"

namespace {

void releaseObject(void* block) noexcept {
  if (block != nullptr) acad_free(block);
}

// Over-aligned objects: the host's blocks are aligned only for the
// fundamental types, so such an object sits inside a larger block, with the
// block's own address stored just before it.
void* allocateAligned(std::size_t size, std::align_val_t alignment) noexcept {
  std::size_t align = static_cast<std::size_t>(alignment);
  std::size_t extra = align - 1 + sizeof(void*);
  if (size > SIZE_MAX - extra) return nullptr;
  void* block = acad_malloc(size + extra);
  if (block == nullptr) return nullptr;
  std::uintptr_t start = reinterpret_cast<std::uintptr_t>(block) + sizeof(void*);
  std::uintptr_t aligned = (start + align - 1) & ~static_cast<std::uintptr_t>(align - 1);
  reinterpret_cast<void**>(aligned)[-1] = block;
  return reinterpret_cast<void*>(aligned);
}

void releaseAligned(void* object) noexcept {
  if (object != nullptr) acad_free(static_cast<void**>(object)[-1]);
}

}  // namespace

// Null instead of an exception. The module's code asks with
// `new (std::nothrow)`, whose expression checks the result on every compiler;
// GCC's builds also check a plain `new` (-fcheck-new).
void* operator new(std::size_t size) { return acad_malloc(size); }
void* operator new[](std::size_t size) { return acad_malloc(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return acad_malloc(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return acad_malloc(size); }

void operator delete(void* block) noexcept { releaseObject(block); }
void operator delete[](void* block) noexcept { releaseObject(block); }
void operator delete(void* block, std::size_t) noexcept { releaseObject(block); }
void operator delete[](void* block, std::size_t) noexcept { releaseObject(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { releaseObject(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { releaseObject(block); }

void* operator new(std::size_t size, std::align_val_t alignment) {
  return allocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return allocateAligned(size, alignment);
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return allocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return allocateAligned(size, alignment);
}

void operator delete(void* object, std::align_val_t) noexcept { releaseAligned(object); }
void operator delete[](void* object, std::align_val_t) noexcept { releaseAligned(object); }
void operator delete(void* object, std::size_t, std::align_val_t) noexcept {
  releaseAligned(object);
}
void operator delete[](void* object, std::size_t, std::align_val_t) noexcept {
  releaseAligned(object);
}
void operator delete(void* object, std::align_val_t, const std::nothrow_t&) noexcept {
  releaseAligned(object);
}
void operator delete[](void* object, std::align_val_t, const std::nothrow_t&) noexcept {
  releaseAligned(object);
}
