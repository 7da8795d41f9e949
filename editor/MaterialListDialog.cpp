#include "MaterialListDialog.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "DialogRunner.h"
#include "MaterialDataDialog.h"
#include "MaterialListDialogIds.h"
#include "MaterialProperty.h"
#include "MessageBoxTexts.h"
#include "NumberText.h"

namespace {

struct Column {
  MessageNumber title;
  int width;  // pixels
};

// Column 0 is the name, columns 1 to 8 the properties in presentation order.
constexpr Column kColumns[1 + kPropertyCount] = {
    {MessageNumber::NameColumn, 120},
    {MessageNumber::DensityColumn, 60},
    {MessageNumber::YoungModulusColumn, 80},
    {MessageNumber::PoissonRatioColumn, 80},
    {MessageNumber::YieldStrengthColumn, 80},
    {MessageNumber::TensileStrengthColumn, 80},
    {MessageNumber::ThermalConductivityColumn, 80},
    {MessageNumber::LinearExpansionColumn, 80},
    {MessageNumber::SpecificHeatColumn, 80},
};

constexpr unsigned kInsertKey = 0x2D;
constexpr unsigned kDeleteKey = 0x2E;

constexpr unsigned kQuestionStyle = MessageBoxStyle::kYesNo | MessageBoxStyle::kIconQuestion |
                                    MessageBoxStyle::kDefaultButton2;
constexpr unsigned kErrorStyle = MessageBoxStyle::kOk | MessageBoxStyle::kIconStop;

// An absent name shows as an empty row text.
const char* nameOf(const Material& material) {
  return material.name != nullptr ? material.name : "";
}

struct RowSource {
  const Material* material;
  int nodeIndex;
};

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
RowSource* rowSourcesOf(const MaterialNode* head, int& count) {
  count = 0;
  int nodeTotal = nodeCount(head);
  RowSource* sources = new (std::nothrow) RowSource[nodeTotal > 0 ? nodeTotal : 1];
  if (sources == nullptr) return nullptr;
  int nodeIndex = 0;
  for (const MaterialNode* node = head; node != nullptr; node = node->nextNode, ++nodeIndex)
    if (node->material != nullptr) sources[count++] = RowSource{node->material, nodeIndex};
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
bool comesBefore(int nameOrder, const RowSource& a, const RowSource& b, RowOrder order) {
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
bool settleIntoControlOrder(RowSource* sources, int count, const ListViewControl& control,
                            RowOrder order) {
  long comparisonsLeft = 4L * count + 16;
  for (int i = 1; i < count; ++i) {
    for (int j = i; j > 0; --j) {
      if (--comparisonsLeft < 0) return false;
      const RowSource& above = sources[j - 1];
      const RowSource& below = sources[j];
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
void sortRows(RowSource* sources, int count, const ListViewControl& control, RowOrder order) {
  std::sort(sources, sources + count, [&control, order](const RowSource& a, const RowSource& b) {
    return comesBefore(comparePlainly(nameOf(*a.material), nameOf(*b.material), control), a, b,
                       order);
  });
  if (settleIntoControlOrder(sources, count, control, order)) return;
  std::sort(sources, sources + count, [&control, order](const RowSource& a, const RowSource& b) {
    return comesBefore(control.compareRowTexts(nameOf(*a.material), nameOf(*b.material)), a, b,
                       order);
  });
}

}  // namespace

MaterialListDialog::MaterialListDialog(DialogRunner& runner, MaterialSaver saver)
    : dialogs(runner), saveFile(saver) {}

MaterialListDialog::~MaterialListDialog() { forgetRowNodes(); }

// The caller frees the list after the run: nothing of it is kept.
bool MaterialListDialog::runModal() {
  bool ended = dialogs.runModal(*this);
  forgetRowNodes();
  return ended;
}

void MaterialListDialog::onInitDialog(DialogControls& dialogControls, ListViewControl& list) {
  controls = &dialogControls;
  listView = &list;
  setupColumns();
  refillList();
  if (filePath != nullptr) controls->setControlText(IDC_LIST_FILE_PATH, filePath);
  controls->setControlText(IDC_LIST_MESSAGE_LINE, "");
  focusControl(IDC_LIST_MATERIALS);
}

void MaterialListDialog::setupColumns() {
  for (int column = 0; column < 1 + kPropertyCount; ++column)
    listView->insertColumn(column, messageText(kColumns[column].title), kColumns[column].width);
}

void MaterialListDialog::refillList() {
  removeRows();
  insertRowsAgain();
}

void MaterialListDialog::removeRows() {
  refilling = true;
  listView->suspendRedraw();
  listView->removeAllRows();
  forgetRowNodes();
}

void MaterialListDialog::insertRowsAgain() {
  indexRowNodes();
  bool marked = insertRows();
  if (!marked) selectedIndex = -1;
  listView->resumeRedraw();
  refilling = false;
  focusControl(IDC_LIST_MATERIALS);
}

// Without the index every request walks the chain: slower, the same texts.
void MaterialListDialog::indexRowNodes() {
  int count = nodeCount(materials);
  if (count == 0) return;
  rowNodes = new (std::nothrow) const MaterialNode*[count];
  if (rowNodes == nullptr) return;
  rowNodeCount = count;
  int nodeIndex = 0;
  for (const MaterialNode* node = materials; node != nullptr; node = node->nextNode)
    rowNodes[nodeIndex++] = node;
}

void MaterialListDialog::forgetRowNodes() {
  delete[] rowNodes;
  rowNodes = nullptr;
  rowNodeCount = 0;
}

// The sorting control looks for a new row's place from the top, so rows
// given in the node order cost a search through half the list each: twenty
// seconds for ten thousand materials under Wine. Rows it can take in its own
// order go in without a search at all. Otherwise, given from the last name
// to the first, every row belongs at the top and is placed at once; rows
// whose names compare equal go in node order, so the control puts them where
// the node order would have. Either way the rows come out exactly as given
// in node order, only sooner.
bool MaterialListDialog::insertRows() {
  int count = 0;
  RowSource* sources = rowSourcesOf(materials, count);
  if (sources == nullptr) return insertRowsInNodeOrder();  // slower, the same rows
  ListViewControl::EqualTexts equalTexts;
  bool inOrder = listView->beginRowsInOrder(equalTexts);
  bool laterFirst = equalTexts == ListViewControl::EqualTexts::LaterRowFirst;
  sortRows(sources, count, *listView, inOrder ? RowOrder{false, laterFirst} : RowOrder{true, false});
  bool marked = false;
  for (int i = 0, position = 0; i < count; ++i) {
    const RowSource& row = sources[i];
    if (insertRow(*row.material, row.nodeIndex, inOrder ? position : row.nodeIndex, marked) >= 0)
      ++position;
  }
  if (inOrder) listView->endRowsInOrder();
  delete[] sources;
  return marked;
}

bool MaterialListDialog::insertRowsInNodeOrder() {
  bool marked = false;
  int nodeIndex = 0;
  for (const MaterialNode* node = materials; node != nullptr; node = node->nextNode, ++nodeIndex)
    if (node->material != nullptr) insertRow(*node->material, nodeIndex, nodeIndex, marked);
  return marked;
}

// The position the row took, or -1; `marked` becomes true when it is the
// remembered row.
int MaterialListDialog::insertRow(const Material& material, int nodeIndex, int requestedPosition,
                                  bool& marked) {
  bool selected = nodeIndex == selectedIndex;
  int position = listView->insertRow(requestedPosition, nameOf(material), nodeIndex, selected);
  if (position < 0) return -1;
  if (selected) marked = true;
  for (int column = 1; column < 1 + kPropertyCount; ++column)
    listView->setCellOnDemand(position, column);
  return position;
}

void MaterialListDialog::onCellTextNeeded(int itemData, int column, char* text, int size) const {
  if (text == nullptr || size <= 0) return;
  text[0] = '\0';
  const Material* material = materialOfRow(itemData);
  if (material == nullptr || column < 1 || column > kPropertyCount) return;
  char number[kNumberTextSize];
  std::size_t length = formatNumber(propertyValue(*material, propertyAt(column - 1)), number);
  std::size_t kept = std::min(length, static_cast<std::size_t>(size) - 1);
  std::memcpy(text, number, kept);
  text[kept] = '\0';
}

const Material* MaterialListDialog::materialOfRow(int itemData) const {
  if (itemData < 0) return nullptr;
  if (rowNodes == nullptr) return materialAt(itemData);
  return itemData < rowNodeCount ? rowNodes[itemData]->material : nullptr;
}

void MaterialListDialog::onItemChanged(int itemData) {
  if (refilling) return;
  selectedIndex = itemData;
}

void MaterialListDialog::onInsert() {
  Material* material = createMaterial();
  if (material == nullptr) return;
  if (!runCreateDialog(*material, dialogs) || !addMaterial(material)) {
    releaseMaterial(material);
    return;
  }
  refillList();
}

bool MaterialListDialog::addMaterial(Material* material) {
  if (materials == nullptr) materials = createNode();
  return materials != nullptr && append(materials, material) == 1;
}

void MaterialListDialog::onEdit() {
  if (selectedIndex < 0 || materials == nullptr || nodeCount(materials) == 0) return;
  Material* material = materialAt(selectedIndex);
  if (material != nullptr) runEditDialog(*material, dialogs);
  refillList();
}

Material* MaterialListDialog::materialAt(int nodeIndex) const {
  int index = 0;
  for (MaterialNode* node = materials; node != nullptr; node = node->nextNode, ++index)
    if (index == nodeIndex) return node->material;
  return nullptr;
}

void MaterialListDialog::onDoubleClick() { onEdit(); }

void MaterialListDialog::onDelete() {
  if (selectedIndex < 0 || materials == nullptr) return;
  int count = nodeCount(materials);
  if (count == 0 || selectedIndex >= count) return;
  if (showBox(MessageNumber::DeleteQuestion, MessageNumber::DeleteCaption, kQuestionStyle) !=
      MessageBoxAnswer::kYes)
    return;
  removeRows();
  removeAt(materials, selectedIndex);
  selectedIndex = 0;
  insertRowsAgain();
}

void MaterialListDialog::onDeleteAll() {
  if (materials == nullptr || nodeCount(materials) == 0) return;
  if (showBox(MessageNumber::DeleteAllQuestion, MessageNumber::DeleteAllCaption, kQuestionStyle) ==
      MessageBoxAnswer::kYes) {
    removeRows();
    releaseList(materials);
    fileHoldsDeletedMaterials = true;
    insertRowsAgain();
  }
  selectedIndex = -1;
}

int MaterialListDialog::showBox(MessageNumber text, MessageNumber caption, unsigned style) {
  MessageBoxTexts texts(text, caption);
  return controls->showMessageBox(texts.text(), texts.caption(), style);
}

void MaterialListDialog::onListKeyDown(unsigned virtualKey) {
  if (virtualKey == kInsertKey) {
    onInsert();
  } else if (virtualKey == kDeleteKey) {
    onDelete();
  }
}

void MaterialListDialog::onOk() {
  // An absent list that never held anything has nothing to write.
  bool somethingToSave = nodeCount(materials) >= 1 || fileHoldsDeletedMaterials;
  if (somethingToSave) {
    if (!mayReplaceFile()) return;
    if (saveFile(materials, filePath) != 1) {
      showBox(MessageNumber::SaveFailedText, MessageNumber::ErrorCaption, kErrorStyle);
      return;
    }
  }
  controls->endDialog(DialogResult::Ok);
}

// Another program may have saved the file while the dialog was open; only the
// user may decide to replace what it wrote.
bool MaterialListDialog::mayReplaceFile() {
  if (fileChangeCheck == nullptr || !fileChangeCheck->changedSinceRead()) return true;
  return showBox(MessageNumber::FileChangedQuestion, MessageNumber::FileChangedCaption,
                 kQuestionStyle) == MessageBoxAnswer::kYes;
}

void MaterialListDialog::onCancel() { controls->endDialog(DialogResult::Cancel); }

void MaterialListDialog::focusControl(int id) { controls->focusControl(id); }
