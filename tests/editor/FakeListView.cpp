#include "FakeListView.h"

#include <gtest/gtest.h>

#include <strings.h>

#include <algorithm>

#include "MaterialListDialog.h"

void FakeListView::insertColumn(int column, const char* title, int width) {
  columns.push_back({column, title, width});
}

void FakeListView::removeAllRows() {
  askForEveryCell();
  if (notifiesEveryChange)
    for (const FakeRow& row : rows) notify(row);
  rows.clear();
  ++allRowsRemovals;
}

void FakeListView::removeRow(int position) {
  askForEveryCell();
  ASSERT_GE(position, 0);
  ASSERT_LT(static_cast<std::size_t>(position), rows.size());
  if (notifiesEveryChange) notify(rows[static_cast<std::size_t>(position)]);
  rows.erase(rows.begin() + position);
  ++rowsRemoved;
}

int FakeListView::rowCount() const { return static_cast<int>(rows.size()); }

void FakeListView::suspendRedraw() {
  askForEveryCell();
  redrawSuspended = true;
}

void FakeListView::resumeRedraw() {
  askForEveryCell();
  redrawSuspended = false;
  ++redrawsResumed;
}

int FakeListView::insertRow(int requestedPosition, const char* text, int data, bool selected) {
  askForEveryCell();
  if (!redrawSuspended) ++rowsInsertedWhileDrawing;
  if (insertsMade++ == failingInsert) return -1;
  std::size_t position = rowsInOrder
                             ? std::min(static_cast<std::size_t>(requestedPosition), rows.size())
                             : sortedPlace(text);
  if (selected)
    for (FakeRow& row : rows) row.selected = row.focused = false;
  FakeRow row{text, data, selected, selected, std::vector<bool>(columns.size())};
  rows.insert(rows.begin() + static_cast<long>(position), row);
  if (selected || notifiesEveryChange) notify(rows[position]);
  if (notifiesEveryChange && position > 0) notify(rows[position - 1]);
  return static_cast<int>(position);
}

// From the top, as Wine's list view searches: the first row that sorts after
// the new one (or with it, when later rows go first) is where it goes.
std::size_t FakeListView::sortedPlace(const char* text) {
  std::size_t position = 0;
  for (; position < rows.size(); ++position) {
    ++rowComparisons;
    int order = compareRowTexts(rows[position].text.c_str(), text);
    if (order > 0 || (order == 0 && laterEqualRowsFirst)) break;
  }
  return position;
}

bool FakeListView::setRow(int position, const char* text, int data, bool selected) {
  askForEveryCell();
  if (!redrawSuspended) ++rowsInsertedWhileDrawing;
  if (setsMade++ == failingSet) return false;
  if (position < 0 || static_cast<std::size_t>(position) >= rows.size()) return false;
  FakeRow& row = rows[static_cast<std::size_t>(position)];
  bool changed = row.text != text || row.itemData != data || row.selected != selected ||
                 row.focused != selected;
  if (selected)
    for (FakeRow& other : rows) other.selected = other.focused = false;
  row.text = text;
  row.itemData = data;
  row.selected = row.focused = selected;
  if (changed || notifiesEveryChange) notify(row);
  if (sortsChangedRows && !rowsInOrder) {
    FakeRow moved = row;
    rows.erase(rows.begin() + position);
    rows.insert(rows.begin() + static_cast<long>(sortedPlace(moved.text.c_str())), moved);
  }
  return true;
}

void FakeListView::setCellOnDemand(int position, int column) {
  askForEveryCell();
  ASSERT_GE(position, 0);
  ASSERT_LT(static_cast<std::size_t>(position), rows.size());
  ASSERT_GE(column, 1);
  ASSERT_LT(static_cast<std::size_t>(column), columns.size());
  rows[static_cast<std::size_t>(position)].cellsOnDemand[static_cast<std::size_t>(column)] = true;
}

void FakeListView::reportTo(MaterialListDialog& dialog) {
  itemChanged = [&dialog](int itemData) { dialog.onItemChanged(itemData); };
  cellTextNeeded = [&dialog](int itemData, int column, char* text, int size) {
    dialog.onCellTextNeeded(itemData, column, text, size);
  };
}

std::string FakeListView::cellText(int position, int column) const {
  const FakeRow& row = rows.at(static_cast<std::size_t>(position));
  if (column == 0) return row.text;
  if (!row.cellsOnDemand.at(static_cast<std::size_t>(column)) || !cellTextNeeded) return "";
  char text[260];  // the room the control offers for a text it draws
  cellTextNeeded(row.itemData, column, text, sizeof text);
  return text;
}

void FakeListView::askForEveryCell() const {
  if (!asksAtEveryCall) return;
  for (std::size_t position = 0; position < rows.size(); ++position)
    for (std::size_t column = 1; column < columns.size(); ++column)
      cellText(static_cast<int>(position), static_cast<int>(column));
}

int FakeListView::compareRowTexts(const char* first, const char* second) const {
  ++textComparisons;
  return comparison ? comparison(first, second) : strcasecmp(first, second);
}

bool FakeListView::beginRowsInOrder(EqualTexts& equalTexts) {
  if (!takesRowsInOrder) return false;
  equalTexts = laterEqualRowsFirst ? EqualTexts::LaterRowFirst : EqualTexts::EarlierRowFirst;
  rowsInOrder = true;
  return true;
}

void FakeListView::endRowsInOrder() {
  EXPECT_TRUE(rowsInOrder);
  rowsInOrder = false;
}

void FakeListView::clickRow(int position) {
  ASSERT_GE(position, 0);
  ASSERT_LT(static_cast<std::size_t>(position), rows.size());
  FakeRow& clicked = rows[static_cast<std::size_t>(position)];
  if (clicked.selected) return;
  for (FakeRow& row : rows) {
    if (row.focused) {
      row.focused = false;
      notify(row);
    }
    if (row.selected) {
      row.selected = false;
      notify(row);
    }
  }
  clicked.selected = clicked.focused = true;
  notify(clicked);
}

void FakeListView::clickEmptyArea() {
  for (FakeRow& row : rows) {
    if (!row.selected) continue;
    row.selected = false;
    notify(row);
  }
}

int FakeListView::findRow(const std::string& text) const {
  for (std::size_t position = 0; position < rows.size(); ++position)
    if (rows[position].text == text) return static_cast<int>(position);
  return -1;
}

std::vector<std::string> FakeListView::rowTexts() const {
  std::vector<std::string> texts;
  for (std::size_t position = 0; position < rows.size(); ++position) {
    std::string text = rows[position].text;
    for (std::size_t column = 1; column < columns.size(); ++column)
      text += "\t" + cellText(static_cast<int>(position), static_cast<int>(column));
    texts.push_back(text);
  }
  return texts;
}

std::vector<int> FakeListView::itemData() const {
  std::vector<int> data;
  for (const FakeRow& row : rows) data.push_back(row.itemData);
  return data;
}

int FakeListView::selectedRow() const {
  for (std::size_t position = 0; position < rows.size(); ++position)
    if (rows[position].selected) return static_cast<int>(position);
  return -1;
}

void FakeListView::notify(const FakeRow& row) {
  ++notificationCount;
  if (itemChanged) itemChanged(row.itemData);
}
