#include "FileAsRead.h"

#include "FileDigestReading.h"

bool FileAsRead::changedSinceRead() {
  FileDigest now;
  switch (digestFile(path_, now)) {
    case FileDigestStatus::Read:
      return !existed_ || now != digest_;
    case FileDigestStatus::NoFile:
      return existed_;
    case FileDigestStatus::Unreadable:
      break;
  }
  return true;
}
