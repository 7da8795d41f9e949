// The editor's main window: every material of one list as a row of a
// nine-column report list, sorted by name, with Insert, Edit, Delete, Delete
// All, OK (writes the file) and Cancel (writes nothing).
//
// Use, on the user-interface thread:
//
//   Win32DialogRunner dialogs(adsw_acadMainWnd());    // win32/; modal to the host's window
//   MaterialListDialog dialog(dialogs);
//   dialog.filePath = path;                           // borrowed, valid during the run
//   dialog.materials = list;                          // may be absent
//   dialog.fileChangeCheck = &fileAsRead;             // may be absent: OK asks nothing
//   dialog.runModal();                                // ends with OK or Cancel
//   list = dialog.materials;                          // may be another head, or absent
//   releaseList(list);                                // the caller's in every case
//
// Rows are set from the list after every change (ListRefill) and carry their
// node index (empty nodes counted) as item data, so a row always leads back
// to its node whatever the name order on screen.
#pragma once

#include <cstdint>

#include "DialogControls.h"
#include "FileChangeCheck.h"
#include "ListViewControl.h"
#include "MaterialFile.h"
#include "MaterialList.h"
#include "MessageText.h"

class DialogRunner;

// Writes the list to the path; 1 on success, and otherwise leaves the file
// as it was (saveMaterialFile does).
using MaterialSaver = int (*)(const MaterialNode* head, const char* path);

class MaterialListDialog {
 public:
  // For the command, which makes one per run. `dialogs` shows this dialog and
  // the data dialogs that Insert and Edit open.
  explicit MaterialListDialog(DialogRunner& dialogs, MaterialSaver saveFile = saveMaterialFile);
  ~MaterialListDialog();
  MaterialListDialog(const MaterialListDialog&) = delete;
  MaterialListDialog& operator=(const MaterialListDialog&) = delete;

  // Set by the command before the run: the file it found or will create.
  const char* filePath = nullptr;  // shown in the dialog, passed to the save
  // Set by the command before the run and taken back after it, to release.
  MaterialList materials = nullptr;  // changed in place; never released at the end
  // Set by the command before the run: asked by OK before it writes.
  FileChangeCheck* fileChangeCheck = nullptr;

  // For the command: shows the dialog; true when it ended with OK (after a
  // successful save, or when there was nothing to save).
  bool runModal();

  // Events, for the Win32 layer that maps the open dialog's messages onto
  // them. `controls` and `list` are the open dialog's and stay valid until
  // it has ended.
  void onInitDialog(DialogControls& controls, ListViewControl& list);
  void onInsert();       // button 3, Insert key
  void onEdit();         // button 4
  void onDoubleClick();  // on the list: edits the remembered row, not the one clicked
  void onDelete();       // button 5, Delete key
  void onDeleteAll();    // button 6
  void onListKeyDown(unsigned virtualKey);
  // A row's state changed (selected, deselected or focus): remembers it.
  void onItemChanged(int itemData);
  // The list control wants the text of column `column` (1 to 8) of the row
  // with this item data, to draw it or hand it out: the record's value as it
  // is stored now, as a number text, cut to `size` - 1 characters as the
  // control cuts a text of its own. "" for a row that leads to no material.
  void onCellTextNeeded(int itemData, int column, char* text, int size) const;
  // Button 1 and Enter: saves when there is something to save and ends with
  // OK; after a failed save it says so and stays open with the list as it was.
  // A file that changed since it was read is replaced only when the user
  // says so; No keeps the dialog open with every change.
  void onOk();
  void onCancel();  // button 2, Esc, close box

 private:
  // The tests' window on the remembered row and the refill.
  friend class MaterialListDialogPeer;

  void setupColumns();
  void refillList();
  // A box owned by the dialog; its answer (MessageBoxAnswer).
  int showBox(MessageNumber text, MessageNumber caption, unsigned style);
  bool mayReplaceFile();
  bool addMaterial(Material* material);
  Material* materialAt(int nodeIndex) const;
  const Material* materialOfRow(int itemData) const;
  void indexRowNodes();
  void forgetRowNodes();
  void focusControl(int id);

  DialogRunner& dialogs;
  MaterialSaver saveFile;
  DialogControls* controls = nullptr;
  ListViewControl* listView = nullptr;  // the open dialog's list control
  std::int32_t selectedNodeIndex = -1;  // node index of the remembered row, or -1
  // Notifications that the list control raises while the rows are rebuilt
  // must not move the remembered row.
  bool refilling = false;
  // A confirmed Delete All leaves no list, yet the file must still lose the
  // materials it held.
  bool fileHoldsDeletedMaterials = false;
  // Each node by its index as of the last refill, so that the control's many
  // requests for cell texts need no walk through the chain; absent when it
  // could not be allocated, or while a handler frees nodes, and then each
  // request walks.
  const MaterialNode** rowNodes = nullptr;
  int rowNodeCount = 0;
};
