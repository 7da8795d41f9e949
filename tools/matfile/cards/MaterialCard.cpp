#include "MaterialCard.h"

#include <filesystem>

#include "MaterialNames.h"
#include "TextBytes.h"

namespace {

struct CardKey {
  const char* key;
  MaterialProperty property;
};

const CardKey kCardKeys[] = {
    {"Density", MaterialProperty::Density},
    {"YoungsModulus", MaterialProperty::YoungModulus},
    {"PoissonRatio", MaterialProperty::PoissonRatio},
    {"YieldStrength", MaterialProperty::YieldStrength},
    {"UltimateTensileStrength", MaterialProperty::TensileStrength},
    {"ThermalConductivity", MaterialProperty::ThermalConductivity},
    {"ThermalExpansionCoefficient", MaterialProperty::LinearExpansion},
    {"SpecificHeat", MaterialProperty::SpecificHeat},
};

}  // namespace

void MaterialCard::give(const std::string& key, const std::string& text, long line) {
  for (const CardKey& entry : kCardKeys) {
    if (key != entry.key) continue;
    if (withoutOuterBlanks(text).empty()) return;  // an empty value gives nothing
    GivenValue& given = value(entry.property);
    if (given.given) {
      notes.push_back({line, "note: " + key + " given again; the value on line " +
                                 std::to_string(given.line) + " is taken"});
      return;
    }
    given.given = true;
    given.text = text;
    given.line = line;
    return;
  }
}

void MaterialCard::nameAfterFile() {
  name = std::filesystem::path(path).stem().string();
  notes.push_back({nameLine, "note: the card gives no Name; it is named \"" + name +
                                 "\" after its file"});
}
