// The material list dialog on its real template and controls, with the real
// material file, driven as a user drives it.
#include <windows.h>

#include "DialogSession.h"
#include "MaterialDataDialogIds.h"
#include "MaterialFile.h"
#include "MaterialListDialogIds.h"

namespace {

const char* const kTitle = "KVO Material Editor";

const std::string kRowsInNameOrder =
    "Aluminium\t2.7\t200\t0.3\t250\t400\t50\t1.2\t460\n"
    "brass\t8.5\t200\t0.3\t250\t400\t50\t1.2\t460\n"
    "copper\t8.96\t200\t0.3\t250\t400\t50\t1.2\t460\n"
    "steel\t7.85\t200\t0.3\t250\t400\t50\t1.2\t460\n";

std::string savedMaterial(const char* name, const char* density) {
  return std::string("*") + name + "\r\n " + density + " 200 0.3 250 400 50 1.2 460\r\n";
}

// A check that the active window is a message box with this title and text.
std::function<std::string(HWND)> isMessageBox(const std::string& title, const std::string& text) {
  return [title, text](HWND window) -> std::string {
    std::string shownTitle = UserInput::windowText(window);
    std::string shownText = messageBoxText(window);
    if (shownTitle == title && shownText == text) return "";
    return "the box reads \"" + shownTitle + "\": \"" + shownText + "\"";
  };
}

std::function<std::string(HWND)> selectedRowIs(const std::string& name) {
  return [name](HWND window) -> std::string {
    ListViewReader list(GetDlgItem(window, IDC_LIST_MATERIALS));
    int row = list.selectedRow();
    char text[256] = "(none)";
    if (row >= 0) list.cellText(row, 0, text, sizeof text);
    return name == text ? "" : "the selected row is " + std::string(text);
  };
}

class ListDialogWine : public ListDialogSession {
 protected:
  void SetUp() override {
    folder = testFolder();
    path = folder + "\\zodo.mat";
    dialog.filePath = path.c_str();
  }
  void writeFourMaterials() {
    MaterialList materials = fourMaterials();
    ASSERT_EQ(saveMaterialFile(materials, path.c_str()), 1);
    releaseList(materials);
  }
  std::string folder;
  std::string path;
};

TEST_F(ListDialogWine, ShowsThePathAndTheRowsInNameOrderWithTheFocusOnTheList) {
  dialog.materials = fourMaterials();
  driver.expectWindow(kTitle);
  driver.expectText(IDC_LIST_FILE_PATH, path);
  driver.expectText(IDC_LIST_MESSAGE_LINE, "");
  driver.expectFocus(IDC_LIST_MATERIALS);
  driver.rows();
  driver.press("Cancel");
  EXPECT_FALSE(run());
  expectDriven();
  EXPECT_EQ(joinRows(driver.lastRows()), kRowsInNameOrder);
  EXPECT_FALSE(fileExists(path));
}

TEST_F(ListDialogWine, InsertedMaterialShowsInNameOrderAndOkWritesItAtTheEndOfTheFile) {
  dialog.materials = fourMaterials();
  driver.select("brass");
  driver.press("Insert...");
  driver.expectWindow("Create new material");
  driver.expectFocus(IDC_DATA_NAME);
  driver.set(IDC_DATA_NAME, "bronze");
  driver.set(IDC_DATA_DENSITY, " 8.8 g/cm^3");
  driver.set(IDC_DATA_YOUNG_MODULUS, "110");
  driver.set(IDC_DATA_POISSON_RATIO, "0.34");
  driver.set(IDC_DATA_YIELD_STRENGTH, "125");
  driver.set(IDC_DATA_TENSILE_STRENGTH, "270");
  driver.set(IDC_DATA_THERMAL_CONDUCTIVITY, "60");
  driver.set(IDC_DATA_LINEAR_EXPANSION, "1.8");
  driver.set(IDC_DATA_SPECIFIC_HEAT, "380");
  driver.press("OK");
  driver.expectWindow(kTitle);
  driver.expectFocus(IDC_LIST_MATERIALS);
  driver.check(selectedRowIs("brass"));
  driver.rows();
  driver.key("Enter");
  EXPECT_TRUE(run());
  expectDriven();
  EXPECT_EQ(driver.lastRows().at(2), "bronze\t8.8\t110\t0.34\t125\t270\t60\t1.8\t380");
  EXPECT_EQ(readFile(path), kFileHeader + savedMaterial("steel", "7.85") +
                                savedMaterial("Aluminium", "2.7") + savedMaterial("brass", "8.5") +
                                savedMaterial("copper", "8.96") +
                                "*bronze\r\n 8.8 110 0.34 125 270 60 1.8 380\r\n");
}

TEST_F(ListDialogWine, TheInsertKeyOpensTheCreateDialogWhoseRejectionsShowWithTheFocus) {
  dialog.materials = fourMaterials();
  driver.key("Insert");
  driver.expectWindow("Create new material");
  driver.expectText(IDC_DATA_MESSAGE_LINE, "");
  driver.press("OK");
  driver.expectText(IDC_DATA_MESSAGE_LINE, "Name cannot be blank.");
  driver.expectFocus(IDC_DATA_NAME);
  driver.set(IDC_DATA_NAME, "lead");
  driver.set(IDC_DATA_DENSITY, "0");
  driver.key("Enter");
  driver.expectWindow("Create new material");
  driver.expectText(IDC_DATA_MESSAGE_LINE, "Density must be > 0");
  driver.expectFocus(IDC_DATA_DENSITY);
  driver.set(IDC_DATA_DENSITY, "11.3");
  driver.set(IDC_DATA_POISSON_RATIO, "-0.4");
  driver.set(IDC_DATA_YOUNG_MODULUS, "-16");
  driver.press("OK");
  driver.expectText(IDC_DATA_MESSAGE_LINE, "Poisson ratio must be >= 0");
  driver.expectFocus(IDC_DATA_POISSON_RATIO);
  driver.key("Escape");
  driver.expectWindow(kTitle);
  driver.rows();
  driver.press("Cancel");
  EXPECT_FALSE(run());
  expectDriven();
  EXPECT_EQ(joinRows(driver.lastRows()), kRowsInNameOrder);
}

TEST_F(ListDialogWine, EditByButtonAndByDoubleClickChangesOnlyWhatEndsWithOk) {
  dialog.materials = fourMaterials();
  driver.select("brass");
  driver.press("Edit...");
  driver.expectWindow("Edit material");
  driver.expectText(IDC_DATA_NAME, "brass");
  driver.expectText(IDC_DATA_DENSITY, "8.5");
  driver.set(IDC_DATA_DENSITY, "8.4");
  driver.key("Enter");
  driver.expectWindow(kTitle);
  driver.doubleClick("copper");
  driver.expectWindow("Edit material");
  driver.expectText(IDC_DATA_NAME, "copper");
  driver.set(IDC_DATA_NAME, "never");
  driver.set(IDC_DATA_DENSITY, "-1");
  driver.press("OK");
  driver.expectText(IDC_DATA_MESSAGE_LINE, "Density must be > 0");
  driver.press("Cancel");
  driver.expectWindow(kTitle);
  driver.check(selectedRowIs("copper"));
  driver.rows();
  driver.press("OK");
  EXPECT_TRUE(run());
  expectDriven();
  EXPECT_EQ(driver.lastRows().at(1), "brass\t8.4\t200\t0.3\t250\t400\t50\t1.2\t460");
  EXPECT_EQ(driver.lastRows().at(2), "copper\t8.96\t200\t0.3\t250\t400\t50\t1.2\t460");
  EXPECT_EQ(describeNames(dialog.materials), "steel,Aluminium,brass,copper");
}

TEST_F(ListDialogWine, DeleteKeyAsksAndYesRemovesTheRowAndSelectsTheChainsFirst) {
  dialog.materials = fourMaterials();
  driver.select("Aluminium");
  driver.key("Down");  // the keyboard moves the selection to brass
  driver.check(selectedRowIs("brass"));
  driver.key("Delete");
  driver.expectWindow("Delete item");
  driver.check(isMessageBox("Delete item", "Are you sure ?"));
  driver.press("No");
  driver.expectWindow(kTitle);
  driver.key("Delete");
  driver.expectWindow("Delete item");
  driver.press("Yes");
  driver.expectWindow(kTitle);
  driver.check(selectedRowIs("steel"));
  driver.rows();
  driver.press("OK");
  EXPECT_TRUE(run());
  expectDriven();
  EXPECT_EQ(driver.lastRows().size(), 3u);
  EXPECT_EQ(describeNames(dialog.materials), "steel,Aluminium,copper");
  EXPECT_EQ(readFile(path), kFileHeader + savedMaterial("steel", "7.85") +
                                savedMaterial("Aluminium", "2.7") +
                                savedMaterial("copper", "8.96"));
}

TEST_F(ListDialogWine, AClickBelowTheRowsDeselectsButDeleteStillActsOnTheRememberedRow) {
  dialog.materials = fourMaterials();
  driver.select("copper");
  driver.check([](HWND window) -> std::string {
    HWND list = GetDlgItem(window, IDC_LIST_MATERIALS);
    RECT client;
    GetClientRect(list, &client);
    LPARAM below = MAKELPARAM(10, client.bottom - 4);
    PostMessageA(list, WM_LBUTTONUP, 0, below);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, below);
    return ListViewReader(list).selectedRow() == -1 ? "" : "a row is still selected";
  });
  driver.press("Delete");
  driver.expectWindow("Delete item");
  driver.press("Yes");
  driver.expectWindow(kTitle);
  driver.press("Cancel");
  EXPECT_FALSE(run());
  expectDriven();
  EXPECT_EQ(describeNames(dialog.materials), "steel,Aluminium,brass,-");
}

TEST_F(ListDialogWine, DeleteAllAnsweredNoKeepsTheRowsAndForgetsTheSelection) {
  dialog.materials = fourMaterials();
  driver.select("steel");
  driver.press("Delete All");
  driver.expectWindow("Delete All Items");
  driver.check(isMessageBox("Delete All Items", "Are you sure ?"));
  driver.press("No");
  driver.expectWindow(kTitle);
  driver.press("Edit...");  // nothing to edit any more
  driver.expectWindow(kTitle);
  driver.rows();
  driver.press("Cancel");
  EXPECT_FALSE(run());
  expectDriven();
  EXPECT_EQ(joinRows(driver.lastRows()), kRowsInNameOrder);
  EXPECT_EQ(peer.selectedNodeIndex(), -1);
}

TEST_F(ListDialogWine, OkAfterDeleteAllWritesAFileWithoutMaterials) {
  writeFourMaterials();
  dialog.materials = loadMaterialFile(path.c_str());
  driver.press("Delete All");
  driver.expectWindow("Delete All Items");
  driver.press("Yes");
  driver.expectWindow(kTitle);
  driver.rows();
  driver.press("OK");
  EXPECT_TRUE(run());
  expectDriven();
  EXPECT_TRUE(driver.lastRows().empty());
  EXPECT_EQ(dialog.materials, nullptr);
  EXPECT_EQ(readFile(path), kFileHeader);
}

TEST_F(ListDialogWine, OkWithAListThatNeverExistedWritesNothing) {
  driver.expectText(IDC_LIST_FILE_PATH, path);
  driver.key("Delete");
  driver.press("Delete All");
  driver.expectWindow(kTitle);
  driver.press("OK");
  EXPECT_TRUE(run());
  expectDriven();
  EXPECT_FALSE(fileExists(path));
}

TEST_F(ListDialogWine, AFailedSaveSaysSoAndKeepsTheDialogOpenUntilTheCauseIsGone) {
  dialog.materials = fourMaterials();
  CreateDirectoryA(path.c_str(), nullptr);  // where the file must go
  driver.select("brass");
  driver.key("Enter");
  driver.expectWindow("Error");
  driver.check(isMessageBox("Error", "Cannot save file."));
  driver.press("OK");
  driver.expectWindow(kTitle);
  driver.check(selectedRowIs("brass"));
  driver.rows();
  driver.check([this](HWND) -> std::string {
    return RemoveDirectoryA(path.c_str()) ? "" : "the folder in the way stays";
  });
  driver.press("OK");
  EXPECT_TRUE(run());
  expectDriven();
  EXPECT_EQ(joinRows(driver.lastRows()), kRowsInNameOrder);
  EXPECT_EQ(readFile(path), kFileHeader + savedMaterial("steel", "7.85") +
                                savedMaterial("Aluminium", "2.7") + savedMaterial("brass", "8.5") +
                                savedMaterial("copper", "8.96"));
}

TEST_F(ListDialogWine, AFailedSaveLeavesTheOldFileAndCancelThenKeepsIt) {
  writeFourMaterials();
  std::string before = readFile(path);
  dialog.materials = loadMaterialFile(path.c_str());
  dialog.filePath = folder.c_str();  // a folder cannot be replaced by a file
  driver.press("Delete All");
  driver.press("Yes");
  driver.press("OK");
  driver.expectWindow("Error");
  driver.press("OK");
  driver.expectWindow(kTitle);
  driver.press("Cancel");
  EXPECT_FALSE(run());
  expectDriven();
  EXPECT_EQ(readFile(path), before);
}

TEST_F(ListDialogWine, EscapeAndTheCloseBoxCancel) {
  dialog.materials = fourMaterials();
  driver.key("Escape");
  EXPECT_FALSE(run());
  expectDriven();

  DialogDriver closer;
  closer.expectWindow(kTitle);
  closer.check([](HWND window) -> std::string {
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return "";
  });
  closer.start();
  EXPECT_FALSE(dialog.runModal());
  closer.stop();
  EXPECT_TRUE(closer.succeeded()) << closer.failure();
  EXPECT_FALSE(fileExists(path));
}

}  // namespace
