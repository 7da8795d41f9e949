#include "ConsoleReader.h"

#include <cstdio>
#include <string>

namespace {

// Only PostMessage is called on the window from this thread.
DWORD WINAPI readLines(void* parameter) {
  HostWindow* window = static_cast<HostWindow*>(parameter);
  std::string line;
  char chunk[256];
  while (std::fgets(chunk, sizeof chunk, stdin) != nullptr) {
    line += chunk;
    if (line.back() != '\n') continue;
    line.pop_back();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    window->postConsoleLine(new std::string(line));
    line.clear();
  }
  if (!line.empty()) window->postConsoleLine(new std::string(line));
  window->postConsoleLine(nullptr);
  return 0;
}

}  // namespace

bool startConsoleReader(HostWindow& window) {
  HANDLE thread = CreateThread(nullptr, 0, &readLines, &window, 0, nullptr);
  if (thread == nullptr) return false;
  CloseHandle(thread);
  return true;
}
