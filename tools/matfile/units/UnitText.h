// Reads a unit as data sheets, spreadsheets and material cards write it:
// "kg/m^3", "N/mm²", "W/(m·K)", "W/m/K", "W/mK", "µm/(m K)", "1/°F", "K^-1",
// "10^-6/K", "Btu/hr-ft-°F". The symbols and their values come from the unit
// table (UnitTable.h).
//
// Spellings: an exponent as "^3", "3" or "³" (also "^-1", "-1", "⁻¹"); µ as
// U+00B5, U+03BC or a leading "u"; ° as U+00B0 or U+00BA; a product as a
// blank, "·", "*", "x", "×", "-" or "."; the Latin-1 bytes of µ ° ² ³ · × as
// a spreadsheet saved in a Windows code page has them. Everything after a
// "/" is divided by, as data sheets mean "W/m K"; brackets group. A number in
// a unit is 1 or a power of ten written with its exponent ("10^-6", "10-6",
// "10⁻⁶", "1e-6"): a bare 10, 100 or 1000 is more likely digits that belong to
// the value ("7 100 kg/m^3").
#pragma once

#include <string>

#include "UnitTable.h"

struct Unit {
  double inSi = 1;  // the value of one such unit in SI units
  Dimension dimension;
};

// An empty text (blanks only) is the unit 1. False with `error` saying what
// could not be read, naming the part of the text at fault.
bool readUnitText(const std::string& text, Unit& unit, std::string& error);

// Whether `text` starts with a number that a unit may hold ("1/K",
// "10^-6/K"), as opposed to more digits.
bool startsWithUnitNumber(const std::string& text);
