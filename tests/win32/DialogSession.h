// A session with the real dialogs on the real controls, driven by a
// DialogDriver as a user would drive them, with materials and files to check
// afterwards.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "DialogDriver.h"
#include "ListView.h"
#include "ListViewReader.h"
#include "UserInput.h"
#include "MaterialListDialog.h"
#include "MaterialListDialogPeer.h"
#include "TestMaterials.h"
#include "Win32DialogRunner.h"

// The chain steel, Aluminium, brass, copper.
MaterialList fourMaterials();

// A fresh, empty folder for one test, below the working folder.
std::string testFolder();

std::string readFile(const std::string& path);
bool fileExists(const std::string& path);

// The two header lines of every saved file, as they arrive on disk.
extern const char* const kFileHeader;

class ListDialogSession : public ::testing::Test {
 protected:
  void TearDown() override;
  // Runs the list dialog with the driver's steps; true when it ended with OK.
  bool run();
  // The steps all ran and held.
  void expectDriven();

  Win32DialogRunner dialogs;
  MaterialListDialog dialog{dialogs};
  MaterialListDialogPeer peer{dialog};
  DialogDriver driver;
};

// The rows one per line, each ended by a line feed.
std::string joinRows(const std::vector<std::string>& rows);

// The text of the message box `window`, "" when it is none.
std::string messageBoxText(HWND window);

