// Numbers and values as matfile's reports, tables and charts show them: as the
// material file writes them, so that what a user reads is what is saved.
#pragma once

#include <string>

#include "MaterialProperty.h"

// "7.85", "1e-005"
std::string numberString(double value);

// With more significant digits than the file writes (up to 17, which tell
// every two numbers apart), in the same form.
std::string numberString(double value, int significantDigits);

// "7.85 [g/cm^3]"; a value without a unit (the Poisson ratio) stays as it is.
std::string withUnit(const std::string& text, MaterialProperty property);

// "density 7.85 [g/cm^3]", "Poisson ratio 0.3"
std::string namedValue(const Material& material, MaterialProperty property);
