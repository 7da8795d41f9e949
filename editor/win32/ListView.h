// A report-style list view control: the one place that speaks its messages.
// It holds the control's handle; the control itself belongs to its dialog.
#pragma once

#include <windows.h>

#include "ListViewControl.h"

class ListView : public ListViewControl {
 public:
  ListView() = default;
  explicit ListView(HWND control) : control_(control) {}

  void attach(HWND control) { control_ = control; }
  HWND handle() const { return control_; }

  // Registers the list view window class; needed once before a template with
  // one is shown.
  static void registerControlClass();

  void insertColumn(int column, const char* title, int width) override;
  void removeAllRows() override;
  void suspendRedraw() override;
  void resumeRedraw() override;
  int insertRow(int requestedPosition, const char* text, int itemData, bool selected) override;
  void setCell(int position, int column, const char* text) override;
  int compareRowTexts(const char* first, const char* second) const override;

  int rowCount() const;
  int columnCount() const;
  // The item data of the row at `position`; -1 when there is no such row.
  int itemData(int position) const;
  // Copies the text of one cell, cut to fit, into `text` (always terminated).
  void cellText(int position, int column, char* text, int size) const;
  // The first row with exactly this text, or -1.
  int findRow(const char* text) const;
  int selectedRow() const;  // -1 when none
  bool isFocused(int position) const;
  // The row's text in its first column, in the control's client coordinates,
  // scrolled into view first.
  bool rowRectangle(int position, RECT& rectangle);

 private:
  HWND control_ = nullptr;
};
