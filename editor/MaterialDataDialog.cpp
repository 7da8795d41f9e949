#include "MaterialDataDialog.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "DialogRunner.h"
#include "MaterialDataDialogIds.h"
#include "NumberText.h"

struct MaterialDataDialog::FieldControl {
  Field field;
  int controlId;
};

// Every field's edit control, in the order in which the field texts go into
// their controls and come back.
const MaterialDataDialog::FieldControl MaterialDataDialog::kFieldControls[kFieldCount] = {
    {Field::Density, IDC_DATA_DENSITY},
    {Field::LinearExpansion, IDC_DATA_LINEAR_EXPANSION},
    {Field::Name, IDC_DATA_NAME},
    {Field::YoungModulus, IDC_DATA_YOUNG_MODULUS},
    {Field::YieldStrength, IDC_DATA_YIELD_STRENGTH},
    {Field::ThermalConductivity, IDC_DATA_THERMAL_CONDUCTIVITY},
    {Field::TensileStrength, IDC_DATA_TENSILE_STRENGTH},
    {Field::SpecificHeat, IDC_DATA_SPECIFIC_HEAT},
    {Field::PoissonRatio, IDC_DATA_POISSON_RATIO},
};

// The order in which OK hands the fields to the setters; the first rejection
// is the one the user sees.
const MaterialDataDialog::Field MaterialDataDialog::kCheckingOrder[kFieldCount] = {
    Field::Name,
    Field::Density,
    Field::PoissonRatio,
    Field::TensileStrength,
    Field::YieldStrength,
    Field::LinearExpansion,
    Field::SpecificHeat,
    Field::ThermalConductivity,
    Field::YoungModulus,
};

namespace {

const char* orEmpty(const char* text) { return text != nullptr ? text : ""; }

// The field after the name at presentation position p is property p.
constexpr MaterialProperty propertyAtField(int fieldIndex) { return propertyAt(fieldIndex - 1); }

}  // namespace

MaterialDataDialog::MaterialDataDialog(Material& material, const char* title)
    : editedMaterial_(material), titleText_(title) {}

MaterialDataDialog::~MaterialDataDialog() {
  for (char* text : fieldTexts_) std::free(text);
}

void MaterialDataDialog::onInitDialog(DialogControls& dialogControls) {
  controls_ = &dialogControls;
  writeFieldTexts();
  // A record without a name opens empty even where its numbers are set.
  if (editedMaterial_.name != nullptr) fillFields();
  controls_->setTitle(titleText_.text());
  controls_->setControlText(IDC_DATA_MESSAGE_LINE, "");
  focusControl(IDC_DATA_NAME);
}

void MaterialDataDialog::onOk() {
  if (validateAndStore()) controls_->endDialog(DialogResult::Ok);
}

void MaterialDataDialog::onCancel() { controls_->endDialog(DialogResult::Cancel); }

bool MaterialDataDialog::validateAndStore() {
  if (!readFieldTexts()) return false;
  for (Field field : kCheckingOrder) {
    if (!store(field)) {
      controls_->setControlText(IDC_DATA_MESSAGE_LINE, orEmpty(editedMaterial_.errorText));
      focusControl(controlOf(field));
      return false;
    }
  }
  controls_->setControlText(IDC_DATA_MESSAGE_LINE, "");
  return true;
}

int MaterialDataDialog::controlOf(Field field) {
  for (const FieldControl& entry : kFieldControls)
    if (entry.field == field) return entry.controlId;
  return 0;
}

void MaterialDataDialog::writeFieldTexts() {
  for (const FieldControl& entry : kFieldControls)
    controls_->setControlText(entry.controlId, orEmpty(fieldTexts_[static_cast<int>(entry.field)]));
}

bool MaterialDataDialog::readFieldTexts() {
  for (const FieldControl& entry : kFieldControls) {
    char* text = controls_->controlText(entry.controlId);
    if (text == nullptr) return false;
    char*& fieldText = fieldTexts_[static_cast<int>(entry.field)];
    std::free(fieldText);
    fieldText = text;
  }
  return true;
}

void MaterialDataDialog::fillFields() {
  controls_->setControlText(controlOf(Field::Name), editedMaterial_.name);
  for (int field = 1; field < kFieldCount; ++field) {
    char text[kNumberTextSize];
    formatNumber(propertyValue(editedMaterial_, propertyAtField(field)), text);
    controls_->setControlText(controlOf(static_cast<Field>(field)), text);
  }
}

bool MaterialDataDialog::store(Field field) {
  const char* text = orEmpty(fieldTexts_[static_cast<int>(field)]);
  if (field == Field::Name) return editedMaterial_.setName(text) == 1;
  MaterialProperty property = propertyAtField(static_cast<int>(field));
  return setPropertyValue(editedMaterial_, property, textToNumber(text)) == 1;
}

void MaterialDataDialog::focusControl(int id) { controls_->focusControl(id); }

bool runCreateDialog(Material& record, DialogRunner& dialogs) {
  MaterialDataDialog dialog(record, messageText(MessageNumber::CreateMaterialTitle));
  return dialogs.runModal(dialog);
}

namespace {

// The working copy passed every setter, so copying it back fails only where
// the copy of its name cannot be allocated; then its own name moves over, so
// that an edit is never applied by halves.
void copyBack(Material& record, Material& workingCopy) {
  record.copyFrom(workingCopy);
  if (record.name == nullptr || std::strcmp(record.name, workingCopy.name) != 0)
    std::swap(record.name, workingCopy.name);
}

}  // namespace

bool runEditDialog(Material& record, DialogRunner& dialogs) {
  Material workingCopy;
  workingCopy.makeEmpty();
  workingCopy.copyFrom(record);
  bool nameLost = record.name != nullptr && workingCopy.name == nullptr;
  bool accepted = false;
  if (!nameLost) {
    MaterialDataDialog dialog(workingCopy, messageText(MessageNumber::EditMaterialTitle));
    accepted = dialogs.runModal(dialog);
    if (accepted) copyBack(record, workingCopy);
  }
  workingCopy.freeStrings();
  return accepted;
}
