#include "MaterialListDialog.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "DialogRunner.h"
#include "ListRefill.h"
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

// The rows stay tied to their nodes by item data alone: every row is set
// from the list again, whatever the change was.
void MaterialListDialog::refillList() {
  indexRowNodes();
  refilling = true;
  listView->suspendRedraw();
  ListRefill rows(*listView);
  if (!rows.refill(materials, selectedNodeIndex)) selectedNodeIndex = -1;
  listView->resumeRedraw();
  refilling = false;
  focusControl(IDC_LIST_MATERIALS);
}

// Without the index every request walks the chain: slower, the same texts.
void MaterialListDialog::indexRowNodes() {
  forgetRowNodes();
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
  selectedNodeIndex = itemData;
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
  if (selectedNodeIndex < 0 || materials == nullptr || nodeCount(materials) == 0) return;
  Material* material = materialAt(selectedNodeIndex);
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
  if (selectedNodeIndex < 0 || materials == nullptr) return;
  int count = nodeCount(materials);
  if (count == 0 || selectedNodeIndex >= count) return;
  if (showBox(MessageNumber::DeleteQuestion, MessageNumber::DeleteCaption, kQuestionStyle) !=
      MessageBoxAnswer::kYes)
    return;
  // Until the refill, the rows still lead to the nodes as they were: asked
  // for a cell meanwhile, the dialog looks in the list as it is now.
  forgetRowNodes();
  removeAt(materials, selectedNodeIndex);
  selectedNodeIndex = 0;
  refillList();
}

void MaterialListDialog::onDeleteAll() {
  if (materials == nullptr || nodeCount(materials) == 0) return;
  if (showBox(MessageNumber::DeleteAllQuestion, MessageNumber::DeleteAllCaption, kQuestionStyle) ==
      MessageBoxAnswer::kYes) {
    forgetRowNodes();
    releaseList(materials);
    fileHoldsDeletedMaterials = true;
    refillList();
  }
  selectedNodeIndex = -1;
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
