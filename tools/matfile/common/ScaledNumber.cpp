#include "ScaledNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kPlainFrom = -7;  // 1e-7 and up without an exponent
constexpr int kPlainBelow = 16;

}  // namespace

// Built in place, without a string per step: an export writes eight of them
// for each of a million materials.
std::string scaledNumber(double value, int power) {
  if (value == 0) return "0";
  char buffer[64];
  char* end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr;
  char* e = std::find(buffer, end, 'e');
  int exponent = 0;
  std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
  exponent += power;
  bool negative = buffer[0] == '-';
  char digits[32];
  std::size_t count = 0;
  for (const char* at = buffer + (negative ? 1 : 0); at < e; ++at) {
    if (*at != '.') digits[count++] = *at;
  }
  // digits is d.ddd x 10^exponent
  std::string text = negative ? "-" : "";
  if (exponent < kPlainFrom || exponent >= kPlainBelow) {
    text += digits[0];
    if (count > 1) text.append(".").append(digits + 1, count - 1);
    return text.append(exponent < 0 ? "e-" : "e+").append(std::to_string(std::abs(exponent)));
  }
  if (exponent < 0) return text.append("0.").append(-exponent - 1, '0').append(digits, count);
  std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
  if (count <= integerDigits) return text.append(digits, count).append(integerDigits - count, '0');
  return text.append(digits, integerDigits)
      .append(".")
      .append(digits + integerDigits, count - integerDigits);
}

bool scalesSafely(double value, int power) {
  if (value == 0 || power == 0) return true;
  int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value)))) + power;
  return exponent > -290 && exponent < 290;
}
