// Every unit that matfile converts from, with its exact value in SI units, and
// the stored unit of each property: the one home of the conversion factors.
// `matfile units` prints it; a unit text is read against it (UnitText.h).
#pragma once

#include <string>
#include <vector>

#include "MaterialProperty.h"

// Powers of mass, length, time and temperature difference.
struct Dimension {
  int mass = 0;
  int length = 0;
  int time = 0;
  int temperature = 0;

  bool operator==(const Dimension& other) const {
    return mass == other.mass && length == other.length && time == other.time &&
           temperature == other.temperature;
  }
};

struct UnitSymbol {
  const char* symbol;      // as written in a unit text: "psi", "µm", "°F"
  const char* name;        // "pound-force per square inch"
  double inSi;             // its value in kg, m, s, K and their products
  Dimension dimension;
  const char* definition;  // where inSi comes from, exactly: "lbf / in^2"
};

// Every symbol, prefixed ones included: only the prefixes that data sheets use
// for a quantity are there, so that "mPa" is an unknown unit rather than a
// Young modulus a billion times too small.
const std::vector<UnitSymbol>& unitSymbols();

// The symbol as the table spells it, or null.
const UnitSymbol* findUnitSymbol(const std::string& symbol);

struct PropertyUnits {
  const char* storedUnit;              // the stored unit as a unit text: "g/cm^3"
  const char* measure;                 // what its units measure: "a density"
  std::vector<const char*> examples;   // units that data sheets give it in
};

const PropertyUnits& unitsOf(MaterialProperty property);

// False for the Poisson ratio, which has no unit.
bool hasStoredUnit(MaterialProperty property);
