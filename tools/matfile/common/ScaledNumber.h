// A stored number written in another unit that differs from the stored one by
// a power of ten ("7.85" g/cm^3 as "7850" kg/m^3), shifted in its decimal
// digits rather than multiplied, so the text is exact: an import multiplies
// back and rounds to the six digits the file keeps, and gets the same number.
#pragma once

#include <string>

// The shortest decimal text that reads back as `value`, times 10^`power`:
// plain digits where that stays short ("7850", "0.000012"), else with an
// exponent ("1.23457e+11").
std::string scaledNumber(double value, int power);

// Whether value x 10^power stays well inside the range of a double, so that
// reading it back cannot overflow or lose digits.
bool scalesSafely(double value, int power);
