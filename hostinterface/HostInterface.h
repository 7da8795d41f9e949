// The boundary between the CAD host and the module: the host objects and
// functions that the host exports and the module imports, and the three
// functions that the module exports for the host. Both sides are built from
// this one header, so the virtual function tables the module calls through are
// the ones the host fills in (same compiler on both sides).
//
// The host-side functions come from the host's executable: the module links
// against that executable's import library, so the module's import table names
// the executable's file. A program that loads the module must carry that file
// name (docs/standin-host.md says how the stand-in host and the tests do it).
#pragma once

#include <cstddef>
#include <cstdint>

// Set while compiling the program that implements the host side.
#if defined(_WIN32) && defined(PRALVIK_HOST_EXPORTS)
#define HOST_INTERFACE __declspec(dllexport)
#else
#define HOST_INTERFACE
#endif

// The window handle type of <windows.h>, declared so that code without the
// Windows headers (the registration logic, its native tests) can see it.
struct HWND__;
typedef HWND__* HWND;

class AcRxClass;

// Every object that the host hands out. The module never creates or destroys
// host objects; the host keeps them alive for as long as it runs.
class AcRxObject {
 public:
  // The object's class record, or absent for an object made without one.
  virtual AcRxClass* isA() const = 0;

 protected:
  ~AcRxObject() = default;
};

// The record of one host class.
class AcRxClass : public AcRxObject {
 public:
  // Nonzero when this class is `expected` or derives from it; 0 otherwise,
  // also for an absent `expected`.
  virtual int isDerivedFrom(const AcRxClass* expected) const = 0;

 protected:
  ~AcRxClass() = default;
};

// Host objects by name.
class AcRxDictionary : public AcRxObject {
 public:
  // The object stored under `key` (zero-terminated), or absent.
  virtual AcRxObject* at(const char* key) const = 0;

 protected:
  ~AcRxDictionary() = default;
};

// The host's keeper of loaded modules.
class AcRxDynamicLinker : public AcRxObject {
 public:
  // The class record of the dynamic linker.
  HOST_INTERFACE static AcRxClass* desc();

  // Takes the packet that came with the module's initialisation message. The
  // result says whether the linker knew the packet; modules may ignore it.
  virtual int acceptPacket(void* packet) = 0;

 protected:
  ~AcRxDynamicLinker() = default;
};

// A command as the host calls it: no arguments, no result.
using AcEdCommandFunction = void (*)();

// Result codes of the command stack.
constexpr int kCommandStackOk = 0;
constexpr int kCommandStackDuplicate = 1;  // the group already has a command of that name
constexpr int kCommandStackNoGroup = 2;    // no group of that name
constexpr int kCommandStackBadArgument = 3;

// The host's registered commands, held in named groups.
class AcEdCommandStack : public AcRxObject {
 public:
  // Makes `function` callable under `globalName` and `localName` until the
  // group is removed. A name that the group already holds is refused.
  virtual int addCommand(const char* groupName, const char* globalName, const char* localName,
                         int flags, AcEdCommandFunction function) = 0;
  // Removes the group with all its commands.
  virtual int removeGroup(const char* groupName) = 0;

 protected:
  ~AcEdCommandStack() = default;
};

// Keys of the system registry and of its class dictionary.
constexpr const char kDynamicLinkerKey[] = "DynamicLinker";
constexpr const char kRegisteredCommandsKey[] = "ACAD_REGISTERED_COMMANDS";
constexpr const char kClassDictionaryKey[] = "ClassDictionary";
constexpr const char kCommandStackClassName[] = "AcEdCommandStack";

// ads_findfile's answer when it found the file; any other answer means not
// found. The result buffer holds kFindFileResultSize characters, terminator
// included.
constexpr int kFindFileFound = 5100;
constexpr int kFindFileNotFound = -5001;
constexpr std::size_t kFindFileResultSize = 260;

extern "C" {

// The host's registry of named objects; always present.
HOST_INTERFACE AcRxDictionary* acrxSysRegistry();

// Looks for a file of that name along the host's search path. On
// kFindFileFound `result` holds the file's path, zero-terminated; otherwise
// `result` is left undefined.
HOST_INTERFACE int ads_findfile(const char* name, char* result);

// The host's main window, owner of the module's top-level message boxes.
HOST_INTERFACE HWND adsw_acadMainWnd();

// The host's allocator, with the contracts of the C runtime's malloc, calloc,
// realloc, free, _msize and strdup.
HOST_INTERFACE void* acad_malloc(std::size_t size);
HOST_INTERFACE void* acad_calloc(std::size_t count, std::size_t size);
HOST_INTERFACE void* acad_realloc(void* block, std::size_t size);
HOST_INTERFACE void acad_free(void* block);
HOST_INTERFACE std::size_t acad__msize(void* block);
HOST_INTERFACE char* acad__strdup(const char* text);

}  // extern "C"

// What the module exports, by these names, with C linkage.
enum HostMessage : unsigned {
  kInitApplicationMessage = 1,
  kUnloadApplicationMessage = 2,
  kLoadDrawingMessage = 3,
  kUnloadDrawingMessage = 4,
};

constexpr std::uint32_t kModuleApiVersion = 0x000D0004;

using AcrxEntryPointFunction = int (*)(unsigned message, void* packet);
using AcrxGetApiVersionFunction = std::uint32_t (*)();
using SetacrxPtpFunction = int (*)();

constexpr const char kEntryPointExport[] = "acrxEntryPoint";
constexpr const char kApiVersionExport[] = "acrxGetApiVersion";
constexpr const char kRuntimeStartExport[] = "_SetacrxPtp";
