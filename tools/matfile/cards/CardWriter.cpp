#include "CardWriter.h"

#include <cstdio>

#include "CodePage.h"
#include "MaterialNames.h"
#include "NameUuid.h"
#include "ScaledNumber.h"
#include "UnitTable.h"

namespace {

struct CardQuantity {
  const char* key;
  MaterialProperty property;
  const char* unit;  // as the library writes it
  int power;         // stored value x 10^power is the value in `unit`
};

struct CardModel {
  const char* name;
  const char* uuid;  // the library's identity of the model
  CardQuantity quantities[5];
  int count;
};

const CardModel kModels[] = {
    {"LinearElastic",
     "7b561d1d-fb9b-44f6-9da9-56a4f74d7536",
     {{"Density", MaterialProperty::Density, "kg/m^3", 3},
      {"PoissonRatio", MaterialProperty::PoissonRatio, "", 0},
      {"UltimateTensileStrength", MaterialProperty::TensileStrength, "MPa", 0},
      {"YieldStrength", MaterialProperty::YieldStrength, "MPa", 0},
      {"YoungsModulus", MaterialProperty::YoungModulus, "MPa", 3}},
     5},
    {"Thermal",
     "9959d007-a970-4ea7-bae4-3eb1b8b883c7",
     {{"SpecificHeat", MaterialProperty::SpecificHeat, "J/kg/K", 0},
      {"ThermalConductivity", MaterialProperty::ThermalConductivity, "W/m/K", 0},
      {"ThermalExpansionCoefficient", MaterialProperty::LinearExpansion, "m/m/K", -5}},
     3},
};

// A value too near the ends of a double's range to be shifted stays in the
// stored unit, which import reads as well.
std::string quantityText(double value, const CardQuantity& quantity) {
  if (!scalesSafely(value, quantity.power)) {
    std::string unit = unitsOf(quantity.property).storedUnit;
    return scaledNumber(value, 0) + (unit.empty() ? "" : " " + unit);
  }
  std::string unit = quantity.unit;
  return scaledNumber(value, quantity.power) + (unit.empty() ? "" : " " + unit);
}

}  // namespace

std::string yamlQuoted(const std::string& utf8) {
  std::string text = "\"";
  for (std::size_t at = 0; at < utf8.size();) {
    std::size_t start = at;
    unsigned code = 0;
    if (!nextUtf8(utf8, at, code)) code = 0xFFFD;
    char escape[16];
    if (code == '"' || code == '\\') {
      text += '\\';
      text += static_cast<char>(code);
    } else if (code == '\t') {
      text += "\\t";
    } else if (code < 0x20 || code == 0x7F || (code >= 0x80 && code < 0xA0)) {
      std::snprintf(escape, sizeof escape, "\\x%02X", code);
      text += escape;
    } else if (code == 0xFEFF || code == 0x2028 || code == 0x2029 || code == 0xFFFD) {
      std::snprintf(escape, sizeof escape, "\\u%04X", code);
      text += escape;
    } else {
      text.append(utf8, start, at - start);
    }
  }
  return text + '"';
}

std::string materialCardText(const Material& material, const CodePage& codePage) {
  std::string name = codePage.toUtf8(writtenName(material));
  std::string text = "---\n# A material of a material file, as matfile export writes it\n";
  text += "General:\n  UUID: \"" + nameUuid(name) + "\"\n  Name: " + yamlQuoted(name) + "\n";
  std::string models;
  for (const CardModel& model : kModels) {
    std::string lines;
    for (int i = 0; i < model.count; ++i) {
      const CardQuantity& quantity = model.quantities[i];
      double value = propertyValue(material, quantity.property);
      if (value == 0) continue;
      lines += std::string("    ") + quantity.key + ": \"" + quantityText(value, quantity) + "\"\n";
    }
    if (lines.empty()) continue;
    models += std::string("  ") + model.name + ":\n    UUID: \"" + model.uuid + "\"\n" + lines;
  }
  text += models.empty() ? "Models: {}\n" : "Models:\n" + models;
  return text;
}
