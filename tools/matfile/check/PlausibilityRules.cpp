#include "PlausibilityRules.h"

#include "MaterialNames.h"
#include "NumberString.h"

namespace {

using Test = PlausibilityTest;
using Property = MaterialProperty;

constexpr PlausibilityScope kEverywhere{Property::Density, 0, ""};
constexpr PlausibilityScope kMetalLike{Property::Density, 1.7, "metal-like"};
constexpr PlausibilityScope kStiffSolid{Property::YoungModulus, 10, "a stiff solid"};
constexpr PlausibilityScope kNoElastomer{Property::YoungModulus, 1, "no elastomer"};

// The thresholds and their physical reasons. A value on the safe side of a
// threshold may still be wrong; a value beyond it is not a real material.
// Rules that combine two properties catch what neither catches alone; where a
// class of materials has values that would be a mistake in another (a
// thermoplastic's stress at break below its yield stress), the rule holds only
// for the class where they are a mistake.
const std::vector<PlausibilityRule> kRules = {
    {Property::Density,
     Test::Above,
     25,
     Property::Density,
     kEverywhere,
     "no solid at room conditions is denser: osmium, the densest element, has 22.6",
     "kg/m^3 typed (7850 for 7.85)",
     {{Property::Density, "kg/m^3 typed (7850 for 7.85)"}}},
    {Property::YoungModulus,
     Test::Above,
     1200,
     Property::YoungModulus,
     kEverywhere,
     "no solid is stiffer: diamond, the stiffest, reaches about 1,200",
     "MPa typed (210000 for 210)",
     {{Property::YoungModulus, "MPa typed (210000 for 210)"}}},
    {Property::YoungModulus, Test::BelowNonZero, 0.0001, Property::YoungModulus, kMetalLike,
     "a solid as dense as a metal (1.7 and more: magnesium, the lightest structural metal, "
     "has 1.74) is never softer than 100 kPa; even soft rubber has 0.001",
     "a slipped decimal point or exponent sign"},
    {Property::YoungModulus,
     Test::AboveTimes,
     350,
     Property::Density,
     kEverywhere,
     "no solid is that stiff for its weight: diamond reaches about 300 times its density, "
     "carbon fibre laminates about 200, steel and aluminium 26",
     "the density in lb/in^3 (0.284 for 7.85) or the Young modulus in MPa (2400 for 2.4)",
     {{Property::Density, "the density in lb/in^3 (0.284 for 7.85)"},
      {Property::YoungModulus, "the Young modulus in MPa (2400 for 2.4)"}}},
    {Property::PoissonRatio, Test::AtLeast, 0.5, Property::PoissonRatio, kEverywhere,
     "an isotropic solid is stable only below 0.5; rubber comes closest with about 0.4999",
     "a percentage (30 for 0.3) or a typo"},
    {Property::YieldStrength, Test::AboveOther, 0, Property::TensileStrength, kStiffSolid,
     "in a stiff solid (metals, ceramics, composites) the tensile strength is the highest "
     "stress of a tensile test, so yielding starts at or below it; thermoplastics, all softer, "
     "often give the stress at break, which may lie below the yield stress",
     "the two values swapped, or one of them in another unit (ksi, psi)"},
    {Property::TensileStrength,
     Test::AboveTimes,
     200,
     Property::YoungModulus,
     kNoElastomer,
     "a solid breaks far below a fifth of its Young modulus: the strongest steels and fibre "
     "composites at about a hundredth, polymers at a fifteenth; only elastomers stretch further",
     "psi typed (52000 for 360) or kPa",
     {{Property::TensileStrength, "psi typed (52000 for 360) or kPa"}}},
    {Property::ThermalConductivity,
     Test::Above,
     2500,
     Property::ThermalConductivity,
     kEverywhere,
     "no solid conducts heat better: diamond, the best, has about 2,200",
     "mW/(m K) typed (50000 for 50)",
     {{Property::ThermalConductivity, "mW/(m K) typed (50000 for 50)"}}},
    {Property::LinearExpansion,
     Test::BelowNonZero,
     0.001,
     Property::LinearExpansion,
     kEverywhere,
     "0.001 is 10^-8 per kelvin: only special zero-expansion glass ceramics come that low; "
     "Invar has about 0.12",
     "1/K typed (1.2e-005 for 1.2)",
     {{Property::LinearExpansion, "1/K typed (1.2e-005 for 1.2)"}}},
    {Property::LinearExpansion,
     Test::Above,
     50,
     Property::LinearExpansion,
     kEverywhere,
     "50 is 5 x 10^-4 per kelvin, beyond the solids that expand most, soft polymers and "
     "elastomers (up to about 30)",
     "10^-6 m/(m C) typed (80 for 8)",
     {{Property::LinearExpansion, "10^-6 m/(m C) typed (80 for 8)"}}},
    {Property::LinearExpansion,
     Test::Above,
     4,
     Property::LinearExpansion,
     kStiffSolid,
     "a stiff solid (metals, ceramics, glasses, composites) expands at most about 3.5 x 10^-5 "
     "per kelvin (zinc, lead); what expands more, polymers and elastomers, is softer",
     "10^-6 m/(m C) typed (23.6 for 2.36)",
     {{Property::LinearExpansion, "10^-6 m/(m C) typed (23.6 for 2.36)"}}},
    {Property::SpecificHeat,
     Test::BelowNonZero,
     100,
     Property::SpecificHeat,
     kEverywhere,
     "no solid at room temperature stores less heat: lead and gold, among the lowest, have "
     "about 130",
     "kJ/(kg K) or Btu/(lb F) typed (0.46 or 0.11 for 460)",
     {{Property::SpecificHeat, "kJ/(kg K) or Btu/(lb F) typed (0.46 or 0.11 for 460)"}}},
    {Property::Density, Test::NameTaken, 0, Property::Density, kEverywhere,
     "the list dialog shows two rows that cannot be told apart", "a material entered twice"},
};

const PlausibilityRule& nameRule() {
  for (const PlausibilityRule& rule : kRules) {
    if (rule.test == Test::NameTaken) return rule;
  }
  return kRules.back();
}

bool inScope(const PlausibilityScope& scope, const Material& material) {
  return scope.atLeast == 0 || propertyValue(material, scope.property) >= scope.atLeast;
}

bool breaks(const PlausibilityRule& rule, const Material& material) {
  double value = propertyValue(material, rule.property);
  if (value == 0) return false;
  if (!inScope(rule.scope, material)) return false;
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
    case Test::AboveTimes: {
      double other = propertyValue(material, rule.other);
      return other != 0 && value > rule.limit * other;
    }
    case Test::NameTaken:
      break;
  }
  return false;
}

// How a value compares with the rule's limit: "above 25", "0.5 or more",
// "above 350 times the " + `other`; as the warning and the table word it.
std::string comparison(const PlausibilityRule& rule, const std::string& other) {
  switch (rule.test) {
    case Test::Above:
      return "above " + numberString(rule.limit);
    case Test::AtLeast:
      return numberString(rule.limit) + " or more";
    case Test::BelowNonZero:
      return "below " + numberString(rule.limit);
    case Test::AboveOther:
      return "above the " + other;
    case Test::AboveTimes:
      return "above " + numberString(rule.limit) + " times the " + other;
    case Test::NameTaken:
      break;
  }
  return "";
}

// What the warning says about the value, after "density 7850 [g/cm^3] ".
std::string finding(const PlausibilityRule& rule, const Material& material) {
  std::string text = "is " + comparison(rule, namedValue(material, rule.other));
  if (rule.scope.atLeast > 0 && rule.other != rule.scope.property) {
    MaterialProperty scope = rule.scope.property;
    text += std::string(" at a ") + propertyName(scope) + " of " +
            withUnit(numberString(propertyValue(material, scope)), scope);
  }
  return text;
}

std::string explanation(const PlausibilityRule& rule) {
  return std::string("; ") + rule.reason + "; likely " + rule.likelyCause;
}

// The likely causes that fit the units the source gave. A value converted from
// another unit was not typed in the stored one, so a cause that says it was
// is left out; where none is left, the converted values are to be checked
// against their units.
std::string fittingExplanation(const PlausibilityRule& rule, const GivenUnits& given) {
  std::string fitting, converted;
  for (const UnitCause& cause : rule.unitCauses) {
    int position = static_cast<int>(cause.property);
    if (!given.converted[position]) {
      fitting += (fitting.empty() ? "" : " or ") + std::string(cause.text);
    } else if (converted.find(propertyName(cause.property)) == std::string::npos) {
      converted += (converted.empty() ? "" : ", ") + std::string(propertyName(cause.property)) +
                   " " + given.asGiven[position];
    }
  }
  if (converted.empty()) return explanation(rule);
  if (!fitting.empty()) return std::string("; ") + rule.reason + "; likely " + fitting;
  return std::string("; ") + rule.reason + "; check the value against the unit it was given in (" +
         converted + ")";
}

std::string valueWarning(const PlausibilityRule& rule, const Material& material,
                         const GivenUnits& given, const std::string& shownName) {
  int position = static_cast<int>(rule.property);
  std::string asGiven =
      given.converted[position] ? " (given as " + given.asGiven[position] + ")" : "";
  return shownName + ": " + namedValue(material, rule.property) + asGiven + ' ' +
         finding(rule, material) + fittingExplanation(rule, given);
}

// The "warned when" column of the table.
std::string condition(const PlausibilityRule& rule) {
  if (rule.test == Test::NameTaken) {
    return "the same as an earlier material's name (letter case counts, blanks at either end "
           "do not)";
  }
  std::string other = propertyName(rule.other);
  if (rule.test == Test::AboveTimes) other = withUnit(other, rule.other);
  std::string text = comparison(rule, other);
  if (rule.scope.atLeast > 0) {
    text += ", for a " + std::string(propertyName(rule.scope.property)) + " of " +
            withUnit(numberString(rule.scope.atLeast), rule.scope.property) + " or more (" +
            rule.scope.kind + ")";
  }
  return text;
}

std::string subject(const PlausibilityRule& rule) {
  if (rule.test == Test::NameTaken) return "name";
  return withUnit(propertyName(rule.property), rule.property);
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
  return valueWarningsFor(material, GivenUnits{}, quotedName(material));
}

std::vector<std::string> PlausibilityCheck::valueWarningsFor(const Material& material,
                                                             const GivenUnits& given,
                                                             const std::string& shownName) {
  std::vector<std::string> warnings;
  for (const PlausibilityRule& rule : kRules) {
    if (breaks(rule, material)) warnings.push_back(valueWarning(rule, material, given, shownName));
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
