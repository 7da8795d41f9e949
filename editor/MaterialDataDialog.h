// The form in which the user enters or changes one material: the name and the
// eight numbers in edit fields. It holds no value rules of its own: OK hands
// every field to the record's setters in a fixed order, and the first
// rejection keeps the user in the dialog with its message and the focus on
// that field.
#pragma once

#include "DialogControls.h"
#include "Material.h"
#include "MaterialProperty.h"
#include "MessageTextCopy.h"

class DialogRunner;

class MaterialDataDialog {
 public:
  // Borrows `editedMaterial` for its whole life; copies `titleText`.
  MaterialDataDialog(Material& editedMaterial, const char* titleText);
  ~MaterialDataDialog();
  MaterialDataDialog(const MaterialDataDialog&) = delete;
  MaterialDataDialog& operator=(const MaterialDataDialog&) = delete;

  // Events, raised by whoever shows the dialog. `controls` are the open
  // dialog's and stay valid until it has ended.
  void onInitDialog(DialogControls& controls);
  void onOk();      // button 1 and Enter: ends with OK once every field is stored
  void onCancel();  // button 2 and Esc: ends with Cancel, nothing converted

 private:
  // The nine fields in presentation order: the name, then each property at
  // its place in MaterialProperty.
  enum class Field {
    Name,
    Density = 1 + static_cast<int>(MaterialProperty::Density),
    YoungModulus = 1 + static_cast<int>(MaterialProperty::YoungModulus),
    PoissonRatio = 1 + static_cast<int>(MaterialProperty::PoissonRatio),
    YieldStrength = 1 + static_cast<int>(MaterialProperty::YieldStrength),
    TensileStrength = 1 + static_cast<int>(MaterialProperty::TensileStrength),
    ThermalConductivity = 1 + static_cast<int>(MaterialProperty::ThermalConductivity),
    LinearExpansion = 1 + static_cast<int>(MaterialProperty::LinearExpansion),
    SpecificHeat = 1 + static_cast<int>(MaterialProperty::SpecificHeat),
  };
  static constexpr int kFieldCount = 1 + kPropertyCount;
  static_assert(static_cast<int>(Field::SpecificHeat) == kFieldCount - 1,
                "a field for every property, the last one last");

  // Reads the nine fields and passes them to the record's setters, name,
  // density, Poisson ratio, tensile strength, yield strength, linear
  // expansion, specific heat, thermal conductivity, Young modulus, stopping at
  // the first rejection: its message shows in the message line and its field
  // gets the focus; the earlier fields are already stored. True when all nine
  // are stored. False without storing anything when the field texts cannot be
  // copied for want of memory.
  bool validateAndStore();

  struct FieldControl;
  static const FieldControl kFieldControls[kFieldCount];
  static const Field kCheckingOrder[kFieldCount];

  static int controlOf(Field field);
  void writeFieldTexts();
  bool readFieldTexts();
  void fillFields();
  bool store(Field field);
  void focusControl(int id);

  Material& editedMaterial_;
  MessageTextCopy titleText_;
  DialogControls* controls_ = nullptr;

  // The texts of the nine edit fields by Field, owned, absent meaning empty;
  // read back from the controls by each OK.
  char* fieldTexts_[kFieldCount] = {};
};

// Runs the dialog on `record` itself, which the caller has made empty; values
// of failed OK attempts stay in it. True when the user ended with OK.
bool runCreateDialog(Material& record, DialogRunner& dialogs);

// Runs the dialog on a working copy of `record` and copies it back only when
// the user ends with OK (true); otherwise the record is untouched. False
// without showing anything when the copy cannot be made for want of memory.
bool runEditDialog(Material& record, DialogRunner& dialogs);
