// A list view control as the driver reads it, whoever made it: the rows and
// cells it shows, which row is selected, and where a row is on screen. The
// driver's own, so that it needs nothing of the code it drives.
#pragma once

#include <windows.h>

class ListViewReader {
 public:
  explicit ListViewReader(HWND control) : control_(control) {}

  int rowCount() const;
  int columnCount() const;
  // Copies the text of one cell, cut to fit, into `text` (always terminated).
  void cellText(int position, int column, char* text, int size) const;
  // The first row with exactly this text, or -1.
  int findRow(const char* text) const;
  int selectedRow() const;  // -1 when none
  bool isFocused(int position) const;
  // The row's text in its first column, in the control's client coordinates,
  // scrolled into view first.
  bool rowRectangle(int position, RECT& rectangle) const;

 private:
  HWND control_;
};
