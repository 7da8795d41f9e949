// MinGW-w64's runtime is linked into the module; its own library entry starts
// it (static constructors) and ends it (the atexit list).
#include "ModuleRuntime.h"

extern "C" BOOL WINAPI DllMainCRTStartup(HANDLE instance, DWORD reason, LPVOID reserved);

// The C++ runtime's start takes a reserve block for exceptions raised when
// memory runs out (the number conversions bring that part of the runtime
// in), and its termination never gives it back: this, the release that the
// runtime offers leak checkers, does. Without it every unload would leave
// the block with the host's allocator.
namespace __gnu_cxx {
void __freeres();
}

void startModuleRuntime(HINSTANCE instance) {
  DllMainCRTStartup(instance, DLL_PROCESS_ATTACH, nullptr);
}

BOOL endModuleRuntime(HINSTANCE instance, LPVOID reserved) {
  BOOL ended = DllMainCRTStartup(instance, DLL_PROCESS_DETACH, reserved);
  __gnu_cxx::__freeres();
  return ended;
}
