// The host interface as the stand-in host exports it to its modules.
#include "HostEnvironment.h"

HostEnvironment& hostEnvironment() {
  static HostEnvironment environment;
  return environment;
}

AcRxDictionary* acrxSysRegistry() { return hostEnvironment().systemRegistry; }

AcRxClass* AcRxDynamicLinker::desc() { return hostEnvironment().dynamicLinkerClass; }

int ads_findfile(const char* name, char* result) {
  hostEnvironment().searchedNames.push_back(name != nullptr ? name : "(null)");
  const FileSearch* search = hostEnvironment().fileSearch;
  if (search == nullptr || result == nullptr) return kFindFileNotFound;
  return search->find(name, result, kFindFileResultSize) ? kFindFileFound : kFindFileNotFound;
}

HWND adsw_acadMainWnd() { return hostEnvironment().mainWindow; }

void* acad_malloc(std::size_t size) { return hostEnvironment().allocator.allocate(size); }

void* acad_calloc(std::size_t count, std::size_t size) {
  return hostEnvironment().allocator.allocateZeroed(count, size);
}

void* acad_realloc(void* block, std::size_t size) {
  return hostEnvironment().allocator.reallocate(block, size);
}

void acad_free(void* block) { hostEnvironment().allocator.release(block); }

std::size_t acad__msize(void* block) { return hostEnvironment().allocator.blockSize(block); }

char* acad__strdup(const char* text) { return hostEnvironment().allocator.duplicate(text); }
