#include "FileReading.h"

#include <cerrno>
#include <cstring>

#include "ReplacingFile.h"

std::string readFailureText(const std::string& path, MaterialFileStatus status, int errorNumber) {
  switch (status) {
    case MaterialFileStatus::Read:
      break;
    case MaterialFileStatus::CannotOpen:
      return "cannot open " + path + ": " + std::strerror(errorNumber);
    case MaterialFileStatus::ReadFailed:
      return "error while reading " + path + ": " + std::strerror(errorNumber);
    case MaterialFileStatus::OutOfMemory:
      return "out of memory while reading " + path;
  }
  return "";
}

bool readForCommand(const std::string& path, OwnedList& list, Console& console,
                    MaterialFileObserver* observer) {
  MaterialList head = nullptr;
  errno = 0;
  MaterialFileStatus status = readMaterialFile(path.c_str(), head, observer);
  int errorNumber = errno;
  list.reset(head);
  if (status == MaterialFileStatus::Read) return true;
  console.err << "matfile: " << readFailureText(path, status, errorNumber) << "\n";
  return false;
}

bool checkSaveTarget(const std::string& path, Console& console) {
  if (!isNonRegularFile(path.c_str())) return true;
  console.err << path << ": not a regular file (a folder, a device or a pipe); nothing written\n";
  return false;
}
