// The stand-in host's start in the host's C++ ABI, where no C++ runtime
// library is linked (libc++ as headers only, msvcrt.dll for C): what such a
// library's program entry and support would give. msvcrt.dll's own
// functions do the work: argument parsing, the static constructors between
// the section markers, the exit list that runs the destructors.
#include <cstdio>
#include <cstdlib>
#include <new>

extern "C" {
void __cdecl __getmainargs(int* count, char*** arguments, char*** environment, int expandWildcards,
                           int* startInfo);
typedef void(__cdecl* StaticFunction)();
void __cdecl _initterm(StaticFunction* begin, StaticFunction* end);
void __cdecl __set_app_type(int type);
}

int main(int argumentCount, char** arguments);

namespace {

#pragma section(".CRT$XCA", read)
#pragma section(".CRT$XCZ", read)
__declspec(allocate(".CRT$XCA")) StaticFunction firstConstructor = nullptr;
__declspec(allocate(".CRT$XCZ")) StaticFunction pastConstructors = nullptr;

// The program's own allocations fail only when the machine is out of memory;
// the host's allocator, which the modules use, is a different matter.
void* allocateOrEnd(std::size_t size) {
  void* block = std::malloc(size != 0 ? size : 1);
  if (block == nullptr) {
    std::fputs("standin-host: out of memory\n", stderr);
    std::abort();
  }
  return block;
}

}  // namespace

extern "C" int mainCRTStartup() {
  int argumentCount = 0;
  char** arguments = nullptr;
  char** environment = nullptr;
  int startInfo = 0;
  // A console program: the runtime reports its errors (abort) on standard
  // error, where an unattended run can read them, never in a message box.
  constexpr int kConsoleProgram = 1;
  __set_app_type(kConsoleProgram);
  __getmainargs(&argumentCount, &arguments, &environment, 0, &startInfo);
  _initterm(&firstConstructor + 1, &pastConstructors);
  std::exit(main(argumentCount, arguments));
}

// Static destructors registered by the compiler's code run at exit, in the
// reverse order, through msvcrt.dll's list.
extern "C" int __cdecl atexit(StaticFunction function) {
  return _onexit(reinterpret_cast<_onexit_t>(function)) != nullptr ? 0 : -1;
}

extern "C" int _fltused = 0;

const std::nothrow_t std::nothrow{};

void* operator new(std::size_t size) { return allocateOrEnd(size); }
void* operator new[](std::size_t size) { return allocateOrEnd(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
