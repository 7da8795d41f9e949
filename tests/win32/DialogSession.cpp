#include "DialogSession.h"

#include <windows.h>

#include <fstream>
#include <sstream>

MaterialList fourMaterials() {
  MaterialList head = createNode();
  append(head, makeMaterial("steel", 7.85));
  append(head, makeMaterial("Aluminium", 2.7));
  append(head, makeMaterial("brass", 8.5));
  append(head, makeMaterial("copper", 8.96));
  return head;
}

namespace {

void removeTree(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string inner = path + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        removeTree(inner);
      } else {
        DeleteFileA(inner.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
}

}  // namespace

std::string testFolder() {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  CreateDirectoryA("session-files", nullptr);
  std::string folder = std::string("session-files\\") + test->test_suite_name() + "." + test->name();
  removeTree(folder);
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::string readFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

bool fileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

const char* const kFileHeader =
    "; zodo.mat - created with KVO Material Editor\r\n"
    "; -------------------------------------------\r\n";

void ListDialogSession::TearDown() { releaseList(dialog.materials); }

bool ListDialogSession::run() {
  driver.start();
  bool ok = dialog.runModal();
  driver.stop();
  return ok;
}

void ListDialogSession::expectDriven() {
  EXPECT_TRUE(driver.succeeded()) << "step " << driver.failedLine() << ": " << driver.failure();
}

std::string joinRows(const std::vector<std::string>& rows) {
  std::string text;
  for (const std::string& row : rows) text += row + "\n";
  return text;
}

namespace {

BOOL CALLBACK findMessageText(HWND child, LPARAM found) {
  char name[16] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, "Static") != 0) return TRUE;
  if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) return TRUE;
  int length = GetWindowTextLengthA(child);
  if (length == 0) return TRUE;
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowTextA(child, &text[0], length + 1);
  text.resize(static_cast<std::size_t>(length));
  *reinterpret_cast<std::string*>(found) = text;
  return FALSE;
}

}  // namespace

std::string messageBoxText(HWND window) {
  std::string text;
  if (window != nullptr) EnumChildWindows(window, findMessageText, reinterpret_cast<LPARAM>(&text));
  return text;
}
