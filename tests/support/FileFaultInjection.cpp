#include "FileFaultInjection.h"

#include "FileOperationFaults.h"

namespace {
long armedWith = 0;
}

void FileFaultInjection::arm(long failing) {
  armedWith = failing;
  FileOperationFaults::countdown_ = failing;
}

bool FileFaultInjection::disarm(long* performed) {
  long left = FileOperationFaults::countdown_;
  FileOperationFaults::countdown_ = 0;
  if (performed != nullptr) *performed = armedWith - left;
  return left == 0;
}
