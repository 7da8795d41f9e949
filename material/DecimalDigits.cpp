#include "DecimalDigits.h"

#include <cstdint>
#include <cstring>

namespace {

// An unsigned integer of fixed capacity, enough for the exact value of any
// double scaled by the power of ten that brings it to [1, 10): at most
// 2^1024 against 10^308, or 2^-1074 times 10^324, with a digit's room to spare.
class WideInteger {
 public:
  explicit WideInteger(std::uint64_t value) {
    words_[0] = static_cast<std::uint32_t>(value);
    words_[1] = static_cast<std::uint32_t>(value >> 32);
    used_ = words_[1] != 0 ? 2 : 1;
  }

  void multiply(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (int i = 0; i < used_; ++i) {
      std::uint64_t product = static_cast<std::uint64_t>(words_[i]) * factor + carry;
      words_[i] = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
    if (carry != 0) words_[used_++] = static_cast<std::uint32_t>(carry);
  }

  void shiftLeft(int bits) {
    int wordShift = bits / 32;
    int bitShift = bits % 32;
    words_[used_] = 0;
    for (int i = used_; i >= 0; --i) {
      std::uint32_t high = words_[i] << bitShift;
      std::uint32_t low = (bitShift != 0 && i > 0) ? words_[i - 1] >> (32 - bitShift) : 0;
      words_[i + wordShift] = high | low;
    }
    for (int i = 0; i < wordShift; ++i) words_[i] = 0;
    used_ += wordShift + 1;
    trim();
  }

  // Subtracts `other`, which is not larger.
  void subtract(const WideInteger& other) {
    std::int64_t borrow = 0;
    for (int i = 0; i < used_; ++i) {
      std::int64_t difference = static_cast<std::int64_t>(words_[i]) -
                                (i < other.used_ ? other.words_[i] : 0) - borrow;
      borrow = difference < 0 ? 1 : 0;
      words_[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
    }
    trim();
  }

  int compare(const WideInteger& other) const {
    if (used_ != other.used_) return used_ < other.used_ ? -1 : 1;
    for (int i = used_ - 1; i >= 0; --i) {
      if (words_[i] != other.words_[i]) return words_[i] < other.words_[i] ? -1 : 1;
    }
    return 0;
  }

 private:
  void trim() {
    while (used_ > 1 && words_[used_ - 1] == 0) --used_;
  }

  static constexpr int kWords = 40;
  std::uint32_t words_[kWords + 2] = {};
  int used_;
};

void multiplyByPowerOfTen(WideInteger& number, int power) {
  for (; power >= 9; power -= 9) number.multiply(1000000000u);
  for (; power > 0; --power) number.multiply(10u);
}

}  // namespace

void roundedDecimalDigits(double magnitude, int count, char* digits, int& exponent) {
  std::uint64_t bits;
  std::memcpy(&bits, &magnitude, sizeof bits);
  int biased = static_cast<int>((bits >> 52) & 0x7FF);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  int binaryExponent;
  if (biased == 0) {
    binaryExponent = -1074;  // subnormal
  } else {
    mantissa |= std::uint64_t{1} << 52;
    binaryExponent = biased - 1075;
  }
  // magnitude = numerator / denominator exactly.
  WideInteger numerator(mantissa);
  WideInteger denominator(1);
  if (binaryExponent > 0) {
    numerator.shiftLeft(binaryExponent);
  } else {
    denominator.shiftLeft(-binaryExponent);
  }

  // The decimal exponent estimated from the top bit (log10 2 is about
  // 78913 / 2^18), then corrected by the exact comparisons below. GCC and
  // clang shift a negative number arithmetically (a floor); an estimate one
  // off either way would be corrected all the same.
  int topBit = binaryExponent;
  for (std::uint64_t rest = mantissa; rest > 1; rest >>= 1) ++topBit;
  int decimal = (topBit * 78913) >> 18;
  if (decimal >= 0) {
    multiplyByPowerOfTen(denominator, decimal);
  } else {
    multiplyByPowerOfTen(numerator, -decimal);
  }
  WideInteger tenfold = denominator;
  tenfold.multiply(10);
  while (numerator.compare(tenfold) >= 0) {
    denominator = tenfold;
    tenfold.multiply(10);
    ++decimal;
  }
  while (numerator.compare(denominator) < 0) {
    numerator.multiply(10);
    --decimal;
  }

  // numerator / denominator now lies in [1, 10): one digit per step.
  for (int i = 0; i < count; ++i) {
    if (i > 0) numerator.multiply(10);
    char digit = '0';
    while (numerator.compare(denominator) >= 0) {
      numerator.subtract(denominator);
      ++digit;
    }
    digits[i] = digit;
  }

  // The remainder against half a unit of the last digit decides the rounding.
  numerator.shiftLeft(1);
  int half = numerator.compare(denominator);
  bool roundUp = half > 0 || (half == 0 && (digits[count - 1] - '0') % 2 == 1);
  if (roundUp) {
    int i = count - 1;
    while (i >= 0 && digits[i] == '9') digits[i--] = '0';
    if (i >= 0) {
      ++digits[i];
    } else {
      digits[0] = '1';  // 9.99... became 10.0...
      ++decimal;
    }
  }
  exponent = decimal;
}
