#include "MatmlReader.h"

#include <cmath>

#include "MaterialNames.h"
#include "MatmlCollector.h"
#include "NumberString.h"
#include "NumberText.h"
#include "TextBytes.h"

namespace {

constexpr double kRoomTemperatureCelsius = 20;

// Words in lower case, anything else a single blank: "Young's Modulus" and
// "youngs-modulus" both become "young s modulus" / "youngs modulus".
std::string words(const std::string& name) {
  std::string text;
  for (char c : name) {
    char lower = lowerAscii(c);
    bool letter = (lower >= 'a' && lower <= 'z') || isAsciiDigit(lower);
    if (letter)
      text += lower;
    else if (!text.empty() && text.back() != ' ')
      text += ' ';
  }
  if (!text.empty() && text.back() == ' ') text.pop_back();
  return ' ' + text + ' ';
}

bool has(const std::string& text, const char* word) { return text.find(word) != std::string::npos; }

bool isTemperature(const std::string& name) { return has(words(name), " temperature "); }

// The details of an id as the values need them, its name matched once.
struct KnownDetails {
  const MatmlDetails* details = nullptr;  // null for an id no details gives
  bool isProperty = false;                // one of the eight
  MaterialProperty property = MaterialProperty::Density;
  bool temperature = false;
};

using DetailsByNumber = std::vector<KnownDetails>;

DetailsByNumber detailsByNumber(const std::unordered_map<std::string, MatmlDetails>& known,
                                const PendingMaterials& materials) {
  DetailsByNumber byNumber(materials.idCount() + 1);
  for (std::uint32_t number = 1; number <= materials.idCount(); ++number) {
    auto found = known.find(materials.idText(number));
    if (found == known.end()) continue;
    KnownDetails& details = byNumber[number];
    details.details = &found->second;
    details.isProperty = matmlProperty(found->second.name, details.property);
    details.temperature = isTemperature(found->second.name);
  }
  return byNumber;
}

// MatML separates the values of one property (at several temperatures, say)
// with commas. The strings keep their room from one Data to the next.
void dataValues(std::string_view text, std::vector<std::string>& values) {
  std::size_t count = 0;
  for (std::size_t at = 0;; ++count) {
    std::size_t comma = text.find(',', at);
    std::string_view value = text.substr(at, comma - at);
    while (!value.empty() && isNumberSpace(value.front())) value.remove_prefix(1);
    while (!value.empty() && isNumberSpace(value.back())) value.remove_suffix(1);
    if (values.size() == count) values.emplace_back();
    values[count].assign(value.data(), value.size());
    if (comma == std::string_view::npos) break;
    at = comma + 1;
  }
  values.resize(count + 1);
}

bool isPlaceholder(const std::string& value) { return value.empty() || value == "-"; }

double celsius(double value, const std::string& unit) {
  std::string trimmed = withoutOuterBlanks(unit);
  if (trimmed == "K") return value - 273.15;
  if (trimmed ==
          "\xC2\xB0"
          "F" ||
      trimmed == "degF")
    return (value - 32) * 5 / 9;
  return value;
}

struct Temperatures {
  std::vector<std::string> values;
  std::string unit;
};

struct Reading {
  MaterialDraft& draft;
  std::vector<DraftReport>& notes;
  std::vector<std::string> values;  // of the Data being read
};

// Several values: the one nearest room temperature, or without temperatures
// to tell them apart the first; either way said in a note.
std::string chosenValue(const std::vector<std::string>& values, const Temperatures& temperatures,
                        MaterialProperty property, long line, Reading& reading) {
  if (values.size() == 1) return values[0];
  std::string prefix = "note: " + quoted(reading.draft.name) + ": " + propertyName(property) + ": ";
  if (temperatures.values.size() != values.size()) {
    reading.notes.push_back({line, prefix + std::to_string(values.size()) +
                                       " values and no temperature for each; the first, " +
                                       values[0] + ", is taken"});
    return values[0];
  }
  std::size_t best = 0;
  double bestDistance = INFINITY;
  std::string listed;
  for (std::size_t i = 0; i < values.size(); ++i) {
    double at = celsius(textToNumber(temperatures.values[i].c_str()), temperatures.unit);
    double distance = std::fabs(at - kRoomTemperatureCelsius);
    if (distance < bestDistance) best = i, bestDistance = distance;
    listed += (i == 0 ? "" : ", ") + temperatures.values[i];
  }
  std::string unit = temperatures.unit.empty() ? "" : " " + temperatures.unit;
  reading.notes.push_back({line, prefix + "given at " + listed + unit + "; the value at " +
                                     temperatures.values[best] + unit + ", " + values[best] +
                                     ", nearest room temperature, is taken"});
  return values[best];
}

void give(const KnownDetails& details, std::string_view data, long line,
          const Temperatures& temperatures, Reading& reading) {
  if (!details.isProperty) return;
  std::vector<std::string>& values = reading.values;
  dataValues(data, values);
  if (values.size() == 1 && isPlaceholder(values[0])) return;
  GivenValue& given = reading.draft.value(details.property);
  if (given.given) {
    reading.notes.push_back({line, "note: " + quoted(reading.draft.name) + ": " +
                                       propertyName(details.property) + " given again (\"" +
                                       details.details->name + "\"); the value on line " +
                                       std::to_string(given.line) + " is taken"});
    return;
  }
  std::string value = chosenValue(values, temperatures, details.property, line, reading);
  const std::string& unit = details.details->unit;
  given.given = true;
  given.text = unit.empty() ? value : value + " " + unit;
  given.line = line;
}

void readPropertyData(const PendingPropertyData& data, const DetailsByNumber& properties,
                      const DetailsByNumber& parameters, Reading& reading) {
  Temperatures temperatures;
  for (const PendingParameter& parameter : data.parameters) {
    const KnownDetails& details = parameters[parameter.parameter];
    if (details.details == nullptr || !details.temperature) continue;
    dataValues(parameter.data, temperatures.values);
    temperatures.unit = details.details->unit;
  }
  const KnownDetails& property = properties[data.property];
  if (property.details != nullptr && data.hasData) {
    give(property, data.data, data.dataLine, temperatures, reading);
  }
  for (const PendingParameter& parameter : data.parameters) {
    const KnownDetails& details = parameters[parameter.parameter];
    if (details.details != nullptr) {
      give(details, parameter.data, parameter.line, temperatures, reading);
    }
  }
}

// The draft is made anew for each material but keeps its room.
void startDraft(const PendingMaterial& material, MaterialDraft& draft) {
  draft.name.assign(material.name.data(), material.name.size());
  draft.line = material.line;
  draft.namedInReports = true;
  for (int position = 0; position < kPropertyCount; ++position) {
    draft.labels[position] = propertyName(propertyAt(position));
    GivenValue& value = draft.values[position];
    value.given = false;
    value.text.clear();
    value.line = 0;
  }
}

}  // namespace

bool matmlProperty(const std::string& name, MaterialProperty& property) {
  std::string text = words(name);
  auto found = [&](MaterialProperty which) {
    property = which;
    return true;
  };
  if (has(text, " poisson")) return found(MaterialProperty::PoissonRatio);
  bool strength = has(text, " strength ") || has(text, " stress ");
  bool other = has(text, " compress") || has(text, " shear ") || has(text, " fatigue ") ||
               has(text, " flexural ") || has(text, " bending ");
  if (strength && !other && (has(text, " yield ") || has(text, " proof "))) {
    return found(MaterialProperty::YieldStrength);
  }
  if (strength && !other && (has(text, " ultimate ") || has(text, " tensile "))) {
    return found(MaterialProperty::TensileStrength);
  }
  bool modulus = has(text, " modulus ");
  if (has(text, " young") ||
      (modulus && !other && !has(text, " bulk ") &&
       (has(text, " elastic") || has(text, " elasticity ") || has(text, " tensile ")))) {
    return found(MaterialProperty::YoungModulus);
  }
  if (has(text, " density ") && !has(text, " energy ") && !has(text, " current ") &&
      !has(text, " charge ") && !has(text, " flux ") && !has(text, " power ")) {
    return found(MaterialProperty::Density);
  }
  if (has(text, " conductivity ") && !has(text, " electric")) {
    return found(MaterialProperty::ThermalConductivity);
  }
  bool volumetric = has(text, " volum") || has(text, " bulk ");
  if (!volumetric &&
      ((has(text, " expansion ") &&
        (has(text, " thermal ") || has(text, " coefficient ") || has(text, " linear "))) ||
       has(text, " cte "))) {
    return found(MaterialProperty::LinearExpansion);
  }
  if (has(text, " specific heat ") || (has(text, " heat capacity ") && !has(text, " volum"))) {
    return found(MaterialProperty::SpecificHeat);
  }
  return false;
}

MatmlDocument readMatml(const XmlChunks& chunks, const std::function<void(MaterialDraft&)>& take) {
  MatmlDocument document;
  MatmlCollector collector;
  XmlReader reader(collector);
  collector.readWith(reader);
  XmlReadResult xml = reader.read(chunks);
  if (!xml.readable) {
    document.problem = xml.problem;
    document.problemLine = xml.problemLine;
    return document;
  }
  if (!collector.foundDocument()) {
    document.problem = "not a MatML document: it holds no MatML_Doc element";
    document.problemLine = collector.firstElementLine();
    return document;
  }
  document.readable = true;
  PendingMaterials& materials = collector.materials();
  DetailsByNumber properties = detailsByNumber(collector.properties(), materials);
  DetailsByNumber parameters = detailsByNumber(collector.parameters(), materials);
  MaterialDraft draft;
  Reading reading{draft, document.notes, {}};
  materials.giveEach([&](const PendingMaterial& material) {
    startDraft(material, draft);
    for (const PendingPropertyData& data : material.properties) {
      readPropertyData(data, properties, parameters, reading);
    }
    take(draft);
  });
  return document;
}
