// The one number format of the system, for the file, the list columns and the
// data dialog fields, independent of the process locale.
#pragma once

#include <cstddef>

// Room for any text that formatNumber writes, terminator included.
constexpr std::size_t kNumberTextSize = 32;

// Writes `value` as the C format "%g" does (six significant digits, trailing
// zeros and point dropped, exponent form below 1e-4 and from 1e6), with the
// exponent always a sign and at least three digits: "1e-005", "1.23457e+008".
// Returns the length of the text.
std::size_t formatNumber(double value, char (&text)[kNumberTextSize]);

// The same with `significantDigits` (1 to 17) in place of six, for a tool that
// must tell apart two numbers whose six-digit texts are equal.
std::size_t formatNumber(double value, int significantDigits, char (&text)[kNumberTextSize]);

// The number at the start of [begin, end), read as the C function atof reads
// one in the "C" locale: leading whitespace skipped, an optional sign, digits
// with an optional decimal point, an optional exponent; the rest is ignored.
// No hexadecimal, no "inf" or "nan": a text without such a number gives 0.
// A number beyond the range of a double gives the largest finite double of its
// sign, one too small to be represented gives zero of its sign, so the result
// is always finite.
double textToNumber(const char* begin, const char* end);

// The same for a zero-terminated text.
double textToNumber(const char* text);

// Where the number that textToNumber reads from [begin, end) stops: past its
// last digit, or `begin` when the text holds no number. A caller that must
// not take "7,85" for 7 checks that only whitespace follows.
const char* numberTextEnd(const char* begin, const char* end);

// Whitespace as the "C" locale classifies it; bytes from 128 up never are.
bool isNumberSpace(char c);
