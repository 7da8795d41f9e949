// The editor's innermost window brought back to the front when the user had
// turned to another window, as a second run of the command does.
#include <windows.h>

#include "DialogSession.h"

namespace {

HWND createTopLevelWindow(const char* title, int x) {
  return CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, 0, 300, 200,
                         nullptr, nullptr, nullptr, nullptr);
}

class BringToFrontWine : public ::testing::Test {
 protected:
  ~BringToFrontWine() override {
    DestroyWindow(other);
    DestroyWindow(host);
  }

  // A check that the user turns to another window and the editor's open
  // window comes back to the front.
  std::function<std::string(HWND)> broughtBack() {
    return [this](HWND innermost) -> std::string {
      SetActiveWindow(other);
      if (GetActiveWindow() != other) return "the other window did not become active";
      dialogs.bringOpenWindowToFront();
      if (GetActiveWindow() != innermost)
        return "\"" + UserInput::windowText(innermost) + "\" is not in front";
      return "";
    };
  }

  HWND host = createTopLevelWindow("Host", 0);
  HWND other = createTopLevelWindow("Other", 320);
  Win32DialogRunner dialogs{host};
  DialogDriver driver;
};

// Who owns which window, the end-to-end tests check in the stand-in host.
TEST_F(BringToFrontWine, TheInnermostDialogComesBackToTheFront) {
  MaterialListDialog dialog(dialogs);
  dialog.materials = fourMaterials();
  driver.expectWindow("KVO Material Editor");
  driver.press("Insert...");
  driver.expectWindow("Create new material");
  driver.check(broughtBack());
  driver.press("Cancel");
  driver.expectWindow("KVO Material Editor");
  driver.check(broughtBack());
  driver.key("Escape");
  driver.start();
  EXPECT_FALSE(dialog.runModal());
  driver.stop();
  EXPECT_TRUE(driver.succeeded()) << "step " << driver.failedLine() << ": " << driver.failure();
  EXPECT_TRUE(IsWindowEnabled(host));
  releaseList(dialog.materials);
}

// The command's own question is owned by the host's window, with no dialog
// of the editor open yet.
TEST_F(BringToFrontWine, ABoxOfTheHostsWindowComesBackToTheFrontToo) {
  driver.expectWindow("Create new file");
  driver.check(broughtBack());
  driver.press("No");
  driver.start();
  MessageBoxA(host, "The file zodo.mat not found. Create new file ?", "Create new file",
              MB_YESNO | MB_ICONQUESTION);
  driver.stop();
  EXPECT_TRUE(driver.succeeded()) << "step " << driver.failedLine() << ": " << driver.failure();
}

}  // namespace
