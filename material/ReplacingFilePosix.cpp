// ReplacingFile on POSIX systems.
#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FileOperationFaults.h"
#include "ReplacingFile.h"
#include "ReplacingFilePlatform.h"

namespace {

// A new file gets the permissions of any other new file of its owner; one
// that replaces a file keeps that file's. Only a target that is not there
// makes a new file: one that cannot be asked (a network drive gone for a
// moment) would else lose its permissions to the save. The target is asked
// once more whether it is a regular file, since the first asking may have
// failed: the rename would put the file where a pipe or a device was.
bool adoptPermissions(int descriptor, const char* target) {
  struct stat status;
  bool found = !FileOperationFaults::fail() && stat(target, &status) == 0;
  if (!found && errno != ENOENT) return false;
  if (found) {
    if (!S_ISREG(status.st_mode)) return false;
    if (FileOperationFaults::fail() || fchown(descriptor, status.st_uid, status.st_gid) != 0) {
      // Only root can hand the file to the target's owner; anyone else saves
      // a file of their own, as every editor does.
    }
    return !FileOperationFaults::fail() && fchmod(descriptor, status.st_mode & 07777) == 0;
  }
  mode_t mask = umask(0);
  umask(mask);
  return !FileOperationFaults::fail() && fchmod(descriptor, 0666 & ~mask) == 0;
}

}  // namespace

bool isNonRegularFile(const char* path) {
  struct stat status;
  return !FileOperationFaults::fail() && stat(path, &status) == 0 && !S_ISREG(status.st_mode);
}

bool replacing::isSeparator(char c) { return c == '/'; }

// A save through a symbolic link replaces the file it names, never the link.
// A target that cannot be asked may be a link, so only one that is not there
// counts as none.
int replacing::resolveLink(const char* target, char*& resolved) {
  resolved = nullptr;
  struct stat status;
  if (FileOperationFaults::fail() || lstat(target, &status) != 0) return errno == ENOENT ? 1 : 0;
  if (!S_ISLNK(status.st_mode)) return 1;
  resolved = FileOperationFaults::fail() ? nullptr : realpath(target, nullptr);
  return resolved != nullptr ? 1 : 0;
}

bool replacing::mayReplace(const char* target) {
  return (!FileOperationFaults::fail() && access(target, W_OK) == 0) || errno == ENOENT;
}

// A POSIX stream stores the bytes as written in either mode.
std::FILE* replacing::createNewFile(const char* path, const char* target, bool,
                                    NameTrouble& trouble) {
  trouble = NameTrouble::None;
  int descriptor = FileOperationFaults::fail()
                       ? -1
                       : ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (descriptor < 0) {
    if (errno == EEXIST) trouble = NameTrouble::Taken;
    if (errno == ENAMETOOLONG) trouble = NameTrouble::TooLong;
    return nullptr;
  }
  std::FILE* file = adoptPermissions(descriptor, target) && !FileOperationFaults::fail()
                         ? fdopen(descriptor, "w")
                         : nullptr;
  if (file == nullptr) {
    // A close that fails still frees the descriptor.
    FileOperationFaults::fail();
    ::close(descriptor);
    if (!FileOperationFaults::fail()) unlink(path);
  }
  return file;
}

bool replacing::syncToDisk(std::FILE* file) {
  return !FileOperationFaults::fail() && fsync(fileno(file)) == 0;
}

bool replacing::replaceTarget(const char* temporaryPath, const char* target) {
  return !FileOperationFaults::fail() && rename(temporaryPath, target) == 0;
}

// The target has been replaced by now, so a failure here cannot be undone and
// is not reported; some file systems do not sync directories at all.
void replacing::syncDirectory(const char* target) {
  char* directory = directoryOf(target);
  if (directory == nullptr) return;
  int descriptor = FileOperationFaults::fail() ? -1 : ::open(directory, O_RDONLY | O_DIRECTORY);
  std::free(directory);
  if (descriptor < 0) return;
  if (!FileOperationFaults::fail()) fsync(descriptor);
  // Counted like any close; failing or not, it frees the descriptor.
  FileOperationFaults::fail();
  ::close(descriptor);
}
