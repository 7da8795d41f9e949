#include "MatmlWriter.h"

#include <cstdio>

#include "CodePage.h"
#include "MaterialNames.h"
#include "ScaledNumber.h"
#include "UnitTable.h"

namespace {

struct MatmlUnit {
  const char* name;
  int power;
};

struct MatmlProperty {
  const char* id;
  const char* name;
  MaterialProperty property;
  int power;              // stored value x 10^power is the value in the units below
  const char* unitsName;  // empty: unitless
  MatmlUnit units[3];
  int unitCount;
};

const MatmlProperty kProperties[] = {
    {"pr1", "Density", MaterialProperty::Density, 3, "kg/m^3", {{"kg", 1}, {"m", -3}}, 2},
    {"pr2", "Young's Modulus", MaterialProperty::YoungModulus, 9, "Pa", {{"Pa", 1}}, 1},
    {"pr3", "Poisson's Ratio", MaterialProperty::PoissonRatio, 0, "", {}, 0},
    {"pr4", "Yield Strength", MaterialProperty::YieldStrength, 6, "Pa", {{"Pa", 1}}, 1},
    {"pr5",
     "Ultimate Tensile Strength",
     MaterialProperty::TensileStrength,
     6,
     "Pa",
     {{"Pa", 1}},
     1},
    {"pr6",
     "Thermal Conductivity",
     MaterialProperty::ThermalConductivity,
     0,
     "W/(m K)",
     {{"W", 1}, {"m", -1}, {"K", -1}},
     3},
    {"pr7",
     "Coefficient of Thermal Expansion",
     MaterialProperty::LinearExpansion,
     -5,
     "1/K",
     {{"K", -1}},
     1},
    {"pr8",
     "Specific Heat Capacity",
     MaterialProperty::SpecificHeat,
     0,
     "J/(kg K)",
     {{"J", 1}, {"kg", -1}, {"K", -1}},
     3},
};

std::string propertyDetails(const MatmlProperty& property) {
  std::string xml = std::string("    <PropertyDetails id=\"") + property.id + "\">\n      <Name>" +
                    property.name + "</Name>\n";
  if (property.unitCount == 0) return xml + "      <Unitless/>\n    </PropertyDetails>\n";
  xml += std::string("      <Units name=\"") + property.unitsName + "\">\n";
  for (int i = 0; i < property.unitCount; ++i) {
    xml += "        <Unit power=\"" + std::to_string(property.units[i].power) + "\"><Name>" +
           property.units[i].name + "</Name></Unit>\n";
  }
  return xml + "      </Units>\n    </PropertyDetails>\n";
}

}  // namespace

namespace {

bool isPlainAscii(const std::string& text) {
  for (char c : text) {
    if (c < 0x20 || c > 0x7E || c == '&' || c == '<' || c == '>' || c == '"') return false;
  }
  return true;
}

}  // namespace

bool xmlCharacterData(const std::string& utf8, std::string& xml) {
  // Most names need nothing done; they go as they are, at once.
  if (isPlainAscii(utf8)) {
    xml.assign(utf8);
    return true;
  }
  xml.clear();
  for (std::size_t at = 0; at < utf8.size();) {
    std::size_t start = at;
    unsigned code = 0;
    if (!nextUtf8(utf8, at, code)) return false;
    char reference[16];
    if (code == '&')
      xml += "&amp;";
    else if (code == '<')
      xml += "&lt;";
    else if (code == '>')
      xml += "&gt;";
    else if (code == '"')
      xml += "&quot;";
    else if (code == '\t')
      xml += "&#9;";  // kept in attributes too, where a raw tab is a blank
    else if (code < 0x20 || code == 0xFFFE || code == 0xFFFF)
      return false;
    else if (code >= 0x7F && code < 0xA0) {
      std::snprintf(reference, sizeof reference, "&#x%X;", code);
      xml += reference;
    } else {
      xml.append(utf8, start, at - start);
    }
  }
  return true;
}

MatmlWriter::MatmlWriter(const CodePage& codePage, std::ostream& out)
    : codePage_(codePage), out_(out) {
  out_ << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<MatML_Doc>\n";
}

const char* MatmlWriter::leftOutReason() {
  return "its name holds a control character, which XML 1.0 cannot hold; MatML cannot carry it";
}

bool MatmlWriter::add(const Material& material) {
  if (!xmlCharacterData(codePage_.toUtf8(writtenName(material)), name_)) return false;
  // Appended piece by piece into text that keeps its room from one material
  // to the next: a million materials, no allocation each.
  xml_.assign("  <Material>\n    <BulkDetails>\n      <Name>").append(name_).append("</Name>\n");
  for (int index = 0; index < kPropertyCount; ++index) {
    const MatmlProperty& property = kProperties[index];
    double value = propertyValue(material, property.property);
    if (value == 0) continue;
    // A value too near the ends of a double's range to be shifted cannot be
    // given in these units; the stored unit is not MatML's to name, so the
    // value goes in a unit of its own PropertyDetails.
    bool scaled = scalesSafely(value, property.power);
    if (!scaled) storedUnitUsed_[index] = true;
    xml_.append("      <PropertyData property=\"").append(property.id).append(scaled ? "" : "s");
    xml_.append("\">\n        <Data format=\"float\">");
    xml_.append(scaledNumber(value, scaled ? property.power : 0));
    xml_.append("</Data>\n      </PropertyData>\n");
  }
  xml_.append("    </BulkDetails>\n  </Material>\n");
  out_ << xml_;
  return true;
}

void MatmlWriter::finish() {
  std::string xml = "  <Metadata>\n";
  for (int index = 0; index < kPropertyCount; ++index) {
    const MatmlProperty& property = kProperties[index];
    xml += propertyDetails(property);
    if (!storedUnitUsed_[index]) continue;
    // The same property in its stored unit, for values beyond the range of
    // the SI units (see add).
    MatmlProperty stored = property;
    std::string id = std::string(property.id) + "s";
    stored.id = id.c_str();
    std::string unit = unitsOf(property.property).storedUnit;
    stored.unitsName = unit.c_str();
    stored.unitCount = 0;
    std::string details = propertyDetails(stored);
    std::size_t unitless = details.find("      <Unitless/>\n");
    if (unitless != std::string::npos) {
      details.replace(unitless, 18, "      <Units name=\"" + unit + "\"/>\n");
    }
    xml += details;
  }
  out_ << xml << "  </Metadata>\n</MatML_Doc>\n";
}
