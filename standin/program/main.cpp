// standin-host: a small stand-in for the CAD host. It exports the host
// interface, loads a module (PRALVIK.arx beside it by default) and lets a
// user or a script run the module's commands. Exit codes: 0 all went well,
// 1 a script line did not hold (or the module released memory it never
// had), 2 the command line, the script file or the module could not be used.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "HostExports.h"
#include "HostOptions.h"
#include "ScriptParser.h"
#include "StandinHost.h"

namespace {

constexpr int kHeld = 0;
constexpr int kFailed = 1;
constexpr int kCannotRun = 2;

// C stdio rather than file streams: in the host's C++ ABI libc++ is used as
// headers only, and its streams live in its compiled library.
bool readWholeFile(const std::string& path, std::string& content) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  content.clear();
  char buffer[4096];
  std::size_t read;
  while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, read);
  bool failed = std::ferror(file) != 0;
  std::fclose(file);
  return !failed;
}

// A crash of the module must end the host with a visible reason and an exit
// code a test can tell from a failed line, never with a debugger window.
LONG WINAPI reportCrash(EXCEPTION_POINTERS* exception) {
  DWORD code = exception->ExceptionRecord->ExceptionCode;
  std::fprintf(stderr, "standin-host: crashed with exception 0x%08lX at %p\n",
               static_cast<unsigned long>(code), exception->ExceptionRecord->ExceptionAddress);
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), code);
  return EXCEPTION_EXECUTE_HANDLER;
}

void reportAllocations(const HostOptions& options) {
  AllocatorCounts counts = HostExports::allocator().counts();
  if (options.reportAllocations) {
    std::fprintf(stderr, "allocations: %ld, releases: %ld, outstanding: %ld\n", counts.allocations,
                 counts.releases, counts.outstanding);
  }
  if (options.reportRequests) {
    std::fprintf(stderr, "requests since the first command: %ld\n", counts.requests);
  }
  if (counts.invalidReleases != 0) {
    std::fprintf(stderr, "invalid releases: %ld\n", counts.invalidReleases);
  }
}

}  // namespace

int main(int argc, char** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  SetUnhandledExceptionFilter(&reportCrash);
  // Lines end in "\n" wherever the output goes, so that scripts on either
  // side can compare it with files as they are checked in.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);

  HostOptions options;
  std::string error;
  if (!parseHostOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
    std::fprintf(stderr, "standin-host: %s\n%s", error.c_str(), hostUsage());
    return kCannotRun;
  }
  if (options.helpWanted) {
    std::fputs(hostUsage(), stdout);
    return kHeld;
  }

  Script script;
  if (!options.scriptPath.empty()) {
    std::string content;
    if (!readWholeFile(options.scriptPath, content)) {
      std::fprintf(stderr, "standin-host: cannot read the script \"%s\"\n",
                   options.scriptPath.c_str());
      return kCannotRun;
    }
    ScriptFailure failure;
    if (!parseScript(content, script, failure)) {
      std::fputs(describeFailure(failure).c_str(), stderr);
      return kFailed;
    }
  }

  int result = kHeld;
  {
    StandinHost host(options);
    if (!host.start(error)) {
      std::fprintf(stderr, "standin-host: %s\n", error.c_str());
      return kCannotRun;
    }
    result = options.scriptPath.empty() ? host.runPrompt() : host.runScript(script);
    host.stop();
  }
  reportAllocations(options);
  if (HostExports::allocator().counts().invalidReleases != 0) result = kFailed;
  std::fflush(stdout);
  std::fflush(stderr);
  return result;
}
