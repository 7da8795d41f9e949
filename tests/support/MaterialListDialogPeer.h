// What tests reach of a list dialog beyond its events: the remembered row,
// read and set, and a refill of the rows on demand.
#pragma once

#include <cstdint>

#include "MaterialListDialog.h"

class MaterialListDialogPeer {
 public:
  explicit MaterialListDialogPeer(MaterialListDialog& dialog) : dialog_(dialog) {}

  std::int32_t selectedNodeIndex() const { return dialog_.selectedNodeIndex; }
  void rememberRow(std::int32_t nodeIndex) { dialog_.selectedNodeIndex = nodeIndex; }
  void refillList() { dialog_.refillList(); }

 private:
  MaterialListDialog& dialog_;
};
