// The module's entry points: the library entry point that the operating
// system calls, and the three exports that the host calls (names fixed by
// PRALVIK.def). The language runtime does not start at load: the host starts
// it through _SetacrxPtp, and its termination runs at unload.
#include <windows.h>

#include "EditorApp.h"
#include "HostInterface.h"
#include "HostObjects.h"
#include "ModuleRuntime.h"

namespace {

// Module-wide state, touched only on the host's user-interface thread.
HINSTANCE moduleInstance = nullptr;
bool runtimeStarted = false;
HostObjects hostObjects;

// Constructed by the runtime start in _SetacrxPtp, destroyed by its
// termination at unload.
EditorApp editorApp;

void attachFramework() {
  EditorApp* app = EditorApp::current();
  if (app != nullptr) app->start();
}

void detachFramework() {
  EditorApp* app = EditorApp::current();
  if (app != nullptr) app->stop();
}

// The packet goes to the linker when there is one; the application starts
// either way, whatever the linker does.
void initApplication(void* packet) {
  hostObjects.handPacketToLinker(packet);
  attachFramework();
}

void unloadApplication() { detachFramework(); }

}  // namespace

extern "C" BOOL WINAPI ModuleEntry(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      moduleInstance = instance;
      return TRUE;
    case DLL_PROCESS_DETACH:
      if (!runtimeStarted) return FALSE;
      runtimeStarted = false;
      return endModuleRuntime(moduleInstance, reserved);
    default:
      return TRUE;
  }
}

extern "C" int _SetacrxPtp() {
  // A second start would construct every static object again over the first.
  if (!runtimeStarted) {
    runtimeStarted = true;
    startModuleRuntime(moduleInstance);
  }
  return 1;
}

extern "C" std::uint32_t acrxGetApiVersion() { return kModuleApiVersion; }

extern "C" int acrxEntryPoint(unsigned message, void* packet) {
  switch (message) {
    case kInitApplicationMessage:
      initApplication(packet);
      break;
    case kUnloadApplicationMessage:
      unloadApplication();
      break;
    case kLoadDrawingMessage:
      hostObjects.registerCommands();
      break;
    case kUnloadDrawingMessage:
      hostObjects.unregisterCommands();
      break;
    default:
      break;
  }
  return 0;
}
