// A report list control in memory that sorts its rows by text, case
// insensitively, and raises item-changed notifications where Wine's list view
// was measured to raise them. It can also be told to raise them wherever a
// programmatic change touches a row, as other toolkits do. It takes rows in
// its own order when asked, unless told it cannot.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ListViewControl.h"

class MaterialListDialog;

struct FakeColumn {
  int column;
  std::string title;
  int width;
};

struct FakeRow {
  std::string text;
  int itemData;
  bool selected;
  bool focused;
  std::vector<bool> cellsOnDemand;  // by column, 1 and up
};

class FakeListView : public ListViewControl {
 public:
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

  // Sends the control's notifications and requests to the dialog's handlers.
  void reportTo(MaterialListDialog& dialog);

  // What the control shows in a cell: the row text in column 0, a text it
  // asks for in the others; "" where it has none.
  std::string cellText(int position, int column) const;

  // The user's side: a click on the row at `position`, or on the empty area
  // below the rows.
  void clickRow(int position);
  void clickEmptyArea();
  int findRow(const std::string& text) const;  // -1 when there is none

  // Each row as its nine columns joined by tabs, top to bottom.
  std::vector<std::string> rowTexts() const;
  std::vector<int> itemData() const;
  int selectedRow() const;  // -1 when none

  std::function<void(int itemData)> itemChanged;  // the dialog's handlers
  std::function<void(int itemData, int column, char* text, int size)> cellTextNeeded;
  // Asks for every cell's text at each call the dialog makes, as a control
  // might that draws at once.
  bool asksAtEveryCall = false;
  // How the control orders row texts; absent: ignoring case, as Wine's does
  // for plain names.
  std::function<int(const char*, const char*)> comparison;
  bool notifiesEveryChange = false;
  bool takesRowsInOrder = true;
  bool laterEqualRowsFirst = false;  // else a row goes below those equal to it
  bool rowsInOrder = false;          // between begin and end
  // Moves a row whose text setRow changed to its sorted place, unless rows
  // are taken in order; Wine's list view was measured to leave it.
  bool sortsChangedRows = false;
  int failingSet = -1;  // counted from 0, like failingInsert
  int setsMade = 0;
  int rowsRemoved = 0;  // one by one
  int allRowsRemovals = 0;
  int failingInsert = -1;  // counted from 0; every other insert succeeds
  int insertsMade = 0;
  int notificationCount = 0;
  long rowComparisons = 0;  // made by inserts to find their rows' places
  // Every comparison the control makes, the dialog's included: the real
  // control's is slow.
  mutable long textComparisons = 0;
  bool redrawSuspended = false;
  int rowsInsertedWhileDrawing = 0;
  int redrawsResumed = 0;
  std::vector<FakeColumn> columns;
  std::vector<FakeRow> rows;

 private:
  void notify(const FakeRow& row);
  std::size_t sortedPlace(const char* text);
  void askForEveryCell() const;
};
