#include "FileOperationFaults.h"

#include <cerrno>

long FileOperationFaults::countdown_ = 0;

bool FileOperationFaults::countDown() {
  if (--countdown_ != 0) return false;
  // What a failing disk or network drive reports; a caller that tells a
  // missing file (ENOENT) from any other failure must take this as the other.
  errno = EIO;
  return true;
}
