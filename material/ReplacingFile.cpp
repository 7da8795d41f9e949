#include "ReplacingFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

bool isSeparator(char c) {
#ifdef _WIN32
  return c == '/' || c == '\\' || c == ':';
#else
  return c == '/';
#endif
}

// The directory part of `path`, final separator included; "." when the path
// names a file of the current directory. Null when memory runs out.
char* directoryOf(const char* path) {
  std::size_t length = std::strlen(path);
  while (length > 0 && !isSeparator(path[length - 1])) --length;
  if (length == 0) {
    path = ".";
    length = 1;
  }
  char* directory = static_cast<char*>(std::malloc(length + 1));
  if (directory == nullptr) return nullptr;
  std::memcpy(directory, path, length);
  directory[length] = '\0';
  return directory;
}

#ifdef _WIN32

int resolveLink(const char*, char*& resolved) {
  resolved = nullptr;
  return 1;
}

bool mayReplace(const char* target) { return _access(target, 2) == 0 || errno == ENOENT; }

// GetTempFileNameA creates the file, so no other program can take the name.
std::FILE* createTemporaryFile(const char* target, const char* mode, char*& temporaryPath) {
  char* directory = directoryOf(target);
  if (directory == nullptr) return nullptr;
  char name[MAX_PATH];
  UINT created = GetTempFileNameA(directory, "mat", 0, name);
  std::free(directory);
  if (created == 0) return nullptr;
  std::size_t size = std::strlen(name) + 1;
  temporaryPath = static_cast<char*>(std::malloc(size));
  std::FILE* file = temporaryPath != nullptr ? std::fopen(name, mode) : nullptr;
  if (file == nullptr) {
    DeleteFileA(name);
    std::free(temporaryPath);
    temporaryPath = nullptr;
    return nullptr;
  }
  std::memcpy(temporaryPath, name, size);
  return file;
}

bool syncToDisk(std::FILE* file) { return _commit(_fileno(file)) == 0; }

bool replaceTarget(const char* temporaryPath, const char* target) {
  return MoveFileExA(temporaryPath, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// MOVEFILE_WRITE_THROUGH already waits until the move is on disk.
void syncDirectory(const char*) {}

#else

// A save through a symbolic link replaces the file it names, never the link.
// A link that leads nowhere cannot be saved through.
int resolveLink(const char* target, char*& resolved) {
  resolved = nullptr;
  struct stat status;
  if (lstat(target, &status) != 0 || !S_ISLNK(status.st_mode)) return 1;
  resolved = realpath(target, nullptr);
  return resolved != nullptr ? 1 : 0;
}

bool mayReplace(const char* target) { return access(target, W_OK) == 0 || errno == ENOENT; }

// mkstemp creates the file with mode 0600; the saved file must look like any
// other file of its owner, or like the file it replaces.
bool adoptPermissions(int descriptor, const char* target) {
  struct stat status;
  if (stat(target, &status) == 0) {
    if (fchown(descriptor, status.st_uid, status.st_gid) != 0) {
      // Only root can hand the file to the target's owner; anyone else saves
      // a file of their own, as every editor does.
    }
    return fchmod(descriptor, status.st_mode & 07777) == 0;
  }
  mode_t mask = umask(0);
  umask(mask);
  return fchmod(descriptor, 0666 & ~mask) == 0;
}

// A POSIX stream stores the bytes as written in any mode.
std::FILE* createTemporaryFile(const char* target, const char*, char*& temporaryPath) {
  static const char kSuffix[] = ".XXXXXX";
  std::size_t length = std::strlen(target);
  temporaryPath = static_cast<char*>(std::malloc(length + sizeof kSuffix));
  if (temporaryPath == nullptr) return nullptr;
  std::memcpy(temporaryPath, target, length);
  std::memcpy(temporaryPath + length, kSuffix, sizeof kSuffix);
  int descriptor = mkstemp(temporaryPath);
  std::FILE* file = nullptr;
  if (descriptor >= 0 && adoptPermissions(descriptor, target)) file = fdopen(descriptor, "w");
  if (file == nullptr) {
    if (descriptor >= 0) {
      ::close(descriptor);
      unlink(temporaryPath);
    }
    std::free(temporaryPath);
    temporaryPath = nullptr;
  }
  return file;
}

bool syncToDisk(std::FILE* file) { return fsync(fileno(file)) == 0; }

bool replaceTarget(const char* temporaryPath, const char* target) {
  return rename(temporaryPath, target) == 0;
}

// Makes the rename itself durable. The target has been replaced by now, so a
// failure here cannot be undone and is not reported; some file systems do not
// sync directories at all.
void syncDirectory(const char* target) {
  char* directory = directoryOf(target);
  if (directory == nullptr) return;
  int descriptor = ::open(directory, O_RDONLY | O_DIRECTORY);
  std::free(directory);
  if (descriptor < 0) return;
  fsync(descriptor);
  ::close(descriptor);
}

#endif

}  // namespace

ReplacingFile::~ReplacingFile() {
  discard();
  std::free(resolvedTarget_);
}

int ReplacingFile::open(const char* target, LineEnds lineEnds) {
  if (target == nullptr || target[0] == '\0' || file_ != nullptr) return 0;
  target_ = target;
  if (!resolveLink(target, resolvedTarget_)) return 0;
  if (resolvedTarget_ != nullptr) target_ = resolvedTarget_;
  // A rename would replace a file that the user may not write; opening it
  // for writing would not.
  if (!mayReplace(target_)) return 0;
  const char* mode = lineEnds == LineEnds::Platform ? "wt" : "wb";
  file_ = createTemporaryFile(target_, mode, temporaryPath_);
  return file_ != nullptr ? 1 : 0;
}

int ReplacingFile::write(const char* text, std::size_t length) {
  if (file_ == nullptr) return 0;
  return std::fwrite(text, 1, length, file_) == length ? 1 : 0;
}

int ReplacingFile::close() {
  if (file_ == nullptr) return 0;
  if (!finishTemporary() || !replaceTarget(temporaryPath_, target_)) {
    discard();
    return 0;
  }
  std::free(temporaryPath_);
  temporaryPath_ = nullptr;
  syncDirectory(target_);
  return 1;
}

// A disk that fills up shows at the flush on one C runtime and only at the
// close on another, so every step is checked and the close happens anyway.
int ReplacingFile::finishTemporary() {
  bool written = std::fflush(file_) == 0 && !std::ferror(file_) && syncToDisk(file_);
  bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  return written && closed ? 1 : 0;
}

void ReplacingFile::discard() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (temporaryPath_ != nullptr) {
    std::remove(temporaryPath_);
    std::free(temporaryPath_);
    temporaryPath_ = nullptr;
  }
}
