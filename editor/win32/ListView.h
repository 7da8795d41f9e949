// A report-style list view control: the one place of the module that speaks
// its messages. It holds the control's handle; the control itself belongs to
// its dialog.
//
// How the sorting control orders its rows is not documented: the first
// request to take rows in order asks the control itself, by the order in
// which it places a few telling texts, and the answer holds for the
// control's life.
//
// Measured under Wine: a row whose text is set anew stays where it stands,
// sort style or not, and every row set asks its dialog's leave
// (LVN_ITEMCHANGING) whether or not anything changes; removing rows, all at
// once or one by one, costs a search through the control's rows for each.
#pragma once

#include <windows.h>

#include "ListViewControl.h"

class ListView : public ListViewControl {
 public:
  void attach(HWND control) { control_ = control; }

  // Registers the list view window class; needed once before a template with
  // one is shown.
  static void registerControlClass();

  void insertColumn(int column, const char* title, int width) override;
  void removeAllRows() override;
  void removeRow(int position) override;
  int rowCount() const override;
  void suspendRedraw() override;
  void resumeRedraw() override;
  int insertRow(int requestedPosition, const char* text, int itemData, bool selected) override;
  bool setRow(int position, const char* text, int itemData, bool selected) override;
  void setCellOnDemand(int position, int column) override;
  int compareRowTexts(const char* first, const char* second) const override;
  bool beginRowsInOrder(EqualTexts& equalTexts) override;
  void endRowsInOrder() override;

  // The item data of the row at `position`, by which the dialog tells a
  // notified row's node; -1 when there is no such row.
  int itemData(int position) const;

 private:
  using WideComparison = int(WINAPI*)(LPCWSTR, LPCWSTR);

  void learnRowOrder();
  // The control asks for the cell's text when it needs it.
  bool isCellOnDemand(int position, int column) const;

  HWND control_ = nullptr;
  bool rowOrderLearned_ = false;
  WideComparison comparison_ = nullptr;  // the control's, once learned
  EqualTexts equalTexts_ = EqualTexts::LaterRowFirst;
  // Whether a cell never set is already on demand, checked on the first.
  bool unsetCellsChecked_ = false;
  bool unsetCellsOnDemand_ = false;
};
