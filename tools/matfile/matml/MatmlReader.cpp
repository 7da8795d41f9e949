#include "MatmlReader.h"

#include <cmath>
#include <map>

#include "MaterialNames.h"
#include "NumberString.h"
#include "NumberText.h"
#include "TextBytes.h"
#include "XmlReader.h"

namespace {

constexpr double kRoomTemperatureCelsius = 20;

// A PropertyDetails or ParameterDetails: its name and units as a unit text.
struct Details {
  std::string name;
  std::string unit;
};

using DetailsById = std::map<std::string, Details>;

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

// A Unit's name as the unit table spells it: tools write a temperature as "C"
// or "F", where the table has °C and °F.
std::string unitName(const std::string& name) {
  std::string trimmed = withoutOuterBlanks(name);
  if (trimmed == "C" || trimmed == "Cel")
    return "\xC2\xB0"
           "C";
  if (trimmed == "F")
    return "\xC2\xB0"
           "F";
  return trimmed;
}

std::string unitText(const XmlElement* details) {
  const XmlElement* units = details->child("Units");
  if (units == nullptr) return "";
  std::string text;
  for (const auto& unit : units->children) {
    if (unit->name != "Unit") continue;
    const XmlElement* name = unit->child("Name");
    if (name == nullptr) continue;
    const std::string* power = unit->attribute("power");
    std::string exponent = power != nullptr ? withoutOuterBlanks(*power) : "1";
    text +=
        (text.empty() ? "" : " ") + unitName(name->text) + (exponent == "1" ? "" : "^" + exponent);
  }
  if (text.empty()) {
    const std::string* name = units->attribute("name");
    if (name != nullptr) text = withoutOuterBlanks(*name);
  }
  const std::string* factor = units->attribute("factor");
  if (factor != nullptr && withoutOuterBlanks(*factor) != "1" &&
      !withoutOuterBlanks(*factor).empty()) {
    text = withoutOuterBlanks(*factor) + " " + text;
  }
  return text;
}

void collectDetails(const XmlElement& element, DetailsById& properties, DetailsById& parameters) {
  bool property = element.name == "PropertyDetails";
  if (property || element.name == "ParameterDetails") {
    const std::string* id = element.attribute("id");
    const XmlElement* name = element.child("Name");
    if (id != nullptr) {
      (property ? properties : parameters)[*id] = {
          name != nullptr ? withoutOuterBlanks(name->text) : "", unitText(&element)};
    }
  }
  for (const auto& child : element.children) collectDetails(*child, properties, parameters);
}

const XmlElement* findElement(const XmlElement& element, const std::string& name) {
  if (element.name == name) return &element;
  for (const auto& child : element.children) {
    if (const XmlElement* found = findElement(*child, name)) return found;
  }
  return nullptr;
}

void collectMaterials(const XmlElement& element, std::vector<const XmlElement*>& materials) {
  for (const auto& child : element.children) {
    if (child->name == "Material")
      materials.push_back(child.get());
    else
      collectMaterials(*child, materials);
  }
}

// MatML separates the values of one property (at several temperatures, say)
// with commas.
std::vector<std::string> dataValues(const std::string& text) {
  std::vector<std::string> values;
  std::size_t at = 0;
  for (;;) {
    std::size_t comma = text.find(',', at);
    values.push_back(withoutOuterBlanks(text.substr(at, comma - at)));
    if (comma == std::string::npos) break;
    at = comma + 1;
  }
  return values;
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

void give(const std::string& detailsName, const std::string& unit, const XmlElement& data,
          const Temperatures& temperatures, Reading& reading) {
  MaterialProperty property;
  if (!matmlProperty(detailsName, property)) return;
  std::vector<std::string> values = dataValues(data.text);
  if (values.size() == 1 && isPlaceholder(values[0])) return;
  GivenValue& given = reading.draft.value(property);
  if (given.given) {
    reading.notes.push_back({data.line, "note: " + quoted(reading.draft.name) + ": " +
                                            propertyName(property) + " given again (\"" +
                                            detailsName + "\"); the value on line " +
                                            std::to_string(given.line) + " is taken"});
    return;
  }
  std::string value = chosenValue(values, temperatures, property, data.line, reading);
  given.given = true;
  given.text = unit.empty() ? value : value + " " + unit;
  given.line = data.line;
}

void readPropertyData(const XmlElement& propertyData, const DetailsById& properties,
                      const DetailsById& parameters, Reading& reading) {
  Temperatures temperatures;
  for (const auto& child : propertyData.children) {
    if (child->name != "ParameterValue") continue;
    const std::string* id = child->attribute("parameter");
    auto details = id != nullptr ? parameters.find(*id) : parameters.end();
    const XmlElement* data = child->child("Data");
    if (details == parameters.end() || data == nullptr || !isTemperature(details->second.name))
      continue;
    temperatures.values = dataValues(data->text);
    temperatures.unit = details->second.unit;
  }
  const std::string* id = propertyData.attribute("property");
  auto details = id != nullptr ? properties.find(*id) : properties.end();
  const XmlElement* data = propertyData.child("Data");
  if (details != properties.end() && data != nullptr) {
    give(details->second.name, details->second.unit, *data, temperatures, reading);
  }
  for (const auto& child : propertyData.children) {
    if (child->name != "ParameterValue") continue;
    const std::string* parameter = child->attribute("parameter");
    auto found = parameter != nullptr ? parameters.find(*parameter) : parameters.end();
    const XmlElement* value = child->child("Data");
    if (found == parameters.end() || value == nullptr) continue;
    give(found->second.name, found->second.unit, *value, temperatures, reading);
  }
}

// A name that a tool wrote over several lines is taken without the blanks
// around it; on one line it is taken byte for byte, as a table's name is.
std::string materialName(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos ? withoutOuterBlanks(text) : text;
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

MatmlDocument readMatml(const std::string& bytes) {
  MatmlDocument document;
  XmlReadResult xml = readXml(bytes);
  if (xml.root == nullptr) {
    document.problem = xml.problem;
    document.problemLine = xml.problemLine;
    return document;
  }
  const XmlElement* root = findElement(*xml.root, "MatML_Doc");
  if (root == nullptr) {
    document.problem = "not a MatML document: it holds no MatML_Doc element";
    document.problemLine = xml.root->line;
    return document;
  }
  DetailsById properties, parameters;
  collectDetails(*root, properties, parameters);
  std::vector<const XmlElement*> materials;
  collectMaterials(*root, materials);
  for (const XmlElement* material : materials) {
    const XmlElement* bulk = material->child("BulkDetails");
    if (bulk == nullptr) continue;
    MaterialDraft draft;
    const XmlElement* name = bulk->child("Name");
    draft.name = name != nullptr ? materialName(name->text) : "";
    draft.line = name != nullptr ? name->line : bulk->line;
    draft.namedInReports = true;
    for (int position = 0; position < kPropertyCount; ++position) {
      draft.labels[position] = propertyName(propertyAt(position));
    }
    Reading reading{draft, document.notes};
    for (const auto& child : bulk->children) {
      if (child->name == "PropertyData") readPropertyData(*child, properties, parameters, reading);
    }
    document.drafts.push_back(std::move(draft));
  }
  document.readable = true;
  return document;
}
