#include "PlausibilityRules.h"

#include "MaterialNames.h"
#include "NumberText.h"

namespace {

using Test = PlausibilityTest;
using Property = MaterialProperty;

// The thresholds and their physical reasons. A value on the safe side of a
// threshold may still be wrong; a value beyond it is not a real material.
const std::vector<PlausibilityRule> kRules = {
    {Property::Density, Test::Above, 25, Property::Density, 0,
     "no solid at room conditions is denser: osmium, the densest element, has 22.6",
     "kg/m^3 typed (7850 for 7.85)"},
    {Property::YoungModulus, Test::Above, 1200, Property::YoungModulus, 0,
     "no solid is stiffer: diamond, the stiffest, reaches about 1,200",
     "MPa typed (210000 for 210)"},
    {Property::YoungModulus, Test::BelowNonZero, 0.0001, Property::YoungModulus, 1.7,
     "a solid as dense as a metal (1.7 and more: magnesium, the lightest structural metal, "
     "has 1.74) is never softer than 100 kPa; even soft rubber has 0.001",
     "a slipped decimal point or exponent sign"},
    {Property::PoissonRatio, Test::AtLeast, 0.5, Property::PoissonRatio, 0,
     "an isotropic solid is stable only below 0.5; rubber comes closest with about 0.4999",
     "a percentage (30 for 0.3) or a typo"},
    {Property::YieldStrength, Test::AboveOther, 0, Property::TensileStrength, 0,
     "the tensile strength is the highest stress of a tensile test, so yielding starts at or "
     "below it",
     "the two values swapped, or one of them in another unit (ksi, psi)"},
    {Property::LinearExpansion, Test::BelowNonZero, 0.001, Property::LinearExpansion, 0,
     "0.001 is 10^-8 per kelvin: only special zero-expansion glass ceramics come that low; "
     "Invar has about 0.12",
     "1/K typed (1.2e-005 for 1.2)"},
    {Property::LinearExpansion, Test::Above, 50, Property::LinearExpansion, 0,
     "50 is 5 x 10^-4 per kelvin, beyond the solids that expand most, soft polymers and "
     "elastomers (up to about 30)",
     "10^-6 m/(m C) typed (80 for 8)"},
    {Property::Density, Test::NameTaken, 0, Property::Density, 0,
     "the list dialog shows two rows that cannot be told apart", "a material entered twice"},
};

const PlausibilityRule& nameRule() {
  for (const PlausibilityRule& rule : kRules) {
    if (rule.test == Test::NameTaken) return rule;
  }
  return kRules.back();
}

std::string number(double value) {
  char text[kNumberTextSize];
  formatNumber(value, text);
  return text;
}

// "density 7850 [g/cm^3]", "Poisson ratio 30"
std::string valueText(const Material& material, MaterialProperty property) {
  std::string unit = propertyUnit(property);
  return std::string(propertyName(property)) + ' ' + number(propertyValue(material, property)) +
         (unit.empty() ? "" : ' ' + unit);
}

std::string unitSuffix(MaterialProperty property) {
  std::string unit = propertyUnit(property);
  return unit.empty() ? "" : ' ' + unit;
}

bool breaks(const PlausibilityRule& rule, const Material& material) {
  double value = propertyValue(material, rule.property);
  if (value == 0) return false;
  if (rule.fromDensity > 0 && !(material.density >= rule.fromDensity)) return false;
  switch (rule.test) {
    case Test::Above:
      return value > rule.limit;
    case Test::AtLeast:
      return value >= rule.limit;
    case Test::BelowNonZero:
      return value < rule.limit;
    case Test::AboveOther: {
      double other = propertyValue(material, rule.other);
      return other != 0 && value > other;
    }
    case Test::NameTaken:
      break;
  }
  return false;
}

// What the warning says about the value, after "density 7850 [g/cm^3] ".
std::string finding(const PlausibilityRule& rule, const Material& material) {
  std::string text;
  switch (rule.test) {
    case Test::Above:
      text = "is above " + number(rule.limit);
      break;
    case Test::AtLeast:
      text = "is " + number(rule.limit) + " or more";
      break;
    case Test::BelowNonZero:
      text = "is below " + number(rule.limit);
      break;
    case Test::AboveOther:
      text = "is above the " + valueText(material, rule.other);
      break;
    case Test::NameTaken:
      break;
  }
  if (rule.fromDensity > 0) {
    text += " at a density of " + number(material.density) + unitSuffix(Property::Density);
  }
  return text;
}

std::string explanation(const PlausibilityRule& rule) {
  return std::string("; ") + rule.reason + "; likely " + rule.likelyCause;
}

std::string valueWarning(const PlausibilityRule& rule, const Material& material) {
  return quotedName(material) + ": " + valueText(material, rule.property) + ' ' +
         finding(rule, material) + explanation(rule);
}

// The "warned when" column of the table.
std::string condition(const PlausibilityRule& rule) {
  std::string text;
  switch (rule.test) {
    case Test::Above:
      text = "above " + number(rule.limit);
      break;
    case Test::AtLeast:
      text = number(rule.limit) + " or more";
      break;
    case Test::BelowNonZero:
      text = "below " + number(rule.limit);
      break;
    case Test::AboveOther:
      text = std::string("above the ") + propertyName(rule.other);
      break;
    case Test::NameTaken:
      return "the same as an earlier material's name (letter case counts, blanks at either end "
             "do not)";
  }
  if (rule.fromDensity > 0) {
    text += ", for a density of " + number(rule.fromDensity) + unitSuffix(Property::Density) +
            " or more (metal-like)";
  }
  return text;
}

std::string subject(const PlausibilityRule& rule) {
  if (rule.test == Test::NameTaken) return "name";
  return propertyName(rule.property) + unitSuffix(rule.property);
}

}  // namespace

const std::vector<PlausibilityRule>& plausibilityRules() { return kRules; }

std::string plausibilityTable() {
  std::string table =
      "| Value | Warned when | Reason | Likely cause |\n"
      "|---|---|---|---|\n";
  for (const PlausibilityRule& rule : kRules) {
    table += "| " + subject(rule) + " | " + condition(rule) + " | " + rule.reason + " | " +
             rule.likelyCause + " |\n";
  }
  return table;
}

std::vector<std::string> PlausibilityCheck::valueWarningsFor(const Material& material) {
  std::vector<std::string> warnings;
  for (const PlausibilityRule& rule : kRules) {
    if (breaks(rule, material)) warnings.push_back(valueWarning(rule, material));
  }
  return warnings;
}

std::vector<std::string> PlausibilityCheck::warningsFor(long place, const Material& material) {
  std::vector<std::string> warnings = valueWarningsFor(material);
  std::string name = writtenName(material);
  auto [first, isNew] = names_.try_emplace(withoutOuterBlanks(name), FirstUse{place, name});
  if (!isNew) {
    std::string clash = "same name as the material on line " + std::to_string(first->second.place);
    if (first->second.name != name) clash += " but for blanks at either end";
    warnings.push_back(quotedName(material) + ": " + clash + explanation(nameRule()));
  }
  return warnings;
}
