#include "UnitConversion.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <utility>

#include "NumberString.h"
#include "NumberText.h"
#include "UnitTable.h"
#include "UnitText.h"

namespace {

Unit storedUnit(MaterialProperty property) {
  Unit unit;
  std::string error;
  readUnitText(unitsOf(property).storedUnit, unit, error);  // a test reads every stored unit
  return unit;
}

// " (such as kg/m^3, g/cm^3 or kg/dm^3; matfile units lists them)"
std::string examplesOf(MaterialProperty property) {
  const std::vector<const char*>& examples = unitsOf(property).examples;
  std::size_t shown = std::min<std::size_t>(examples.size(), 3);
  if (shown == 0) return "";
  std::string text = " (such as ";
  for (std::size_t i = 0; i < shown; ++i) {
    text += (i == 0 ? "" : i + 1 == shown ? " or " : ", ");
    text += examples[i];
  }
  return text + "; matfile units lists them)";
}

std::string withDigits(double value, int digits) {
  char text[40];
  std::snprintf(text, sizeof text, "%.*g", digits, value);
  return text;
}

struct SiName {
  Dimension dimension;
  const char* unit;
};

const SiName kSiNames[] = {
    {{0, 0, 0, 0}, ""},   {{1, 0, 0, 0}, "kg"}, {{0, 1, 0, 0}, "m"},   {{0, 3, 0, 0}, "m^3"},
    {{0, 0, 1, 0}, "s"},  {{0, 0, 0, 1}, "K"},  {{1, 1, -2, 0}, "N"}, {{1, -1, -2, 0}, "Pa"},
    {{1, 2, -2, 0}, "J"}, {{1, 2, -3, 0}, "W"},
};

std::string siUnitOf(const Dimension& dimension) {
  for (const SiName& name : kSiNames) {
    if (name.dimension == dimension) return name.unit;
  }
  return "?";
}

std::string tableCell(const std::string& text) { return text.empty() ? "(none)" : text; }

}  // namespace

namespace {

bool findFactorToStored(MaterialProperty property, const std::string& unitText, double& factor,
                        std::string& error);

}  // namespace

// A library of cards gives the same few units thousands of times: each is
// read once per property and remembered, with its verdict.
bool factorToStored(MaterialProperty property, const std::string& unitText, double& factor,
                    std::string& error) {
  struct Verdict {
    bool known;
    double factor;
    std::string error;
  };
  static std::map<std::pair<MaterialProperty, std::string>, Verdict> verdicts;
  auto key = std::make_pair(property, unitText);
  auto found = verdicts.find(key);
  if (found == verdicts.end()) {
    Verdict verdict{false, 1, ""};
    verdict.known = findFactorToStored(property, unitText, verdict.factor, verdict.error);
    found = verdicts.emplace(std::move(key), std::move(verdict)).first;
  }
  if (!found->second.known) {
    error = found->second.error;
    return false;
  }
  factor = found->second.factor;
  return true;
}

namespace {

bool findFactorToStored(MaterialProperty property, const std::string& unitText, double& factor,
                        std::string& error) {
  if ("[" + unitText + "]" == propertyUnit(property) && !unitText.empty()) {
    factor = 1;
    return true;
  }
  Unit unit;
  std::string problem;
  if (!readUnitText(unitText, unit, problem)) {
    error = "unit \"" + unitText + "\" is not known: " + problem + " (matfile units lists the units)";
    return false;
  }
  Unit stored = storedUnit(property);
  if (!(unit.dimension == stored.dimension)) {
    error = "\"" + unitText + "\" is not a unit of " + unitsOf(property).measure +
            examplesOf(property);
    return false;
  }
  factor = unit.inSi / stored.inSi;
  return true;
}

// The number as the file writes it and reads it back: six significant digits.
// to_chars and from_chars straight, the file's exponent form and atof's
// leniency matter for neither, and an import of a million rows rounds eight
// million numbers; only a number that from_chars cannot take back takes the
// file's own way.
double roundedAsWritten(double exact) {
  char text[64];
  auto [end, problem] =
      std::to_chars(text, text + sizeof text, exact, std::chars_format::general, 6);
  double rounded = 0;
  if (problem == std::errc() && std::isfinite(exact) &&
      std::from_chars(text, end, rounded).ec == std::errc()) {
    return rounded;
  }
  return textToNumber(numberString(exact).c_str());
}

}  // namespace

bool storedNumber(double number, double factor, double& stored, std::string& error) {
  double exact = number * factor;
  stored = roundedAsWritten(exact);
  if (!std::isfinite(exact)) {
    error = "beyond the range of a number in the stored unit";
    return false;
  }
  if (number != 0 && stored == 0) {
    error = "below the range of a number in the stored unit (it would be 0, the value of a "
            "field left empty)";
    return false;
  }
  return true;
}

std::string unitsTable() {
  std::string table =
      "| Symbol | Unit | Value | Definition |\n"
      "|---|---|---|---|\n";
  for (const UnitSymbol& symbol : unitSymbols()) {
    std::string si = siUnitOf(symbol.dimension);
    table += std::string("| ") + symbol.symbol + " | " + symbol.name + " | " +
             withDigits(symbol.inSi, 16) + (si.empty() ? "" : " " + si) + " | " +
             symbol.definition + " |\n";
  }
  table +=
      "\n"
      "| Property | Unit | Factor to the stored unit |\n"
      "|---|---|---|\n";
  for (int position = 0; position < kPropertyCount; ++position) {
    MaterialProperty property = propertyAt(position);
    const PropertyUnits& units = unitsOf(property);
    table += std::string("| ") + propertyName(property) + " | " + tableCell(units.storedUnit) +
             " (stored) | 1 |\n";
    for (const char* example : units.examples) {
      if (std::string(example) == units.storedUnit) continue;
      double factor = 0;
      std::string error;
      factorToStored(property, example, factor, error);
      table += std::string("| ") + propertyName(property) + " | " + example + " | " +
               withDigits(factor, 12) + " |\n";
    }
  }
  return table;
}
