#include "MaterialListDialog.h"

#include <algorithm>
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

// Last name first; rows whose names compare equal in node order.
bool comesBefore(int nameOrder, const RowSource& a, const RowSource& b) {
  return nameOrder != 0 ? nameOrder > 0 : a.nodeIndex < b.nodeIndex;
}

bool inControlOrder(const RowSource* sources, int count, const ListViewControl& control) {
  for (int i = 0; i + 1 < count; ++i) {
    const RowSource& a = sources[i];
    const RowSource& b = sources[i + 1];
    if (comesBefore(control.compareRowTexts(nameOf(*b.material), nameOf(*a.material)), b, a))
      return false;
  }
  return true;
}

// The control's own comparison is slow (under Wine a tenth of a second for
// the sort of ten thousand names), and most names, of letters, digits and
// blanks, order alike under a plain comparison: sorting by that and checking
// the neighbours with the control's comparison costs one comparison a row.
// Only names the two order differently (punctuation, accents) need the
// control's sort.
void sortLastNameFirst(RowSource* sources, int count, const ListViewControl& control) {
  std::sort(sources, sources + count, [](const RowSource& a, const RowSource& b) {
    return comesBefore(compareIgnoringAsciiCase(nameOf(*a.material), nameOf(*b.material)), a, b);
  });
  if (inControlOrder(sources, count, control)) return;
  std::sort(sources, sources + count, [&control](const RowSource& a, const RowSource& b) {
    return comesBefore(control.compareRowTexts(nameOf(*a.material), nameOf(*b.material)), a, b);
  });
}

}  // namespace

MaterialListDialog::MaterialListDialog(DialogRunner& runner, MaterialSaver saver)
    : dialogs(runner), saveFile(saver) {}

bool MaterialListDialog::runModal() { return dialogs.runModal(*this); }

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
  refilling = true;
  listView->suspendRedraw();
  listView->removeAllRows();
  bool marked = insertRows();
  if (!marked) selectedIndex = -1;
  listView->resumeRedraw();
  refilling = false;
  focusControl(IDC_LIST_MATERIALS);
}

// The sorting control looks for a new row's place from the top, so rows
// given in the node order cost a search through half the list each: twenty
// seconds for ten thousand materials under Wine. Given from the last name to
// the first, every row belongs at the top and is placed at once. Rows whose
// names compare equal go in node order, so the control puts them where the
// node order would have: the rows come out exactly as before, only sooner.
bool MaterialListDialog::insertRows() {
  int rowCount = 0;
  for (const MaterialNode* node = materials; node != nullptr; node = node->nextNode)
    if (node->material != nullptr) ++rowCount;
  RowSource* sources = new (std::nothrow) RowSource[rowCount > 0 ? rowCount : 1];
  if (sources == nullptr) return insertRowsInNodeOrder();  // slower, the same rows
  int count = 0, nodeIndex = 0;
  for (const MaterialNode* node = materials; node != nullptr; node = node->nextNode, ++nodeIndex)
    if (node->material != nullptr) sources[count++] = RowSource{node->material, nodeIndex};
  sortLastNameFirst(sources, count, *listView);
  bool marked = false;
  for (int i = 0; i < count; ++i)
    if (insertRow(*sources[i].material, sources[i].nodeIndex)) marked = true;
  delete[] sources;
  return marked;
}

bool MaterialListDialog::insertRowsInNodeOrder() {
  bool marked = false;
  int nodeIndex = 0;
  for (const MaterialNode* node = materials; node != nullptr; node = node->nextNode, ++nodeIndex)
    if (node->material != nullptr && insertRow(*node->material, nodeIndex)) marked = true;
  return marked;
}

// True when the row is the remembered one and was marked.
bool MaterialListDialog::insertRow(const Material& material, int nodeIndex) {
  bool selected = nodeIndex == selectedIndex;
  int position = listView->insertRow(nodeIndex, nameOf(material), nodeIndex, selected);
  if (position < 0) return false;
  for (int column = 1; column < 1 + kPropertyCount; ++column) {
    char text[kNumberTextSize];
    formatNumber(propertyValue(material, propertyAt(column - 1)), text);
    listView->setCell(position, column, text);
  }
  return selected;
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

Material* MaterialListDialog::materialAt(int nodeIndex) {
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
  removeAt(materials, selectedIndex);
  selectedIndex = 0;
  refillList();
}

void MaterialListDialog::onDeleteAll() {
  if (materials == nullptr || nodeCount(materials) == 0) return;
  if (showBox(MessageNumber::DeleteAllQuestion, MessageNumber::DeleteAllCaption, kQuestionStyle) ==
      MessageBoxAnswer::kYes) {
    releaseList(materials);
    fileHoldsDeletedMaterials = true;
    refillList();
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
