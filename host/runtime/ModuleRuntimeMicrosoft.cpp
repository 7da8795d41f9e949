// The module's runtime in the host's ABI: no C++ runtime library is linked in
// (libc++ is used as headers only, msvcrt.dll gives the C functions), so the
// two things that a runtime's library entry does for a module are done here.
// Static constructors: the compiler puts a pointer to each in a section
// .CRT$XCU; the linker sorts the .CRT$XC* sections by name, so the two
// markers below bracket them all. Static destructors: the compiler registers
// each with atexit as its object is constructed; the list is kept here, in
// blocks from the host's allocator, and run in the reverse order at unload,
// when the blocks go back, so nothing of the module outlives it.
#include "HostInterface.h"
#include "ModuleRuntime.h"

namespace {

using StaticFunction = void(__cdecl*)();

#pragma section(".CRT$XCA", read)
#pragma section(".CRT$XCZ", read)
__declspec(allocate(".CRT$XCA")) StaticFunction firstConstructor = nullptr;
__declspec(allocate(".CRT$XCZ")) StaticFunction pastConstructors = nullptr;

constexpr int kExitBlockSize = 32;

struct ExitBlock {
  ExitBlock* previous;
  int count;
  StaticFunction functions[kExitBlockSize];
};

// Zero before any constructor runs: it is not itself constructed.
ExitBlock* lastExitBlock = nullptr;

// Destructors may register further functions while the list runs; each is
// taken from the list before it is called.
void runExitFunctions() {
  while (lastExitBlock != nullptr) {
    ExitBlock* block = lastExitBlock;
    if (block->count == 0) {
      lastExitBlock = block->previous;
      acad_free(block);
      continue;
    }
    StaticFunction function = block->functions[--block->count];
    function();
  }
}

}  // namespace

// The C runtime's contract: 0 when registered. A module that cannot register
// a destructor answers nonzero as msvcrt's does; that object is then not
// destroyed at unload.
extern "C" int __cdecl atexit(StaticFunction function) {
  if (function == nullptr) return -1;
  if (lastExitBlock == nullptr || lastExitBlock->count == kExitBlockSize) {
    ExitBlock* block = static_cast<ExitBlock*>(acad_malloc(sizeof(ExitBlock)));
    if (block == nullptr) return -1;
    block->previous = lastExitBlock;
    block->count = 0;
    lastExitBlock = block;
  }
  lastExitBlock->functions[lastExitBlock->count++] = function;
  return 0;
}

void startModuleRuntime(HINSTANCE) {
  // Read through volatile: the markers are objects of their own to the
  // compiler, which must not reason the walk between them away.
  for (StaticFunction const volatile* entry = &firstConstructor + 1; entry < &pastConstructors;
       ++entry) {
    StaticFunction constructor = *entry;
    // The linker may pad between the sections' parts with zeros.
    if (constructor != nullptr) constructor();
  }
}

BOOL endModuleRuntime(HINSTANCE, LPVOID) {
  runExitFunctions();
  return TRUE;
}
