#include "MaterialCard.h"

#include <filesystem>

#include "IniCardReader.h"
#include "MaterialNames.h"
#include "TextBytes.h"
#include "YamlCardReader.h"

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

// The INI form comes first with a section line; the YAML form with "---" or
// "General:". Comments may stand before either.
bool isIniForm(const std::string& bytes) {
  std::size_t at = startsWithByteOrderMark(bytes) ? kByteOrderMarkSize : 0;
  while (at < bytes.size()) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string::npos) end = bytes.size();
    std::string line = withoutOuterBlanks(bytes.substr(at, end - at));
    if (!line.empty() && line[0] != '#' && line[0] != ';') return line[0] == '[';
    at = end + 1;
  }
  return false;
}

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

MaterialCard readMaterialCard(const std::string& path, const std::string& bytes) {
  MaterialCard card;
  card.path = path;
  if (isIniForm(bytes)) readIniCard(bytes, card);
  else readYamlCard(bytes, card);
  return card;
}
