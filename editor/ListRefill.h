// How the list dialog's rows reach its list control quickly: every row is set
// from the list each time, yet the control keeps its rows. The rows go in
// the control's own order, found without its slow comparison where possible,
// and each keeps no cell texts of its own (the control asks for them).
//
// Under Wine every row the control removes costs a search through all its
// rows, and every row it places among others a move of the rows below; a
// refill that rewrites the rows it has and only adds or removes the
// difference in count at the end pays neither.
#pragma once

#include <cstdint>

#include "ListViewControl.h"
#include "MaterialNode.h"

class ListRefill {
 public:
  explicit ListRefill(ListViewControl& control) : control_(control) {}

  // Makes the control show one row for each material of the list: the name as
  // its text, the node index (empty nodes counted) as its item data, in the
  // order the control sorts by; the row of node `markedNode` selected and
  // focused, every other row neither. True when that row is among them.
  bool refill(const MaterialNode* head, std::int32_t markedNode);

  struct Source;  // one row to be, known only where the refill is made

 private:
  bool rewriteInOrder(Source* sources, int count, std::int32_t markedNode);
  bool rebuild(Source* sources, int count, std::int32_t markedNode);
  bool rebuildInNodeOrder(const MaterialNode* head, std::int32_t markedNode);
  bool insertRow(const Source& row, int requestedPosition, std::int32_t markedNode, bool& marked);
  void removeRowsFrom(int position, int count);

  ListViewControl& control_;
};
