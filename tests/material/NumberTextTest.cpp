#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "NumberText.h"

namespace {

std::string format(double value) {
  char text[kNumberTextSize];
  formatNumber(value, text);
  return text;
}

TEST(NumberFormat, SixSignificantDigitsWithoutTrailingZeros) {
  EXPECT_EQ(format(7.85), "7.85");
  EXPECT_EQ(format(210.0), "210");
  EXPECT_EQ(format(0.3), "0.3");
  EXPECT_EQ(format(3.14159265), "3.14159");
  EXPECT_EQ(format(123456.7), "123457");
  EXPECT_EQ(format(0.0001), "0.0001");
  EXPECT_EQ(format(0.0), "0");
  EXPECT_EQ(format(-0.0), "-0");
  EXPECT_EQ(format(-12.5), "-12.5");
}

TEST(NumberFormat, ExponentHasSignAndThreeDigits) {
  EXPECT_EQ(format(1e-5), "1e-005");
  EXPECT_EQ(format(123456789.0), "1.23457e+008");
  EXPECT_EQ(format(1e6), "1e+006");
  EXPECT_EQ(format(2.5e-45), "2.5e-045");
  EXPECT_EQ(format(1e100), "1e+100");
  EXPECT_EQ(format(-DBL_MAX), "-1.79769e+308");
  EXPECT_EQ(format(4.9e-324), "4.94066e-324");
}

std::string format(double value, int significantDigits) {
  char text[kNumberTextSize];
  formatNumber(value, significantDigits, text);
  return text;
}

// Exact halves between two texts are rare among random values: they go to
// the even digit, as a correct printf rounds them, also where the carry
// runs through every digit.
TEST(NumberFormat, ExactHalvesRoundToEven) {
  EXPECT_EQ(format(1234565.0), "1.23456e+006");
  EXPECT_EQ(format(1234575.0), "1.23458e+006");
  EXPECT_EQ(format(9999995.0), "1e+007");
  EXPECT_EQ(format(2.5, 1), "2");
  EXPECT_EQ(format(3.5, 1), "4");
  EXPECT_EQ(format(0.125, 2), "0.12");
  EXPECT_EQ(format(999999.5), "1e+006");
}

TEST(NumberFormat, SeventeenDigitsAtTheEndsOfTheRange) {
  EXPECT_EQ(format(DBL_MAX, 17), "1.7976931348623157e+308");
  EXPECT_EQ(format(4.9e-324, 17), "4.9406564584124654e-324");
  EXPECT_EQ(format(DBL_MIN, 17), "2.2250738585072014e-308");
  EXPECT_EQ(format(0.1, 17), "0.10000000000000001");
}

// 1 and 17 significant digits are taken as asked; a count past either end is
// the nearest of them, so 16 and 2 show the limits are not clamped early.
TEST(NumberFormat, SignificantDigitsClampAtOneAndSeventeen) {
  const double pi = 3.14159265358979311600;
  const struct {
    int digits;
    const char* text;
  } cases[] = {
      {-2147483647 - 1, "3"}, {-1, "3"}, {0, "3"}, {1, "3"}, {2, "3.1"},
      {16, "3.141592653589793"}, {17, "3.1415926535897931"}, {18, "3.1415926535897931"},
      {2147483647, "3.1415926535897931"},
  };
  for (const auto& c : cases) EXPECT_EQ(format(pi, c.digits), c.text) << c.digits;
  EXPECT_EQ(format(-0.1, 0), "-0.1");
  EXPECT_EQ(format(-0.1, 18), "-0.10000000000000001");
}

// The exponent keeps three digits at the ends of the range, on both signs of
// the exponent and of the number, and what is written there reads back; one
// step past the largest double stays finite and one past half the least
// subnormal is zero, each with the number's sign.
TEST(NumberText, ExponentLimitsAtThreeHundredAndEight) {
  const double tiny = 4.9406564584124654e-324;
  const struct {
    double value;
    const char* six;
    const char* seventeen;
  } cases[] = {
      {1e308, "1e+308", "1e+308"},
      {-DBL_MAX, "-1.79769e+308", "-1.7976931348623157e+308"},
      {1e-308, "1e-308", "9.9999999999999991e-309"},
      {-DBL_MIN, "-2.22507e-308", "-2.2250738585072014e-308"},
      {DBL_MIN / 2, "1.11254e-308", "1.1125369292536007e-308"},
      {-tiny, "-4.94066e-324", "-4.9406564584124654e-324"},
      {1e99, "1e+099", "9.9999999999999997e+098"},
      {1e-99, "1e-099", "1e-099"},
      {1e-100, "1e-100", "1e-100"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.six);
    EXPECT_EQ(format(c.value), c.six);
    EXPECT_EQ(format(c.value, 17), c.seventeen);
    EXPECT_EQ(textToNumber(format(c.value, 17).c_str()), c.value);
  }
  const struct {
    const char* text;
    double value;
  } reads[] = {
      {"1.7976931348623157e+308", DBL_MAX},  {"-1.7976931348623157e+308", -DBL_MAX},
      {"1.797693134862316e+308", DBL_MAX},   {"-1.797693134862316e+308", -DBL_MAX},
      {"1e+309", DBL_MAX},                   {"-1e+309", -DBL_MAX},
      {"2.2250738585072014e-308", DBL_MIN},  {"-2.2250738585072014e-308", -DBL_MIN},
      {"4.9406564584124654e-324", tiny},     {"-4.9406564584124654e-324", -tiny},
      {"2.5e-324", tiny},                    {"-2.5e-324", -tiny},
      {"2.4e-324", 0.0},                     {"-2.4e-324", -0.0},
      {"1e-325", 0.0},                       {"-1e-325", -0.0},
  };
  for (const auto& r : reads) {
    double value = textToNumber(r.text);
    EXPECT_EQ(value, r.value) << r.text;
    EXPECT_EQ(std::signbit(value), std::signbit(r.value)) << r.text;
  }
}

// The file format is "%g" with the exponent widened, on every platform.
TEST(NumberFormat, MatchesPrintfExceptForExponentWidth) {
  std::mt19937_64 random(20261207);
  for (int i = 0; i < 20000; ++i) {
    double value;
    do {
      std::uint64_t bits = random();
      std::memcpy(&value, &bits, sizeof value);
    } while (!std::isfinite(value));
    char expected[64];
    std::snprintf(expected, sizeof expected, "%g", value);
    std::string widened = expected;
    std::size_t e = widened.find('e');
    if (e != std::string::npos && widened.size() - e - 2 < 3) widened.insert(e + 2, "0");
    ASSERT_EQ(format(value), widened) << value;
  }
}

TEST(NumberParse, LeadingNumberLikeAtof) {
  EXPECT_EQ(textToNumber("7.85"), 7.85);
  EXPECT_EQ(textToNumber("  \t 210"), 210.0);
  EXPECT_EQ(textToNumber("+0.5"), 0.5);
  EXPECT_EQ(textToNumber("-12"), -12.0);
  EXPECT_EQ(textToNumber(".5"), 0.5);
  EXPECT_EQ(textToNumber("5."), 5.0);
  EXPECT_EQ(textToNumber("1e-005"), 1e-5);
  EXPECT_EQ(textToNumber("1.23457E+008"), 1.23457e8);
  EXPECT_EQ(textToNumber("200GPa"), 200.0);
  EXPECT_EQ(textToNumber("1e"), 1.0);
  EXPECT_EQ(textToNumber("1e+"), 1.0);
  EXPECT_EQ(textToNumber("3.5.7"), 3.5);
}

TEST(NumberParse, NoNumberGivesZero) {
  for (const char* text : {"", "   ", "abc", "-", "+", ".", "-.", "e5", "+-1", "--1", "inf",
                           "-infinity", "nan", "NAN(1)", " x1"}) {
    double value = textToNumber(text);
    EXPECT_EQ(value, 0.0) << text;
    EXPECT_FALSE(std::signbit(value)) << text;
  }
}

TEST(NumberParse, NoHexadecimal) {
  EXPECT_EQ(textToNumber("0x1A"), 0.0);
  EXPECT_EQ(textToNumber("0x1p3"), 0.0);
}

TEST(NumberParse, OutOfRangeStaysFinite) {
  EXPECT_EQ(textToNumber("1e999"), DBL_MAX);
  EXPECT_EQ(textToNumber("-1e999"), -DBL_MAX);
  EXPECT_EQ(textToNumber("1234567890e300"), DBL_MAX);
  EXPECT_EQ(textToNumber("0.0000001e320"), DBL_MAX);
  EXPECT_EQ(textToNumber("0.000001e-320"), 0.0);
  EXPECT_EQ(textToNumber("1e-999"), 0.0);
  EXPECT_TRUE(std::signbit(textToNumber("-1e-999")));
  EXPECT_EQ(textToNumber("1e-310"), 1e-310);  // subnormal, still representable
  EXPECT_EQ(textToNumber("1e99999999999999999999"), DBL_MAX);
  EXPECT_EQ(textToNumber("1e-99999999999999999999"), 0.0);
}

// Digits that shift the magnitude by more than any bounded exponent reading
// would allow: only the whole token tells overflow from underflow.
TEST(NumberParse, OutOfRangeIsDecidedByTheWholeToken) {
  const std::string zeros(100000, '0');
  EXPECT_EQ(textToNumber(("0." + zeros + "1e1000000").c_str()), DBL_MAX);
  EXPECT_EQ(textToNumber(("1" + zeros + "e-1000000").c_str()), 0.0);
  EXPECT_EQ(textToNumber(("-0." + zeros + "1e1000000").c_str()), -DBL_MAX);
  EXPECT_EQ(textToNumber(("1" + zeros + "e-100310").c_str()), 1e-310);
  EXPECT_EQ(textToNumber(("1" + zeros + "e-99600").c_str()), DBL_MAX);
  EXPECT_EQ(textToNumber(("0." + zeros + "1e99600").c_str()), 0.0);
  EXPECT_EQ(textToNumber(("0." + zeros + "1e100400").c_str()), DBL_MAX);
  EXPECT_EQ(textToNumber(("1e" + zeros + "400").c_str()), DBL_MAX);
}

TEST(NumberParse, StopsAtEndOfRange) {
  const char text[] = "12345";
  EXPECT_EQ(textToNumber(text, text + 3), 123.0);
  EXPECT_EQ(textToNumber(text, text), 0.0);
}

TEST(NumberParse, IndependentOfProcessLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = previous != nullptr ? previous : "C";
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr &&
      std::setlocale(LC_NUMERIC, "de_DE") == nullptr) {
    GTEST_SKIP() << "no German locale installed";
  }
  EXPECT_EQ(textToNumber("7.85"), 7.85);
  EXPECT_EQ(format(7.85), "7.85");
  std::setlocale(LC_NUMERIC, saved.c_str());
}

std::string numberPart(const std::string& text) {
  const char* begin = text.c_str();
  return std::string(begin, numberTextEnd(begin, begin + text.size()));
}

TEST(NumberTextEnd, StopsWhereTheNumberStops) {
  EXPECT_EQ(numberPart("7.85"), "7.85");
  EXPECT_EQ(numberPart(" \t-1.5e-005 "), " \t-1.5e-005");
  EXPECT_EQ(numberPart("7,85"), "7");
  EXPECT_EQ(numberPart("200GPa"), "200");
  EXPECT_EQ(numberPart("5."), "5.");
  EXPECT_EQ(numberPart(".5"), ".5");
  EXPECT_EQ(numberPart("1e"), "1");
  EXPECT_EQ(numberPart("1E+"), "1");
  EXPECT_EQ(numberPart("0x1A"), "0");
  EXPECT_EQ(numberPart("3.5.7"), "3.5");
  EXPECT_EQ(numberPart("1e999"), "1e999");
  for (const char* none : {"", "  ", "abc", "-", "+.", ".", "e5", "inf", "nan", "+-1"}) {
    EXPECT_EQ(numberPart(none), "") << none;
  }
}

// A text cut where numberTextEnd says reads as the whole text does.
TEST(NumberTextEnd, AgreesWithTextToNumber) {
  for (const std::string text : {"7.85", "  210x", "+0.5", "-.5e3", "5.e2", "1e+", "1.2.3",
                                 "12e-3q", "-", "1e999", ".e1", "0009", "1e-400"}) {
    const char* begin = text.c_str();
    const char* end = begin + text.size();
    EXPECT_EQ(textToNumber(begin, numberTextEnd(begin, end)), textToNumber(begin, end)) << text;
  }
}

TEST(NumberText, WhitespaceIsThatOfTheCLocale) {
  for (char c : std::string(" \t\n\v\f\r")) EXPECT_TRUE(isNumberSpace(c));
  EXPECT_FALSE(isNumberSpace('\xA0'));
  EXPECT_FALSE(isNumberSpace('x'));
  EXPECT_FALSE(isNumberSpace('\0'));
}

TEST(NumberText, FormattedTextReadsBackToTheSixDigitValue) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> exponent(-300, 300);
  for (int i = 0; i < 10000; ++i) {
    double value = std::pow(10.0, exponent(random));
    char text[kNumberTextSize];
    formatNumber(value, text);
    double back = textToNumber(text);
    char again[kNumberTextSize];
    formatNumber(back, again);
    ASSERT_STREQ(text, again);
  }
}

}  // namespace
