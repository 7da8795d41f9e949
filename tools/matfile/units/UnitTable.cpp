#include "UnitTable.h"

namespace {

// The international inch, foot and pound (1959), the standard acceleration of
// gravity and the International Table British thermal unit, exactly as
// defined; everything else follows from them.
constexpr double kInch = 0.0254;
constexpr double kFoot = 0.3048;
constexpr double kPound = 0.45359237;
constexpr double kStandardGravity = 9.80665;
constexpr double kPoundForce = kPound * kStandardGravity;
constexpr double kPsi = kPoundForce / (kInch * kInch);
constexpr double kBtu = 1055.05585262;
constexpr double kFahrenheitDegree = 5.0 / 9.0;

constexpr Dimension kNone{};
constexpr Dimension kMass{1, 0, 0, 0};
constexpr Dimension kLength{0, 1, 0, 0};
constexpr Dimension kVolume{0, 3, 0, 0};
constexpr Dimension kTime{0, 0, 1, 0};
constexpr Dimension kTemperature{0, 0, 0, 1};
constexpr Dimension kForce{1, 1, -2, 0};
constexpr Dimension kPressure{1, -1, -2, 0};
constexpr Dimension kEnergy{1, 2, -2, 0};
constexpr Dimension kPower{1, 2, -3, 0};

const std::vector<UnitSymbol> kSymbols = {
    {"m", "metre", 1, kLength, "SI base unit"},
    {"dm", "decimetre", 0.1, kLength, "0.1 m"},
    {"cm", "centimetre", 0.01, kLength, "0.01 m"},
    {"mm", "millimetre", 0.001, kLength, "0.001 m"},
    {"µm", "micrometre", 1e-6, kLength, "10^-6 m"},
    {"in", "inch", kInch, kLength, "0.0254 m (international inch)"},
    {"µin", "microinch", kInch * 1e-6, kLength, "10^-6 in"},
    {"ft", "foot", kFoot, kLength, "0.3048 m (international foot, 12 in)"},
    {"l", "litre", 0.001, kVolume, "dm^3"},
    {"ml", "millilitre", 1e-6, kVolume, "cm^3"},
    {"cc", "cubic centimetre", 1e-6, kVolume, "cm^3"},
    {"kg", "kilogram", 1, kMass, "SI base unit"},
    {"g", "gram", 0.001, kMass, "0.001 kg"},
    {"t", "tonne", 1000, kMass, "1000 kg"},
    {"lb", "pound", kPound, kMass, "0.45359237 kg (international pound)"},
    {"s", "second", 1, kTime, "SI base unit"},
    {"min", "minute", 60, kTime, "60 s"},
    {"h", "hour", 3600, kTime, "3600 s"},
    {"K", "kelvin", 1, kTemperature, "SI base unit"},
    {"°C", "degree Celsius (difference)", 1, kTemperature, "K"},
    {"°F", "degree Fahrenheit (difference)", kFahrenheitDegree, kTemperature, "5/9 K"},
    {"N", "newton", 1, kForce, "kg m/s^2"},
    {"kN", "kilonewton", 1000, kForce, "1000 N"},
    {"lbf", "pound-force", kPoundForce, kForce, "lb x 9.80665 m/s^2 (standard gravity)"},
    {"Pa", "pascal", 1, kPressure, "N/m^2"},
    {"kPa", "kilopascal", 1e3, kPressure, "10^3 Pa"},
    {"MPa", "megapascal", 1e6, kPressure, "10^6 Pa"},
    {"GPa", "gigapascal", 1e9, kPressure, "10^9 Pa"},
    {"psi", "pound-force per square inch", kPsi, kPressure, "lbf/in^2"},
    {"ksi", "kilopound-force per square inch", kPsi * 1e3, kPressure, "1000 psi"},
    {"Msi", "million pound-force per square inch", kPsi * 1e6, kPressure, "10^6 psi"},
    {"J", "joule", 1, kEnergy, "N m"},
    {"kJ", "kilojoule", 1000, kEnergy, "1000 J"},
    {"Btu", "British thermal unit", kBtu, kEnergy, "1055.05585262 J (International Table)"},
    {"W", "watt", 1, kPower, "J/s"},
    {"mW", "milliwatt", 0.001, kPower, "0.001 W"},
    {"kW", "kilowatt", 1000, kPower, "1000 W"},
    {"ppm", "part per million", 1e-6, kNone, "10^-6"},
};

const std::vector<const char*> kStressUnits = {"MPa", "N/mm^2", "GPa", "kPa", "Pa", "psi", "ksi"};

// Indexed by MaterialProperty.
const PropertyUnits kPropertyUnits[kPropertyCount] = {
    {"g/cm^3", "a density", {"kg/m^3", "g/cm^3", "kg/dm^3", "g/ml", "t/m^3", "lb/in^3", "lb/ft^3"}},
    {"GPa", "a stress", {"GPa", "MPa", "N/mm^2", "kN/mm^2", "Pa", "psi", "ksi", "Msi"}},
    {"", "a ratio (it has none)", {}},
    {"MPa", "a stress", kStressUnits},
    {"MPa", "a stress", kStressUnits},
    {"W/(m K)", "a thermal conductivity",
     {"W/(m K)", "W/(cm K)", "mW/(m K)", "Btu/(h ft °F)", "Btu in/(h ft^2 °F)"}},
    {"10^-5/K", "an expansion per temperature difference",
     {"1/K", "10^-6/K", "µm/(m K)", "m/m/K", "ppm/K", "1/°F", "µin/(in °F)", "10^-6/°F"}},
    {"J/(kg K)", "a specific heat", {"J/(kg K)", "kJ/(kg K)", "J/(g K)", "Btu/(lb °F)"}},
};

}  // namespace

const std::vector<UnitSymbol>& unitSymbols() { return kSymbols; }

const UnitSymbol* findUnitSymbol(const std::string& symbol) {
  for (const UnitSymbol& entry : kSymbols) {
    if (symbol == entry.symbol) return &entry;
  }
  return nullptr;
}

const PropertyUnits& unitsOf(MaterialProperty property) {
  return kPropertyUnits[static_cast<int>(property)];
}

bool hasStoredUnit(MaterialProperty property) { return *unitsOf(property).storedUnit != '\0'; }
