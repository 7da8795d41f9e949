// An integer as decimal text. std::to_string would do, but in the host's C++
// ABI libc++ is used as headers only and to_string lives in its compiled
// library; this one is header-only and the same on every build.
#pragma once

#include <string>
#include <type_traits>

template <typename Integer>
std::string decimalText(Integer value) {
  static_assert(std::is_integral<Integer>::value, "integers only");
  char digits[24];
  char* start = digits + sizeof digits;
  bool negative = value < 0;
  // Digit by digit from the remainder, so the most negative value needs no
  // negation that would overflow.
  do {
    int digit = static_cast<int>(value % 10);
    *--start = static_cast<char>('0' + (digit < 0 ? -digit : digit));
    value /= 10;
  } while (value != 0);
  if (negative) *--start = '-';
  return std::string(start, digits + sizeof digits);
}
