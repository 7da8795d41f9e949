#include "FileReading.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "MaterialFileObserver.h"
#include "ReplacingFile.h"

namespace {

// Holds back what the reader reports until it is known that the file is a
// material file at all: a table read as one would be reported line by line.
class HeldReports : public MaterialFileObserver {
 public:
  void lineDropped(long lineNumber, DroppedLine cause) override {
    events_.push_back({Kind::Dropped, lineNumber, cause, "", nullptr});
    if (cause != DroppedLine::NumbersWithoutName) sawNameLine_ = true;
  }
  void valueRejected(long lineNumber, const char* message) override {
    events_.push_back(
        {Kind::Rejected, lineNumber, DroppedLine::NumbersWithoutName, message, nullptr});
  }
  void materialRead(long nameLineNumber, const Material& material) override {
    events_.push_back({Kind::Read, nameLineNumber, DroppedLine::NumbersWithoutName, "", &material});
    sawNameLine_ = true;
  }

  // Lines that are neither comments nor blank, and not one of them starts a
  // material: whatever the file is, it is no material file.
  bool noMaterialFile() const { return !sawNameLine_ && !events_.empty(); }

  void passOn(MaterialFileObserver& observer) const {
    for (const Event& event : events_) {
      switch (event.kind) {
        case Kind::Dropped:
          observer.lineDropped(event.line, event.cause);
          break;
        case Kind::Rejected:
          observer.valueRejected(event.line, event.message.c_str());
          break;
        case Kind::Read:
          observer.materialRead(event.line, *event.material);
          break;
      }
    }
  }

 private:
  enum class Kind { Dropped, Rejected, Read };
  struct Event {
    Kind kind;
    long line;
    DroppedLine cause;
    std::string message;
    const Material* material;
  };
  std::vector<Event> events_;
  bool sawNameLine_ = false;
};

// The first bytes of a regular file; nothing of a pipe, which a second read
// would miss.
std::string leadingBytes(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return "";
  std::string bytes(4096, '\0');
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return "";
  bytes.resize(std::fread(&bytes[0], 1, bytes.size(), file));
  std::fclose(file);
  return bytes;
}

// A zero byte in a file that does not start as a material file does (a
// comment or a name line): a workbook, a picture, another program's file. A
// material file with a stray zero byte is still reported line by line.
bool isNoText(const std::string& bytes) {
  std::size_t first = bytes.find_first_not_of(" \t\r\n");
  if (first == std::string::npos || bytes[first] == ';' || bytes[first] == '*') return false;
  return bytes.find('\0') != std::string::npos;
}

// Why `path` is no material file, or "" when it may be one.
std::string noMaterialFileText(const std::string& path, const std::string& bytes,
                               const HeldReports& held) {
  if (isNoText(bytes)) {
    return path +
           " is not a material file: it holds bytes that are no text (a workbook or "
           "another program's file?)";
  }
  if (!held.noMaterialFile()) return "";
  std::string firstLine = bytes.substr(0, bytes.find_first_of("\r\n"));
  std::string text = path +
                     " is not a material file: no line of it starts a material (\"*\" "
                     "and a name)";
  if (firstLine.find_first_of(",;\t") != std::string::npos) {
    text += "; a table goes in with matfile import " + path + " --into FILE";
  }
  return text;
}

}  // namespace

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

bool readForComparison(const std::string& path, OwnedList& list, Console& console,
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

bool readForCommand(const std::string& path, OwnedList& list, Console& console,
                    MaterialFileObserver* observer) {
  HeldReports held;
  if (!readForComparison(path, list, console, &held)) return false;
  std::string refusal = noMaterialFileText(path, leadingBytes(path), held);
  if (!refusal.empty()) {
    list.reset(nullptr);
    console.err << "matfile: " << refusal << '\n';
    return false;
  }
  if (observer != nullptr) held.passOn(*observer);
  return true;
}

bool checkSaveTarget(const std::string& path, Console& console) {
  if (!isNonRegularFile(path.c_str())) return true;
  console.err << path << ": not a regular file (a folder, a device or a pipe); nothing written\n";
  return false;
}
