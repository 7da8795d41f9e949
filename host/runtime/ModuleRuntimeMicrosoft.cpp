// The module's runtime in the host's ABI: no C++ runtime library is linked in
// (libc++ is used as headers only, msvcrt.dll gives the C functions), so the
// two things that a runtime's library entry does for a module are done here.
// Static constructors: the compiler puts a pointer to each in a section
// .CRT$XCU; the linker sorts the .CRT$XC* sections by name, so the two
// markers below bracket them all. Static destructors: the compiler registers
// each with atexit as its object is constructed; ExitList keeps them and runs
// them in the reverse order at unload.
#include "ExitList.h"
#include "ModuleRuntime.h"

namespace {

using StaticFunction = void(__cdecl*)();

#pragma section(".CRT$XCA", read)
#pragma section(".CRT$XCZ", read)
__declspec(allocate(".CRT$XCA")) StaticFunction firstConstructor = nullptr;
__declspec(allocate(".CRT$XCZ")) StaticFunction pastConstructors = nullptr;

}  // namespace

extern "C" int __cdecl atexit(StaticFunction function) { return registerExitFunction(function); }

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
