#include "ReplacingFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "FileOperationFaults.h"
#include "ReplacingFilePlatform.h"

namespace {

// Names are tried until one is free; several saves into one folder at a time
// are the most that ever compete for them.
constexpr int kNameAttempts = 100;

// The longest temporary name: "~", eight letters or digits, ".tmp".
constexpr std::size_t kLongestName = 13;
constexpr char kNameSuffix[] = ".tmp";
constexpr std::size_t kSuffixLength = sizeof kNameSuffix - 1;

// Only lower case: Windows does not tell "A" from "a" in a name.
constexpr char kNameLetters[] = "0123456789abcdefghijklmnopqrstuvwxyz";

std::uint64_t randomState = 0;

// Not for secrecy: a name that another program holds is skipped, so the names
// only have to differ from one attempt to the next and between processes.
std::uint64_t nextRandom() {
  if (randomState == 0) {
    randomState = static_cast<std::uint64_t>(std::time(nullptr)) ^
                  (static_cast<std::uint64_t>(std::clock()) << 32) ^
                  static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(&randomState));
  }
  // splitmix64
  std::uint64_t z = (randomState += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::size_t directoryLength(const char* path) {
  std::size_t length = std::strlen(path);
  while (length > 0 && !replacing::isSeparator(path[length - 1])) --length;
  return length;
}

// A fresh name of `length` characters, "~" first ("~k3v9x0qa.tmp" in full).
void makeName(char* name, std::size_t length) {
  bool withSuffix = length > kSuffixLength + 1;
  std::size_t letters = length - 1 - (withSuffix ? kSuffixLength : 0);
  name[0] = '~';
  for (std::size_t i = 1; i <= letters; ++i) {
    name[i] = kNameLetters[nextRandom() % (sizeof kNameLetters - 1)];
  }
  if (withSuffix) std::memcpy(name + 1 + letters, kNameSuffix, kSuffixLength);
  name[length] = '\0';
}

// Windows does not tell "A" from "a" in a name, so neither does this.
bool sameName(const char* first, const char* second) {
  for (;; ++first, ++second) {
    char a = *first, b = *second;
    if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
    if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
    if (a != b) return false;
    if (a == '\0') return true;
  }
}

// Creates a new file beside `target`; its path goes to `temporaryPath`. The
// name has its full length unless that is too long for the system (a folder
// limits each name, Windows the whole path): then it is no longer than the
// target's own, which fits where the target does. It is never the target's.
std::FILE* createTemporaryFile(const char* target, bool textMode, char*& temporaryPath) {
  std::size_t directory = directoryLength(target);
  const char* targetName = target + directory;
  std::size_t targetLength = std::strlen(targetName);
  if (targetLength == 0) return nullptr;
  std::size_t shorter = targetLength < kLongestName ? targetLength : kLongestName;
  temporaryPath = static_cast<char*>(std::malloc(directory + kLongestName + 1));
  if (temporaryPath == nullptr) return nullptr;
  std::memcpy(temporaryPath, target, directory);
  char* name = temporaryPath + directory;
  std::size_t length = kLongestName;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    makeName(name, length);
    if (sameName(name, targetName)) continue;
    replacing::NameTrouble trouble = replacing::NameTrouble::None;
    std::FILE* file = replacing::createNewFile(temporaryPath, target, textMode, trouble);
    if (file != nullptr) return file;
    if (trouble == replacing::NameTrouble::TooLong && length > shorter) {
      length = shorter;
    } else if (trouble != replacing::NameTrouble::Taken) {
      break;
    }
  }
  std::free(temporaryPath);
  temporaryPath = nullptr;
  return nullptr;
}

}  // namespace

char* replacing::directoryOf(const char* path) {
  std::size_t length = directoryLength(path);
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

ReplacingFile::~ReplacingFile() {
  discard();
  std::free(resolvedTarget_);
}

int ReplacingFile::open(const char* target, LineEnds lineEnds) {
  if (target == nullptr || target[0] == '\0' || file_ != nullptr) return 0;
  target_ = target;
  if (!replacing::resolveLink(target, resolvedTarget_)) return 0;
  if (resolvedTarget_ != nullptr) target_ = resolvedTarget_;
  if (isNonRegularFile(target_) || !replacing::mayReplace(target_)) return 0;
  file_ = createTemporaryFile(target_, lineEnds == LineEnds::Platform, temporaryPath_);
  return file_ != nullptr ? 1 : 0;
}

int ReplacingFile::write(const char* text, std::size_t length) {
  if (file_ == nullptr || FileOperationFaults::fail()) return 0;
  return std::fwrite(text, 1, length, file_) == length ? 1 : 0;
}

int ReplacingFile::close() {
  if (file_ == nullptr) return 0;
  if (!finishTemporary() || !replacing::replaceTarget(temporaryPath_, target_)) {
    discard();
    return 0;
  }
  std::free(temporaryPath_);
  temporaryPath_ = nullptr;
  replacing::syncDirectory(target_);
  return 1;
}

// A disk that fills up shows at the flush on one C runtime and only at the
// close on another, so every step is checked and the close happens anyway.
int ReplacingFile::finishTemporary() {
  bool written = !FileOperationFaults::fail() && std::fflush(file_) == 0 && !std::ferror(file_) &&
                 replacing::syncToDisk(file_);
  // A close that fails has still released the stream.
  bool closeFails = FileOperationFaults::fail();
  bool closed = std::fclose(file_) == 0 && !closeFails;
  file_ = nullptr;
  return written && closed ? 1 : 0;
}

void ReplacingFile::discard() {
  if (file_ != nullptr) {
    // Counted like any close; failing or not, it releases the stream, and the
    // save has failed already.
    FileOperationFaults::fail();
    std::fclose(file_);
    file_ = nullptr;
  }
  if (temporaryPath_ != nullptr) {
    if (!FileOperationFaults::fail()) std::remove(temporaryPath_);
    std::free(temporaryPath_);
    temporaryPath_ = nullptr;
  }
}
