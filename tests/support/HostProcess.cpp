#include "HostProcess.h"

#include <cstdio>

namespace {

// A file for one standard stream, gone when the last handle closes. The
// host inherits it; the test reads it from the start once the host ended.
HANDLE streamFile() {
  char folder[MAX_PATH];
  char path[MAX_PATH];
  if (GetTempPathA(sizeof folder, folder) == 0 || GetTempFileNameA(folder, "hst", 0, path) == 0) {
    return INVALID_HANDLE_VALUE;
  }
  SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
  return CreateFileA(path, GENERIC_READ | GENERIC_WRITE,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherited,
                     CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

std::string readFromStart(HANDLE file) {
  std::string content;
  if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return content;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0)
    content.append(chunk, read);
  return content;
}

void closeFile(HANDLE& file) {
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  file = INVALID_HANDLE_VALUE;
}

}  // namespace

std::string quotedArgument(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled, and the quote escaped.
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + "\"";
}

HostProcess::~HostProcess() {
  if (process_ != nullptr) TerminateProcess(process_, 1);
  closeHandles();
}

void HostProcess::closeHandles() {
  if (process_ != nullptr) CloseHandle(process_);
  process_ = nullptr;
  closeFile(input_);
  closeFile(output_);
  closeFile(errors_);
}

bool HostProcess::start(const HostInvocation& invocation) {
  input_ = streamFile();
  output_ = streamFile();
  errors_ = streamFile();
  if (input_ == INVALID_HANDLE_VALUE || output_ == INVALID_HANDLE_VALUE ||
      errors_ == INVALID_HANDLE_VALUE) {
    closeHandles();
    return false;
  }
  DWORD written = 0;
  WriteFile(input_, invocation.input.data(), static_cast<DWORD>(invocation.input.size()), &written,
            nullptr);
  SetFilePointer(input_, 0, nullptr, FILE_BEGIN);

  std::string commandLine = quotedArgument(invocation.program);
  for (const std::string& argument : invocation.arguments)
    commandLine += " " + quotedArgument(argument);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input_;
  startup.hStdOutput = output_;
  startup.hStdError = errors_;
  PROCESS_INFORMATION created = {};
  const char* folder =
      invocation.workingFolder.empty() ? nullptr : invocation.workingFolder.c_str();
  if (!CreateProcessA(invocation.program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0,
                      nullptr, folder, &startup, &created)) {
    closeHandles();
    return false;
  }
  CloseHandle(created.hThread);
  process_ = created.hProcess;
  return true;
}

HostOutcome HostProcess::finish(DWORD limitMilliseconds) {
  HostOutcome outcome;
  if (process_ == nullptr) return outcome;
  outcome.started = true;
  if (WaitForSingleObject(process_, limitMilliseconds) != WAIT_OBJECT_0) {
    outcome.timedOut = true;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, INFINITE);
  }
  GetExitCodeProcess(process_, &outcome.exitCode);
  outcome.output = readFromStart(output_);
  outcome.errors = readFromStart(errors_);
  closeHandles();
  return outcome;
}

HostOutcome runHost(const HostInvocation& invocation) {
  HostProcess process;
  if (!process.start(invocation)) return HostOutcome{};
  return process.finish();
}

AllocationReport allocationReport(const std::string& errors) {
  AllocationReport report;
  std::string::size_type line = errors.find("allocations: ");
  if (line != std::string::npos) {
    report.present =
        std::sscanf(errors.c_str() + line, "allocations: %ld, releases: %ld, outstanding: %ld",
                    &report.allocations, &report.releases, &report.outstanding) == 3;
  }
  line = errors.find("requests since the first command: ");
  if (line != std::string::npos) {
    std::sscanf(errors.c_str() + line, "requests since the first command: %ld", &report.requests);
  }
  return report;
}

long fileOperationCount(const std::string& errors) {
  long count = -1;
  std::string::size_type line = errors.find("file operations since the first command: ");
  if (line != std::string::npos)
    std::sscanf(errors.c_str() + line, "file operations since the first command: %ld", &count);
  return count;
}
