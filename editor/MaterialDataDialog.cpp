#include "MaterialDataDialog.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "DialogRunner.h"
#include "MaterialDataDialogIds.h"
#include "MaterialProperty.h"
#include "NumberText.h"

struct MaterialDataDialog::FieldBinding {
  char* MaterialDataDialog::*text;
  int controlId;
};

// The order in which the field texts go into their controls and come back.
const MaterialDataDialog::FieldBinding MaterialDataDialog::kFieldExchange[] = {
    {&MaterialDataDialog::densityText, IDC_DATA_DENSITY},
    {&MaterialDataDialog::linearExpansionText, IDC_DATA_LINEAR_EXPANSION},
    {&MaterialDataDialog::nameText, IDC_DATA_NAME},
    {&MaterialDataDialog::youngModulusText, IDC_DATA_YOUNG_MODULUS},
    {&MaterialDataDialog::yieldStrengthText, IDC_DATA_YIELD_STRENGTH},
    {&MaterialDataDialog::thermalConductivityText, IDC_DATA_THERMAL_CONDUCTIVITY},
    {&MaterialDataDialog::tensileStrengthText, IDC_DATA_TENSILE_STRENGTH},
    {&MaterialDataDialog::specificHeatText, IDC_DATA_SPECIFIC_HEAT},
    {&MaterialDataDialog::poissonRatioText, IDC_DATA_POISSON_RATIO},
};

struct MaterialDataDialog::ValidationStep {
  char* MaterialDataDialog::*text;
  int controlId;
  bool isName;
  MaterialProperty property;  // when not the name
};

// The order in which OK hands the fields to the setters; the first rejection
// is the one the user sees.
const MaterialDataDialog::ValidationStep MaterialDataDialog::kValidationSteps[] = {
    {&MaterialDataDialog::nameText, IDC_DATA_NAME, true, MaterialProperty::Density},
    {&MaterialDataDialog::densityText, IDC_DATA_DENSITY, false, MaterialProperty::Density},
    {&MaterialDataDialog::poissonRatioText, IDC_DATA_POISSON_RATIO, false,
     MaterialProperty::PoissonRatio},
    {&MaterialDataDialog::tensileStrengthText, IDC_DATA_TENSILE_STRENGTH, false,
     MaterialProperty::TensileStrength},
    {&MaterialDataDialog::yieldStrengthText, IDC_DATA_YIELD_STRENGTH, false,
     MaterialProperty::YieldStrength},
    {&MaterialDataDialog::linearExpansionText, IDC_DATA_LINEAR_EXPANSION, false,
     MaterialProperty::LinearExpansion},
    {&MaterialDataDialog::specificHeatText, IDC_DATA_SPECIFIC_HEAT, false,
     MaterialProperty::SpecificHeat},
    {&MaterialDataDialog::thermalConductivityText, IDC_DATA_THERMAL_CONDUCTIVITY, false,
     MaterialProperty::ThermalConductivity},
    {&MaterialDataDialog::youngModulusText, IDC_DATA_YOUNG_MODULUS, false,
     MaterialProperty::YoungModulus},
};

namespace {

// The edit control of each property, indexed by MaterialProperty.
constexpr int kPropertyControls[kPropertyCount] = {
    IDC_DATA_DENSITY,          IDC_DATA_YOUNG_MODULUS,        IDC_DATA_POISSON_RATIO,
    IDC_DATA_YIELD_STRENGTH,   IDC_DATA_TENSILE_STRENGTH,     IDC_DATA_THERMAL_CONDUCTIVITY,
    IDC_DATA_LINEAR_EXPANSION, IDC_DATA_SPECIFIC_HEAT,
};

const char* orEmpty(const char* text) { return text != nullptr ? text : ""; }

}  // namespace

MaterialDataDialog::MaterialDataDialog(Material& material, const char* title)
    : editedMaterial(material), titleText(title) {}

MaterialDataDialog::~MaterialDataDialog() {
  for (const FieldBinding& field : kFieldExchange) std::free(this->*field.text);
}

void MaterialDataDialog::onInitDialog(DialogControls& dialogControls) {
  controls = &dialogControls;
  writeFieldTexts();
  // A record without a name opens empty even where its numbers are set.
  if (editedMaterial.name != nullptr) fillFields();
  controls->setTitle(titleText.text());
  controls->setControlText(IDC_DATA_MESSAGE_LINE, "");
  focusControl(IDC_DATA_NAME);
}

void MaterialDataDialog::onOk() {
  if (validateAndStore()) controls->endDialog(DialogResult::Ok);
}

void MaterialDataDialog::onCancel() { controls->endDialog(DialogResult::Cancel); }

bool MaterialDataDialog::validateAndStore() {
  if (!readFieldTexts()) return false;
  for (const ValidationStep& step : kValidationSteps) {
    if (!store(step)) {
      controls->setControlText(IDC_DATA_MESSAGE_LINE, orEmpty(editedMaterial.errorText));
      focusControl(step.controlId);
      return false;
    }
  }
  controls->setControlText(IDC_DATA_MESSAGE_LINE, "");
  return true;
}

void MaterialDataDialog::writeFieldTexts() {
  for (const FieldBinding& field : kFieldExchange)
    controls->setControlText(field.controlId, orEmpty(this->*field.text));
}

bool MaterialDataDialog::readFieldTexts() {
  for (const FieldBinding& field : kFieldExchange) {
    char* text = controls->controlText(field.controlId);
    if (text == nullptr) return false;
    std::free(this->*field.text);
    this->*field.text = text;
  }
  return true;
}

void MaterialDataDialog::fillFields() {
  controls->setControlText(IDC_DATA_NAME, editedMaterial.name);
  for (int position = 0; position < kPropertyCount; ++position) {
    MaterialProperty property = propertyAt(position);
    char text[kNumberTextSize];
    formatNumber(propertyValue(editedMaterial, property), text);
    controls->setControlText(kPropertyControls[position], text);
  }
}

bool MaterialDataDialog::store(const ValidationStep& step) {
  const char* text = orEmpty(this->*step.text);
  if (step.isName) return editedMaterial.setName(text) == 1;
  return setPropertyValue(editedMaterial, step.property, textToNumber(text)) == 1;
}

void MaterialDataDialog::focusControl(int id) { controls->focusControl(id); }

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
