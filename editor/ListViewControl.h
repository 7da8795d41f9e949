// A report list control as the material list dialog uses it. Rows may be
// reordered by the control (it sorts by the row text); each row carries an
// integer of the caller's, its item data, that ties it to the caller's data.
#pragma once

class ListViewControl {
 public:
  // Adds column `column` (0 is the row text, 1 on its sub-items) with a
  // left-aligned title and a width in pixels.
  virtual void insertColumn(int column, const char* title, int width) = 0;

  virtual void removeAllRows() = 0;
  virtual void removeRow(int position) = 0;
  virtual int rowCount() const = 0;

  // Between these two the control neither draws nor updates its scroll bars;
  // resuming draws it once with all that changed meanwhile. Rebuilding many
  // rows while it draws each one costs a visible wait per row.
  virtual void suspendRedraw() = 0;
  virtual void resumeRedraw() = 0;

  // Inserts a row with `text` at `requestedPosition`, which a sorting control
  // overrules; `selected` gives it the selected and the focused state. Returns
  // the position the row really took, or -1 when it could not be inserted.
  virtual int insertRow(int requestedPosition, const char* text, int itemData,
                        bool selected) = 0;

  // Rewrites the row at `position`: its text, its item data, and whether it
  // has the selected and the focused state. A sorting control may move a row
  // whose text changed, or may not; between beginRowsInOrder and
  // endRowsInOrder the row stays where it is. False when there is no such
  // row.
  virtual bool setRow(int position, const char* text, int itemData, bool selected) = 0;

  // Column `column` (1 and up) of the row at `position` keeps no text of its
  // own: the control asks its dialog for the text (onCellTextNeeded) each
  // time it draws the cell or hands its text out, so only what is shown is
  // ever made.
  virtual void setCellOnDemand(int position, int column) = 0;

  // Orders two row texts as the control sorts its rows: below, at or above
  // zero. Exactly the control's order once beginRowsInOrder has said so;
  // before, the closest the control knows.
  virtual int compareRowTexts(const char* first, const char* second) const = 0;

  // Where the control puts a row among rows whose texts compare equal.
  enum class EqualTexts { LaterRowFirst, EarlierRowFirst };

  // A sorting control searches for each new row's place, which costs a pass
  // over its rows (under Wine a move of every row below). Rows handed over
  // already in its order need no search: true when the control was found to
  // order texts exactly as compareRowTexts does, equal texts as
  // `equalTexts` then says; until endRowsInOrder, insertRow puts each row at
  // the position requested and setRow leaves it there. False: the control
  // keeps placing each row. The control's order is found out on the first
  // call, which must come while the control is empty; until then false.
  virtual bool beginRowsInOrder(EqualTexts& equalTexts) = 0;
  virtual void endRowsInOrder() = 0;

 protected:
  ~ListViewControl() = default;
};
