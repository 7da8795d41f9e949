#include "ListRefill.h"

#include <algorithm>
#include <new>

#include "MaterialList.h"
#include "MaterialProperty.h"

struct ListRefill::Source {
  const Material* material;
  std::int32_t nodeIndex;
};

namespace {

using Source = ListRefill::Source;

// An absent name shows as an empty row text.
const char* nameOf(const Material& material) {
  return material.name != nullptr ? material.name : "";
}

int compareIgnoringAsciiCase(const char* first, const char* second) {
  for (;; ++first, ++second) {
    unsigned char a = static_cast<unsigned char>(*first), b = static_cast<unsigned char>(*second);
    if (a >= 'A' && a <= 'Z') a = static_cast<unsigned char>(a - 'A' + 'a');
    if (b >= 'A' && b <= 'Z') b = static_cast<unsigned char>(b - 'A' + 'a');
    if (a != b || a == 0) return a - b;
  }
}

// Each row's material and node index; null when the array cannot be
// allocated.
Source* sourcesOf(const MaterialNode* head, int& count) {
  count = 0;
  int nodeTotal = nodeCount(head);
  Source* sources = new (std::nothrow) Source[nodeTotal > 0 ? nodeTotal : 1];
  if (sources == nullptr) return nullptr;
  std::int32_t nodeIndex = 0;
  for (const MaterialNode* node = head; node != nullptr; node = node->nextNode, ++nodeIndex)
    if (node->material != nullptr) sources[count++] = Source{node->material, nodeIndex};
  return sources;
}

// The order in which rows go to the control: from the first name or from
// the last, and rows whose names compare equal by their node index, up or
// down.
struct RowOrder {
  bool lastNameFirst;
  bool laterNodeFirst;
};

// True when row a goes before row b, their names ordered `nameOrder`.
bool comesBefore(int nameOrder, const Source& a, const Source& b, RowOrder order) {
  if (nameOrder != 0) return order.lastNameFirst ? nameOrder > 0 : nameOrder < 0;
  return order.laterNodeFirst ? a.nodeIndex > b.nodeIndex : a.nodeIndex < b.nodeIndex;
}

// Names that differ only in the case of letters are left to the control's
// comparison, which may tell them apart.
int comparePlainly(const char* first, const char* second, const ListViewControl& control) {
  int order = compareIgnoringAsciiCase(first, second);
  return order != 0 ? order : control.compareRowTexts(first, second);
}

// Moves each row up past the rows that the control puts after it: one
// comparison a row where the plain order was right, a few more where
// punctuation or accents order otherwise. False once that takes more than a
// few comparisons a row: the plain order was far from the control's.
bool settleIntoControlOrder(Source* sources, int count, const ListViewControl& control,
                            RowOrder order) {
  long comparisonsLeft = 4L * count + 16;
  for (int i = 1; i < count; ++i) {
    for (int j = i; j > 0; --j) {
      if (--comparisonsLeft < 0) return false;
      const Source& above = sources[j - 1];
      const Source& below = sources[j];
      int nameOrder = control.compareRowTexts(nameOf(*below.material), nameOf(*above.material));
      if (!comesBefore(nameOrder, below, above, order)) break;
      std::swap(sources[j - 1], sources[j]);
    }
  }
  return true;
}

// The control's own comparison is slow (under Wine a tenth of a second for
// the sort of ten thousand names), and most names, of letters, digits and
// blanks, order alike under a plain comparison: sorting by that and settling
// the rows with the control's comparison costs about one comparison a row.
// Only an order far from the plain one needs the control's sort.
void sortRows(Source* sources, int count, const ListViewControl& control, RowOrder order) {
  std::sort(sources, sources + count, [&control, order](const Source& a, const Source& b) {
    return comesBefore(comparePlainly(nameOf(*a.material), nameOf(*b.material), control), a, b,
                       order);
  });
  if (settleIntoControlOrder(sources, count, control, order)) return;
  std::sort(sources, sources + count, [&control, order](const Source& a, const Source& b) {
    return comesBefore(control.compareRowTexts(nameOf(*a.material), nameOf(*b.material)), a, b,
                       order);
  });
}

}  // namespace

// A control that takes rows in its own order gets them so, its rows rewritten
// where they stand. Otherwise the control places each row, given from the
// last name to the first, so that every row belongs at the top and is placed
// at once; rows whose names compare equal go in node order, so the control
// puts them where the node order would have. Either way the rows come out
// exactly as given in node order, only sooner.
bool ListRefill::refill(const MaterialNode* head, std::int32_t markedNode) {
  int count = 0;
  Source* sources = sourcesOf(head, count);
  if (sources == nullptr) return rebuildInNodeOrder(head, markedNode);  // slower, the same rows
  ListViewControl::EqualTexts equalTexts;
  bool marked;
  if (control_.beginRowsInOrder(equalTexts)) {
    bool laterFirst = equalTexts == ListViewControl::EqualTexts::LaterRowFirst;
    sortRows(sources, count, control_, RowOrder{false, laterFirst});
    marked = rewriteInOrder(sources, count, markedNode);
    control_.endRowsInOrder();
  } else {
    sortRows(sources, count, control_, RowOrder{true, false});
    marked = rebuild(sources, count, markedNode);
  }
  delete[] sources;
  return marked;
}

bool ListRefill::rewriteInOrder(Source* sources, int count, std::int32_t markedNode) {
  int held = control_.rowCount();
  int kept = std::min(held, count);
  bool marked = false;
  for (int position = 0; position < kept; ++position) {
    const Source& row = sources[position];
    bool selected = row.nodeIndex == markedNode;
    // A row left as it was would lead to the wrong node: all go in anew.
    if (!control_.setRow(position, nameOf(*row.material), row.nodeIndex, selected)) {
      control_.removeAllRows();
      held = kept = 0;
      marked = false;
      break;
    }
    marked = marked || selected;
  }
  if (held > count) removeRowsFrom(count, held);
  for (int i = kept, position = kept; i < count; ++i)
    if (insertRow(sources[i], position, markedNode, marked)) ++position;
  return marked;
}

bool ListRefill::rebuild(Source* sources, int count, std::int32_t markedNode) {
  control_.removeAllRows();
  bool marked = false;
  for (int i = 0; i < count; ++i) insertRow(sources[i], sources[i].nodeIndex, markedNode, marked);
  return marked;
}

bool ListRefill::rebuildInNodeOrder(const MaterialNode* head, std::int32_t markedNode) {
  control_.removeAllRows();
  bool marked = false;
  std::int32_t nodeIndex = 0;
  for (const MaterialNode* node = head; node != nullptr; node = node->nextNode, ++nodeIndex)
    if (node->material != nullptr)
      insertRow(Source{node->material, nodeIndex}, nodeIndex, markedNode, marked);
  return marked;
}

// False when the control could not take the row; `marked` becomes true when
// it is the row of the marked node.
bool ListRefill::insertRow(const Source& row, int requestedPosition, std::int32_t markedNode,
                           bool& marked) {
  bool selected = row.nodeIndex == markedNode;
  int position =
      control_.insertRow(requestedPosition, nameOf(*row.material), row.nodeIndex, selected);
  if (position < 0) return false;
  marked = marked || selected;
  for (int column = 1; column < 1 + kPropertyCount; ++column)
    control_.setCellOnDemand(position, column);
  return true;
}

// Rows go from the end, where the control moves none of the rows it keeps;
// when it keeps none, all go in one request.
void ListRefill::removeRowsFrom(int position, int count) {
  if (position == 0) {
    control_.removeAllRows();
    return;
  }
  for (int row = count - 1; row >= position; --row) control_.removeRow(row);
}
