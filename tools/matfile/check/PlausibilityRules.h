// Values that every setter accepts but that are almost surely a unit mistake
// or a typo: the stored units (g/cm^3, GPa, 10^-5 per kelvin) are not the
// ones most data sheets use, so a value off by a power of ten is the typical
// error. The rules and their reasons stand in one table (PlausibilityRules.cpp);
// `matfile rules` prints it for the matfile manual.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "MaterialProperty.h"

enum class PlausibilityTest {
  Above,         // the value is above `limit`
  AtLeast,       // the value is `limit` or more
  BelowNonZero,  // the value is below `limit` but not 0
  AboveOther,    // the value is above that of `other`, neither being 0
  AboveTimes,    // the value is above `limit` times that of `other`, neither being 0
  NameTaken,     // an earlier material has the same name
};

// A rule may hold only for a class of materials, told by another property:
// metal-like by the density, a stiff solid by the Young modulus.
struct PlausibilityScope {
  MaterialProperty property;
  double atLeast;    // the rule holds where `property` is this or more; 0: everywhere
  const char* kind;  // what such a material is: "metal-like"
};

// One of the likely causes that presumes a value typed in the stored unit of
// `property` ("kg/m^3 typed" for a density): it cannot be the cause where the
// source gave that property in another unit and it was converted.
struct UnitCause {
  MaterialProperty property;
  const char* text;
};

struct PlausibilityRule {
  MaterialProperty property;  // the property warned about; unused for NameTaken
  PlausibilityTest test;
  double limit;               // Above, AtLeast, BelowNonZero, AboveTimes
  MaterialProperty other;     // AboveOther, AboveTimes
  PlausibilityScope scope;
  const char* reason;         // why no real material has such a value
  const char* likelyCause;    // what was probably typed instead
  // likelyCause again, one UnitCause per alternative, where every alternative
  // is about a unit; empty where some cause fits whatever unit was given.
  std::vector<UnitCause> unitCauses = {};
};

// How an import's source gave each value.
struct GivenUnits {
  bool converted[kPropertyCount] = {};  // given in another unit than the stored one
  std::string asGiven[kPropertyCount];  // "0.0975 [lb/in^3]", where converted
};

// Every rule, in the order in which the warnings about one material come.
// A value of 0 is never warned about: it is what an unset number reads and
// what an empty dialog field gives.
const std::vector<PlausibilityRule>& plausibilityRules();

// The rules as Markdown table rows under a header row: property (with unit),
// when it is warned about, the physical reason, the likely cause.
std::string plausibilityTable();

// Checks materials one after another, remembering their names for NameTaken.
class PlausibilityCheck {
 public:
  // One text per rule that `material` breaks, starting with its quoted name;
  // `place` is where it stands (its name line), for later name clashes.
  std::vector<std::string> warningsFor(long place, const Material& material);

  // The rules that need no other material: for a record checked on its own,
  // by import and by any command that marks implausible materials.
  static std::vector<std::string> valueWarningsFor(const Material& material);

  // The same for a record made from values given as `given` says: each
  // converted value is shown as given too, and the likely causes are only
  // those that fit the units the source gave. Each text starts with
  // `shownName`, the name quoted as the source writes it.
  static std::vector<std::string> valueWarningsFor(const Material& material,
                                                   const GivenUnits& given,
                                                   const std::string& shownName);

 private:
  struct FirstUse {
    long place;
    std::string name;
  };
  std::map<std::string, FirstUse> names_;  // by the name without outer blanks
};
