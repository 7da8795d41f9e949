#include "EditorCommand.h"

#include <windows.h>

#include <cstring>

#include "HostInterface.h"
#include "MessageText.h"

namespace {

// The host searches case-insensitively; a new file gets the lower-case name,
// relative, so it is written to the host's working directory.
constexpr const char kSearchedFileName[] = "Zodo.mat";
constexpr const char kNewFileName[] = "zodo.mat";

void copyBounded(char* destination, std::size_t size, const char* text) {
  std::size_t length = std::strlen(text);
  if (length >= size) length = size - 1;
  std::memcpy(destination, text, length);
  destination[length] = '\0';
}

// Only No ends the command: any other answer, even a box that could not be
// shown, goes on as Yes.
bool userWantsNewFile() {
  // The caption is copied aside first: the next lookup reuses the shared
  // message buffer.
  char caption[kMessageTextBufferSize];
  copyBounded(caption, sizeof caption, messageText(MessageNumber::FileNotFoundCaption));
  const char* question = messageText(MessageNumber::FileNotFoundQuestion);
  return MessageBoxA(adsw_acadMainWnd(), question, caption, MB_YESNO | MB_ICONQUESTION) != IDNO;
}

// Where the list dialog takes over: until it exists the command ends once the
// file is known (found: its path; new: "zodo.mat" and no list).
void editMaterialFile(const char* /*path*/) {}

}  // namespace

void runMaterialEditor() {
  char pathBuffer[kFindFileResultSize];
  if (ads_findfile(kSearchedFileName, pathBuffer) != kFindFileFound) {
    if (!userWantsNewFile()) return;
    copyBounded(pathBuffer, sizeof pathBuffer, kNewFileName);
  }
  editMaterialFile(pathBuffer);
}
