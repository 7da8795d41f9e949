#include "NumberText.h"

#include <cfloat>
#include <cmath>
#include <cstring>

#include "DecimalDigits.h"

// Where the C++ library has no std::to_chars and std::from_chars for doubles
// (libc++ 14 used as headers only, in the host's ABI), the digits come from
// DecimalDigits and the reading from fast_float. Both are exact, so a number
// reads and writes the same text either way; the native tests run against
// both paths.
#if defined(PRALVIK_PORTABLE_NUMBER_TEXT)
#include <fast_float.h>
#else
#include <charconv>
#include <system_error>
#endif

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

enum class DecimalRead { kRead, kOutOfRange, kNoNumber };

#if defined(PRALVIK_PORTABLE_NUMBER_TEXT)

// The text that to_chars writes with chars_format::general: the C "%g" with
// `significantDigits` in place of six, exponent of two digits at least.
std::size_t writeGeneral(double value, int significantDigits, char* text) {
  char* out = text;
  if (std::signbit(value)) *out++ = '-';
  if (std::isnan(value) || std::isinf(value)) {
    std::memcpy(out, std::isnan(value) ? "nan" : "inf", 3);
    return static_cast<std::size_t>(out + 3 - text);
  }
  if (value == 0.0) {
    *out++ = '0';
    return static_cast<std::size_t>(out - text);
  }
  char digits[kMostDecimalDigits];
  int exponent = 0;
  roundedDecimalDigits(std::fabs(value), significantDigits, digits, exponent);
  int count = significantDigits;
  while (count > 1 && digits[count - 1] == '0') --count;  // "%g" drops trailing zeros
  if (exponent < -4 || exponent >= significantDigits) {
    *out++ = digits[0];
    if (count > 1) {
      *out++ = '.';
      for (int i = 1; i < count; ++i) *out++ = digits[i];
    }
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude >= 100) *out++ = static_cast<char>('0' + magnitude / 100);
    *out++ = static_cast<char>('0' + magnitude / 10 % 10);
    *out++ = static_cast<char>('0' + magnitude % 10);
  } else if (exponent >= 0) {
    for (int i = 0; i <= exponent; ++i) *out++ = i < count ? digits[i] : '0';
    if (count > exponent + 1) {
      *out++ = '.';
      for (int i = exponent + 1; i < count; ++i) *out++ = digits[i];
    }
  } else {
    *out++ = '0';
    *out++ = '.';
    for (int i = -1; i > exponent; --i) *out++ = '0';
    for (int i = 0; i < count; ++i) *out++ = digits[i];
  }
  return static_cast<std::size_t>(out - text);
}

// fast_float before version 4 gives infinity where the number is too large
// and zero or a subnormal where it is too small, without saying out of range;
// later versions say out of range for both. Either way the caller decides
// again, as it does for from_chars.
DecimalRead readDecimal(const char* begin, const char* end, double& value) {
  fast_float::from_chars_result read =
      fast_float::from_chars(begin, end, value, fast_float::chars_format::general);
  if (read.ec == std::errc::result_out_of_range) return DecimalRead::kOutOfRange;
  if (read.ec != std::errc()) return DecimalRead::kNoNumber;
  return std::isinf(value) ? DecimalRead::kOutOfRange : DecimalRead::kRead;
}

#else

std::size_t writeGeneral(double value, int significantDigits, char* text) {
  // Leaves room for the exponent digit that widenExponent may add.
  std::to_chars_result written = std::to_chars(text, text + kNumberTextSize - 2, value,
                                               std::chars_format::general, significantDigits);
  return static_cast<std::size_t>(written.ptr - text);
}

DecimalRead readDecimal(const char* begin, const char* end, double& value) {
  std::from_chars_result read = std::from_chars(begin, end, value, std::chars_format::general);
  if (read.ec == std::errc::result_out_of_range) return DecimalRead::kOutOfRange;
  return read.ec == std::errc() ? DecimalRead::kRead : DecimalRead::kNoNumber;
}

#endif

// to_chars writes the exponent with two digits at least; the stored files have
// three.
std::size_t widenExponent(char* text, std::size_t length) {
  char* exponent = static_cast<char*>(std::memchr(text, 'e', length));
  if (exponent == nullptr) return length;
  char* digits = exponent + 2;  // past "e" and its sign
  std::size_t digitCount = static_cast<std::size_t>(text + length - digits);
  if (digitCount >= 3) return length;
  std::memmove(digits + 1, digits, digitCount);
  *digits = '0';
  return length + 1;
}

// Out of range means either overflow or underflow; the decimal magnitude of the
// whole number tells which. `digits` points at the first digit or point after
// the sign and is known to hold a number. Digits and exponent may each run to
// any length, so the exponent is read only as far as it can still decide: a
// part larger than the count of digits outweighs whatever they contribute.
bool overflows(const char* digits, const char* end) {
  long long magnitude = 0;  // decimal exponent of the first significant digit, + 1
  bool seenSignificant = false;
  bool afterPoint = false;
  const char* p = digits;
  for (; p < end && (isDigit(*p) || (*p == '.' && !afterPoint)); ++p) {
    if (*p == '.') {
      afterPoint = true;
    } else if (!seenSignificant && *p != '0') {
      seenSignificant = true;
      if (!afterPoint) ++magnitude;
    } else if (seenSignificant && !afterPoint) {
      ++magnitude;
    } else if (!seenSignificant && afterPoint) {
      --magnitude;
    }
  }
  if (p < end && (*p == 'e' || *p == 'E')) {
    const long long decisive = static_cast<long long>(p - digits) + 1;
    const char* q = p + 1;
    bool negative = false;
    if (q < end && (*q == '+' || *q == '-')) negative = (*q++ == '-');
    long long exponent = 0;
    for (; q < end && isDigit(*q); ++q) {
      if (exponent <= decisive) exponent = exponent * 10 + (*q - '0');
    }
    magnitude += negative ? -exponent : exponent;
  }
  return magnitude > 0;
}

}  // namespace

bool isNumberSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::size_t formatNumber(double value, char (&text)[kNumberTextSize]) {
  return formatNumber(value, 6, text);
}

std::size_t formatNumber(double value, int significantDigits, char (&text)[kNumberTextSize]) {
  // More than 17 would no longer fit the text; 17 tell every double apart.
  if (significantDigits < 1) significantDigits = 1;
  if (significantDigits > kMostDecimalDigits) significantDigits = kMostDecimalDigits;
  std::size_t length = writeGeneral(value, significantDigits, text);
  length = widenExponent(text, length);
  text[length] = '\0';
  return length;
}

double textToNumber(const char* begin, const char* end) {
  const char* p = begin;
  while (p < end && isNumberSpace(*p)) ++p;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = (*p++ == '-');
  // from_chars would also take "inf", "nan" and a second sign; atof's decimal
  // form starts with a digit or a point followed by a digit.
  bool startsNumber = p < end && (isDigit(*p) || (*p == '.' && p + 1 < end && isDigit(p[1])));
  if (!startsNumber) return 0.0;
  double value = 0.0;
  DecimalRead read = readDecimal(p, end, value);
  if (read == DecimalRead::kOutOfRange) {
    value = overflows(p, end) ? DBL_MAX : 0.0;
  } else if (read == DecimalRead::kNoNumber) {
    value = 0.0;
  }
  return negative ? -value : value;
}

double textToNumber(const char* text) { return textToNumber(text, text + std::strlen(text)); }

const char* numberTextEnd(const char* begin, const char* end) {
  const char* p = begin;
  while (p < end && isNumberSpace(*p)) ++p;
  if (p < end && (*p == '+' || *p == '-')) ++p;
  const char* digits = p;
  while (p < end && isDigit(*p)) ++p;
  bool anyDigit = p > digits;
  if (p < end && *p == '.') {
    const char* fraction = ++p;
    while (p < end && isDigit(*p)) ++p;
    anyDigit = anyDigit || p > fraction;
  }
  if (!anyDigit) return begin;
  // An exponent counts only with at least one digit: "5e" and "5e+" read as 5.
  if (p < end && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    if (q < end && (*q == '+' || *q == '-')) ++q;
    const char* exponentDigits = q;
    while (q < end && isDigit(*q)) ++q;
    if (q > exponentDigits) p = q;
  }
  return p;
}
