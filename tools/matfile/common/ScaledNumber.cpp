#include "ScaledNumber.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kPlainFrom = -7;  // 1e-7 and up without an exponent
constexpr int kPlainBelow = 16;

}  // namespace

std::string scaledNumber(double value, int power) {
  if (value == 0) return "0";
  char buffer[64];
  auto written =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
  std::string text(buffer, written.ptr);
  std::size_t e = text.find('e');
  int exponent = std::atoi(text.c_str() + e + 1) + power;
  std::string sign = text[0] == '-' ? "-" : "";
  std::string digits;
  for (std::size_t i = sign.size(); i < e; ++i) {
    if (text[i] != '.') digits += text[i];
  }
  // digits is d.ddd x 10^exponent
  if (exponent < kPlainFrom || exponent >= kPlainBelow) {
    std::string mantissa = digits.substr(0, 1);
    if (digits.size() > 1) mantissa += '.' + digits.substr(1);
    return sign + mantissa + (exponent < 0 ? "e-" : "e+") + std::to_string(std::abs(exponent));
  }
  if (exponent < 0) return sign + "0." + std::string(-exponent - 1, '0') + digits;
  std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= integerDigits)
    return sign + digits + std::string(integerDigits - digits.size(), '0');
  return sign + digits.substr(0, integerDigits) + '.' + digits.substr(integerDigits);
}

bool scalesSafely(double value, int power) {
  if (value == 0 || power == 0) return true;
  int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value)))) + power;
  return exponent > -290 && exponent < 290;
}
