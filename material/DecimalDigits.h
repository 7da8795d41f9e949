// The leading decimal digits of a double, correctly rounded from its exact
// binary value (ties to even), as a correct printf rounds them. NumberText
// builds its text from them where the C++ library offers no to_chars for
// doubles; being exact, the two give the same digits.
#pragma once

constexpr int kMostDecimalDigits = 17;

// Writes the first `count` (1 to kMostDecimalDigits) significant digits of
// `magnitude` (finite, greater than zero) as characters to `digits`, without
// terminator, and the decimal exponent of the first one to `exponent`:
// 1234.5 with count 3 gives "123" and 3.
void roundedDecimalDigits(double magnitude, int count, char* digits, int& exponent);
