// ReplacingFile on Windows.
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include "FileOperationFaults.h"
#include "ReplacingFile.h"
#include "ReplacingFilePlatform.h"

namespace {

// A failure that the seam asks for, reported as Windows reports a failing disk.
bool failsHere() {
  if (!FileOperationFaults::fail()) return false;
  SetLastError(ERROR_IO_DEVICE);
  return true;
}

// Reserved names ("NUL", "CON", "COM1", ... in any folder) and "\\.\pipe\..."
// are devices whatever the disk holds; their full path tells, without opening
// them (which would connect to a pipe).
bool namesDevice(const char* path) {
  char full[MAX_PATH];
  DWORD length = GetFullPathNameA(path, sizeof full, full, nullptr);
  return length > 0 && length < sizeof full && std::strncmp(full, "\\\\.\\", 4) == 0;
}

// Devices and pipes that a disk shows as files (under Wine: the nodes of the
// Unix side) are told by what an open handle leads to. No access is asked
// for, so a file that another program holds open still opens. A path that
// cannot be asked may lead to one: only a path that leads nowhere counts as
// none, as the rename would put a file in a device's place.
bool leadsToNonDisk(const char* path) {
  HANDLE handle = failsHere()
                      ? INVALID_HANDLE_VALUE
                      : CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND &&
           error != ERROR_INVALID_NAME;
  }
  DWORD type = failsHere() ? FILE_TYPE_UNKNOWN : GetFileType(handle);
  // Counted like any close; failing or not, it frees the handle.
  failsHere();
  CloseHandle(handle);
  return type != FILE_TYPE_DISK;
}

}  // namespace

bool isNonRegularFile(const char* path) {
  if (namesDevice(path)) return true;
  DWORD attributes = failsHere() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return true;
  } else {
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return false;
  }
  return leadsToNonDisk(path);
}

bool replacing::isSeparator(char c) { return c == '/' || c == '\\' || c == ':'; }

int replacing::resolveLink(const char*, char*& resolved) {
  resolved = nullptr;
  return 1;
}

bool replacing::mayReplace(const char* target) {
  return (!failsHere() && _access(target, 2) == 0) || errno == ENOENT;
}

// The ANSI functions take paths of up to MAX_PATH - 1 characters; what a
// longer one does differs (Wine creates some files whose names it then cuts),
// so it is never tried. The C runtime calls the system's "name too long" a
// missing file: its own code tells.
std::FILE* replacing::createNewFile(const char* path, const char*, bool textMode,
                                    NameTrouble& trouble) {
  trouble = NameTrouble::None;
  if (std::strlen(path) >= MAX_PATH) {
    trouble = NameTrouble::TooLong;
    return nullptr;
  }
  if (failsHere()) return nullptr;
  int flags = _O_WRONLY | _O_CREAT | _O_EXCL | (textMode ? _O_TEXT : _O_BINARY);
  int descriptor = _open(path, flags, _S_IREAD | _S_IWRITE);
  if (descriptor < 0) {
    if (errno == EEXIST) trouble = NameTrouble::Taken;
    if (_doserrno == ERROR_FILENAME_EXCED_RANGE) trouble = NameTrouble::TooLong;
    return nullptr;
  }
  std::FILE* file = failsHere() ? nullptr : _fdopen(descriptor, textMode ? "wt" : "wb");
  if (file == nullptr) {
    // A close that fails still frees the descriptor.
    failsHere();
    _close(descriptor);
    if (!failsHere()) DeleteFileA(path);
  }
  return file;
}

bool replacing::syncToDisk(std::FILE* file) {
  return !failsHere() && _commit(_fileno(file)) == 0;
}

bool replacing::replaceTarget(const char* temporaryPath, const char* target) {
  DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  return !failsHere() && MoveFileExA(temporaryPath, target, flags) != 0;
}

// MOVEFILE_WRITE_THROUGH already waits until the move is on disk.
void replacing::syncDirectory(const char*) {}
