#include "EditorCommand.h"

#include <windows.h>

#include <cstring>

#include "HostInterface.h"
#include "MaterialFile.h"
#include "MaterialList.h"
#include "MaterialListDialog.h"
#include "MessageTextCopy.h"
#include "Win32DialogRunner.h"

namespace {

// The host searches case-insensitively; a new file gets the lower-case name,
// relative, so it is written to the host's working directory.
constexpr const char kSearchedFileName[] = "Zodo.mat";
constexpr const char kNewFileName[] = "zodo.mat";

static_assert(sizeof kNewFileName <= kFindFileResultSize, "the new file's name fits the path");

// A box owned by the host's main window.
int askFromHostWindow(MessageNumber text, MessageNumber caption, unsigned style) {
  MessageTextCopy captionCopy(caption);
  MessageTextCopy textCopy(text);
  return MessageBoxA(adsw_acadMainWnd(), textCopy.text(), captionCopy.text(), style);
}

// Only No ends the command: any other answer, even a box that could not be
// shown, goes on as Yes.
bool userWantsNewFile() {
  return askFromHostWindow(MessageNumber::FileNotFoundQuestion, MessageNumber::FileNotFoundCaption,
                           MB_YESNO | MB_ICONQUESTION) != IDNO;
}

// A found file that could not be read whole must not open the editor: the
// list would lack the file's materials, and its OK would write them away.
bool readFoundFile(const char* path, MaterialList& list) {
  if (readMaterialFile(path, list) == MaterialFileStatus::Read) return true;
  askFromHostWindow(MessageNumber::ReadFailedText, MessageNumber::ErrorCaption,
                    MB_OK | MB_ICONSTOP);
  return false;
}

}  // namespace

void runMaterialEditor() {
  Win32DialogRunner dialogs;
  MaterialListDialog dialog(dialogs);
  char pathBuffer[kFindFileResultSize];
  MaterialList list = nullptr;
  if (ads_findfile(kSearchedFileName, pathBuffer) == kFindFileFound) {
    if (!readFoundFile(pathBuffer, list)) return;
  } else {
    if (!userWantsNewFile()) return;
    std::memcpy(pathBuffer, kNewFileName, sizeof kNewFileName);
  }
  dialog.filePath = pathBuffer;
  dialog.materials = list;
  dialog.runModal();
  list = dialog.materials;
  releaseList(list);
}
