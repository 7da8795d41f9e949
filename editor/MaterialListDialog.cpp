#include "MaterialListDialog.h"

#include <cstring>

#include "DialogRunner.h"
#include "MaterialDataDialog.h"
#include "MaterialListDialogIds.h"
#include "MaterialProperty.h"
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

// A looked-up text survives only until the next lookup; a box needs two.
void copyMessageText(MessageNumber number, char (&copy)[kMessageTextBufferSize]) {
  std::strncpy(copy, messageText(number), sizeof copy - 1);
  copy[sizeof copy - 1] = '\0';
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
  listView->removeAllRows();
  bool marked = false;
  int nodeIndex = 0;
  for (const MaterialNode* node = materials; node != nullptr; node = node->nextNode, ++nodeIndex) {
    const Material* material = node->material;
    if (material == nullptr) continue;
    bool selected = nodeIndex == selectedIndex;
    const char* name = material->name != nullptr ? material->name : "";
    int position = listView->insertRow(nodeIndex, name, nodeIndex, selected);
    if (position < 0) continue;
    if (selected) marked = true;
    for (int column = 1; column < 1 + kPropertyCount; ++column) {
      char text[kNumberTextSize];
      formatNumber(propertyValue(*material, propertyAt(column - 1)), text);
      listView->setCell(position, column, text);
    }
  }
  if (!marked) selectedIndex = -1;
  refilling = false;
  focusControl(IDC_LIST_MATERIALS);
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
  if (!confirm(MessageNumber::DeleteQuestion, MessageNumber::DeleteCaption)) return;
  removeAt(materials, selectedIndex);
  selectedIndex = 0;
  refillList();
}

void MaterialListDialog::onDeleteAll() {
  if (materials == nullptr || nodeCount(materials) == 0) return;
  if (confirm(MessageNumber::DeleteAllQuestion, MessageNumber::DeleteAllCaption)) {
    releaseList(materials);
    fileHoldsDeletedMaterials = true;
    refillList();
  }
  selectedIndex = -1;
}

bool MaterialListDialog::confirm(MessageNumber question, MessageNumber caption) {
  char text[kMessageTextBufferSize];
  char title[kMessageTextBufferSize];
  copyMessageText(question, text);
  copyMessageText(caption, title);
  return controls->showMessageBox(text, title, kQuestionStyle) == MessageBoxAnswer::kYes;
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
  if (somethingToSave && saveFile(materials, filePath) != 1) {
    showSaveFailure();
    return;
  }
  controls->endDialog(DialogResult::Ok);
}

void MaterialListDialog::showSaveFailure() {
  char text[kMessageTextBufferSize];
  char title[kMessageTextBufferSize];
  copyMessageText(MessageNumber::SaveFailedText, text);
  copyMessageText(MessageNumber::SaveFailedCaption, title);
  controls->showMessageBox(text, title, kErrorStyle);
}

void MaterialListDialog::onCancel() { controls->endDialog(DialogResult::Cancel); }

void MaterialListDialog::focusControl(int id) { controls->focusControl(id); }
