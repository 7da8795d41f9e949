// A test module built from the module's own entry points, application object
// and allocator routing, with exports that let a test host look inside, and a
// command `me` that allocates through the material core (for the allocation
// failure sweep of the stand-in host).
#include "ProbeModule.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <string.h>
#include <initializer_list>
#include <new>

#include "EditorApp.h"
#include "EditorCommand.h"
#include "MaterialList.h"
#include "ModuleResources.h"

namespace {

struct alignas(64) OverAligned {
  char bytes[64];
};

// The compiler may drop an allocation whose block goes nowhere; a block
// stored here has gone somewhere.
void* volatile escapedBlock = nullptr;

template <typename T>
T* escaped(T* block) {
  escapedBlock = block;
  return block;
}

// Allocates through one entry and gives the block back through its partner;
// 0 when the allocation came back null, or the block is not what was asked.
int allocateThrough(int entry) {
  switch (entry) {
    case kProbeMalloc: {
      void* block = escaped(std::malloc(16));
      if (block == nullptr) return 0;
      bool sized = _msize(block) == 16;
      std::free(block);
      return sized ? 1 : 0;
    }
    case kProbeCalloc: {
      unsigned char* block = escaped(static_cast<unsigned char*>(std::calloc(4, 4)));
      if (block == nullptr) return 0;
      bool zeroed = block[0] == 0 && block[15] == 0;
      std::free(block);
      return zeroed ? 1 : 0;
    }
    case kProbeRealloc: {
      void* block = escaped(std::realloc(nullptr, 16));
      if (block == nullptr) return 0;
      std::free(block);
      return 1;
    }
    case kProbeStrdup: {
      char* copy = escaped(strdup("probe"));
      if (copy == nullptr) return 0;
      bool same = std::strcmp(copy, "probe") == 0;
      std::free(copy);
      return same ? 1 : 0;
    }
    case kProbeHeaderStrdup: {
      char* copy = escaped(_strdup("probe"));
      if (copy == nullptr) return 0;
      bool same = std::strcmp(copy, "probe") == 0;
      std::free(copy);
      return same ? 1 : 0;
    }
    case kProbeNew: {
      int* object = escaped(new int(7));
      if (object == nullptr) return 0;
      delete object;
      return 1;
    }
    case kProbeNewArray: {
      char* array = escaped(new char[32]);
      if (array == nullptr) return 0;
      delete[] array;
      return 1;
    }
    case kProbeNothrowNew: {
      char* array = escaped(new (std::nothrow) char[32]);
      if (array == nullptr) return 0;
      delete[] array;
      return 1;
    }
    case kProbeAlignedNew: {
      OverAligned* object = escaped(new OverAligned);
      if (object == nullptr) return 0;
      bool aligned = reinterpret_cast<std::uintptr_t>(object) % alignof(OverAligned) == 0;
      delete object;
      return aligned ? 1 : 0;
    }
    default:
      return 0;
  }
}

}  // namespace

extern "C" int probeEditorAppExists() { return EditorApp::current() != nullptr ? 1 : 0; }

extern "C" int probeEditorAppStarted() {
  EditorApp* app = EditorApp::current();
  return app != nullptr && app->started() ? 1 : 0;
}

extern "C" HINSTANCE probeResourceInstance() { return moduleResources(); }

extern "C" int probeAllocate(int entry) { return allocateThrough(entry); }

extern "C" void probeDelete(void* object) { delete static_cast<OverAligned*>(object); }

extern "C" void probeFree(void* block) { std::free(block); }

// Builds a list of three materials, each with a rejected value so that its
// error text is copied too, and releases it; stops early, leaking nothing,
// when memory runs out.
void runMaterialEditor() {
  MaterialList list = createNode();
  if (list == nullptr) return;
  for (const char* name : {"steel", "copper", "brass"}) {
    Material* material = createMaterial();
    if (material == nullptr) break;
    material->setName(name);
    material->setDensity(-1.0);
    if (append(list, material) == 0) {
      releaseMaterial(material);
      break;
    }
  }
  releaseList(list);
}
