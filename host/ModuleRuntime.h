// The start and the end of the language runtime inside the module. The host
// starts it through _SetacrxPtp, after the library entry has returned, and the
// module ends it when it is unloaded. How depends on the compiler that built
// the module: ModuleRuntimeGnu.cpp (MinGW-w64's runtime, linked in) or
// runtime/ModuleRuntimeMicrosoft.cpp (the host's ABI, no runtime linked in).
#pragma once

#include <windows.h>

// Constructs the module's static objects.
void startModuleRuntime(HINSTANCE instance);

// Destroys them, in the reverse order, and gives back what the runtime held.
// The result is the library entry's answer to the process detach.
BOOL endModuleRuntime(HINSTANCE instance, LPVOID reserved);
