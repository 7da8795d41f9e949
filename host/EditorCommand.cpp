#include "EditorCommand.h"

#include <windows.h>

#include <cstring>

#include "FileAsRead.h"
#include "HostInterface.h"
#include "MaterialFile.h"
#include "MaterialList.h"
#include "MaterialListDialog.h"
#include "MessageBoxTexts.h"
#include "Win32DialogRunner.h"

namespace {

// The host searches case-insensitively; a new file gets the lower-case name,
// relative, so it is written to the host's working directory.
constexpr const char kSearchedFileName[] = "Zodo.mat";
constexpr const char kNewFileName[] = "zodo.mat";

static_assert(sizeof kNewFileName <= kFindFileResultSize, "the new file's name fits the path");

// From the start of a run to its end, on the host's user-interface thread.
bool editorRunning = false;

// A box owned by the host's main window.
int askFromHostWindow(MessageNumber text, MessageNumber caption, unsigned style) {
  MessageBoxTexts texts(text, caption);
  return MessageBoxA(adsw_acadMainWnd(), texts.text(), texts.caption(), style);
}

// Only No ends the command: any other answer, even a box that could not be
// shown, goes on as Yes.
bool userWantsNewFile() {
  return askFromHostWindow(MessageNumber::FileNotFoundQuestion, MessageNumber::FileNotFoundCaption,
                           MB_YESNO | MB_ICONQUESTION) != IDNO;
}

// A found file that could not be read whole must not open the editor: the
// list would lack the file's materials, and its OK would write them away.
bool readFoundFile(const char* path, MaterialList& list, FileDigest& digest) {
  if (readMaterialFile(path, list, nullptr, &digest) == MaterialFileStatus::Read) return true;
  askFromHostWindow(MessageNumber::ReadFailedText, MessageNumber::ErrorCaption,
                    MB_OK | MB_ICONSTOP);
  return false;
}

void runEditor(Win32DialogRunner& dialogs) {
  MaterialListDialog dialog(dialogs);
  char pathBuffer[kFindFileResultSize];
  MaterialList list = nullptr;
  FileDigest digest;
  bool found = ads_findfile(kSearchedFileName, pathBuffer) == kFindFileFound;
  if (found) {
    if (!readFoundFile(pathBuffer, list, digest)) return;
  } else {
    if (!userWantsNewFile()) return;
    std::memcpy(pathBuffer, kNewFileName, sizeof kNewFileName);
  }
  // What OK compares the file with before it replaces it.
  FileAsRead asRead = found ? FileAsRead::read(pathBuffer, digest) : FileAsRead::noFile(pathBuffer);
  dialog.filePath = pathBuffer;
  dialog.materials = list;
  dialog.fileChangeCheck = &asRead;
  dialog.runModal();
  list = dialog.materials;
  releaseList(list);
}

}  // namespace

// The host may start the command again while the editor is open (a script, a
// menu macro or another application can, even while its window is
// disabled); the call then comes inside the open editor's modal loop. A
// second editor on the same file would let one OK silently undo the other's,
// so the second run only brings the open editor forward.
void runMaterialEditor() {
  Win32DialogRunner dialogs(adsw_acadMainWnd());
  if (editorRunning) {
    dialogs.bringOpenWindowToFront();
    return;
  }
  editorRunning = true;
  runEditor(dialogs);
  editorRunning = false;
}
