// The host interface as the stand-in host exports it to its modules.
#include "HostExports.h"

namespace {

HostExports::Objects connected;
std::vector<std::string> searched;

}  // namespace

void HostExports::connect(const Objects& objects) { connected = objects; }

void HostExports::disconnect() { connected = Objects(); }

HostAllocator& HostExports::allocator() {
  static HostAllocator allocator;
  return allocator;
}

const std::vector<std::string>& HostExports::searchedNames() { return searched; }

AcRxDictionary* acrxSysRegistry() { return connected.systemRegistry; }

AcRxClass* AcRxDynamicLinker::desc() { return connected.dynamicLinkerClass; }

int ads_findfile(const char* name, char* result) {
  searched.push_back(name != nullptr ? name : "(null)");
  if (connected.fileSearch == nullptr || result == nullptr) return kFindFileNotFound;
  return connected.fileSearch->find(name, result, kFindFileResultSize) ? kFindFileFound
                                                                       : kFindFileNotFound;
}

HWND adsw_acadMainWnd() { return connected.mainWindow; }

void* acad_malloc(std::size_t size) { return HostExports::allocator().allocate(size); }

void* acad_calloc(std::size_t count, std::size_t size) {
  return HostExports::allocator().allocateZeroed(count, size);
}

void* acad_realloc(void* block, std::size_t size) {
  return HostExports::allocator().reallocate(block, size);
}

void acad_free(void* block) { HostExports::allocator().release(block); }

std::size_t acad__msize(void* block) { return HostExports::allocator().blockSize(block); }

char* acad__strdup(const char* text) { return HostExports::allocator().duplicate(text); }
