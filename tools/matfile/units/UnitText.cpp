#include "UnitText.h"

#include <cmath>
#include <cstring>

#include "NumberText.h"
#include "TextBytes.h"

namespace {

constexpr char kMicro[] = "\xC2\xB5";
constexpr char kDegree[] = "\xC2\xB0";
constexpr int kMostNesting = 4;
constexpr int kLargestSymbolPower = 9;
constexpr int kLargestTenPower = 30;

// Characters beyond ASCII as UTF-8 sequences or single Latin-1 bytes, and
// what they stand for. A superscript digit or minus is marked '\1' + the
// character, so that a run of them becomes one exponent.
struct Spelling {
  const char* bytes;
  const char* meaning;
};

const Spelling kSpellings[] = {
    {"\xC2\xB5", kMicro},     {"\xCE\xBC", kMicro},      {"\xB5", kMicro},
    {"\xC2\xB0", kDegree},    {"\xC2\xBA", kDegree},     {"\xB0", kDegree},
    {"\xBA", kDegree},        {"\xE2\x84\x83", "\xC2\xB0" "C"},
    {"\xE2\x84\x89", "\xC2\xB0" "F"},
    {"\xC2\xB7", " "},        {"\xB7", " "},             {"\xC3\x97", " "},
    {"\xE2\x8B\x85", " "},    {"\xC2\xA0", " "},         {"\xA0", " "},
    {"\xE2\x88\x92", "-"},    {"\xC2\xB9", "\1" "1"},    {"\xB9", "\1" "1"},
    {"\xC2\xB2", "\1" "2"},   {"\xB2", "\1" "2"},        {"\xC2\xB3", "\1" "3"},
    {"\xB3", "\1" "3"},       {"\xE2\x81\xBB", "\1-"},   {"\xE2\x81\xB0", "\1" "0"},
    {"\xE2\x81\xB4", "\1" "4"}, {"\xE2\x81\xB5", "\1" "5"}, {"\xE2\x81\xB6", "\1" "6"},
    {"\xE2\x81\xB7", "\1" "7"}, {"\xE2\x81\xB8", "\1" "8"}, {"\xE2\x81\xB9", "\1" "9"},
};

bool isContinuationByte(unsigned char c) { return c >= 0x80 && c <= 0xBF; }

// A single × is 0xD7 in Latin-1 but starts a two-byte sequence in UTF-8.
bool isLatinTimes(const std::string& text, std::size_t at) {
  return static_cast<unsigned char>(text[at]) == 0xD7 &&
         (at + 1 == text.size() || !isContinuationByte(static_cast<unsigned char>(text[at + 1])));
}

// The text in plain ASCII but for µ and °, with superscripts as "^2".
bool normalized(const std::string& text, std::string& out, std::string& error) {
  bool inSuperscript = false;
  for (std::size_t at = 0; at < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[at]);
    const char* meaning = nullptr;
    std::size_t length = 1;
    if (c < 0x80) {
      meaning = c == '*' ? " " : nullptr;
    } else if (isLatinTimes(text, at)) {
      meaning = " ";
    } else {
      for (const Spelling& spelling : kSpellings) {
        std::size_t size = std::strlen(spelling.bytes);
        if (text.compare(at, size, spelling.bytes) == 0) {
          meaning = spelling.meaning;
          length = size;
          break;
        }
      }
      if (meaning == nullptr) {
        error = "a character that no unit holds at byte " + std::to_string(at + 1);
        return false;
      }
    }
    bool superscript = meaning != nullptr && meaning[0] == '\1';
    if (superscript && !inSuperscript) out += '^';
    inSuperscript = superscript;
    if (superscript) out += meaning + 1;
    else if (meaning != nullptr) out += meaning;
    else out += static_cast<char>(c);
    at += length;
  }
  return true;
}

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

struct Alias {
  const char* spelling;
  const char* symbol;
};

const Alias kAliases[] = {
    {"lbm", "lb"}, {"hr", "h"},    {"sec", "s"},   {"L", "l"},     {"mL", "ml"},
    {"um", "µm"},  {"uin", "µin"}, {"degC", "°C"}, {"degF", "°F"}, {"BTU", "Btu"},
};

const UnitSymbol* symbolFor(const std::string& spelling) {
  for (const Alias& alias : kAliases) {
    if (spelling == alias.spelling) return findUnitSymbol(alias.symbol);
  }
  return findUnitSymbol(spelling);
}

bool isTemperature(const UnitSymbol* symbol) {
  return symbol != nullptr && symbol->dimension == Dimension{0, 0, 0, 1};
}

void multiply(Unit& unit, const Unit& by, int power) {
  unit.inSi *= std::pow(by.inSi, power);
  unit.dimension.mass += by.dimension.mass * power;
  unit.dimension.length += by.dimension.length * power;
  unit.dimension.time += by.dimension.time * power;
  unit.dimension.temperature += by.dimension.temperature * power;
}

Unit unitOf(const UnitSymbol& symbol) { return Unit{symbol.inSi, symbol.dimension}; }

class UnitParser {
 public:
  explicit UnitParser(const std::string& text) : text_(text) {}

  bool startsWithTenPower() {
    Unit unit;
    return isAsciiDigit(peek()) && tenPower(unit);
  }

  bool parse(Unit& unit, std::string& error) {
    bool ok = quotient(unit, 0) && (atEnd() || fail("\"" + text_.substr(at_) + "\" cannot follow"));
    if (ok && !(std::isfinite(unit.inSi) && unit.inSi > 0)) ok = fail("a unit out of all range");
    error = error_;
    return ok;
  }

 private:
  bool atEnd() const { return at_ >= text_.size(); }
  char peek() const { return atEnd() ? '\0' : text_[at_]; }
  bool startsSymbol() const {
    return isAsciiLetter(peek()) || text_.compare(at_, 2, kMicro) == 0 ||
           text_.compare(at_, 2, kDegree) == 0;
  }
  bool fail(const std::string& what) {
    if (error_.empty()) error_ = what;
    return false;
  }

  // A product, then every product after a "/" divides it.
  bool quotient(Unit& unit, int nesting) {
    if (!product(unit, nesting)) return false;
    while (peek() == '/') {
      ++at_;
      Unit divisor;
      bool empty = true;
      if (!product(divisor, nesting, &empty)) return false;
      if (empty) return fail("nothing after \"/\"");
      multiply(unit, divisor, -1);
    }
    return true;
  }

  bool product(Unit& unit, int nesting, bool* empty = nullptr) {
    for (;;) {
      skipSeparators();
      if (atEnd() || peek() == '/' || peek() == ')') return true;
      Unit factorUnit;
      bool isFactor = true;
      if (!factor(factorUnit, nesting, isFactor)) return false;
      if (!isFactor) continue;
      multiply(unit, factorUnit, 1);
      if (empty != nullptr) *empty = false;
    }
  }

  // Blanks and the signs that data sheets put between units; a "-" or "."
  // directly after a unit counts only when no digit follows (then it is an
  // exponent or a number).
  void skipSeparators() {
    while (!atEnd()) {
      char c = peek();
      bool nextIsDigit = at_ + 1 < text_.size() && isAsciiDigit(text_[at_ + 1]);
      if (c == ' ' || c == '\t' || ((c == '-' || c == '.') && !nextIsDigit)) ++at_;
      else break;
    }
  }

  bool factor(Unit& unit, int nesting, bool& isFactor) {
    if (peek() == '(') {
      if (nesting == kMostNesting) return fail("brackets nested too deep");
      ++at_;
      if (!quotient(unit, nesting + 1)) return false;
      if (peek() != ')') return fail("a \"(\" that is not closed");
      ++at_;
      return power(unit, kLargestSymbolPower);
    }
    if (isAsciiDigit(peek())) return tenPower(unit);
    if (startsSymbol()) return symbol(unit, isFactor);
    std::string rest = text_.substr(at_);
    return fail("\"" + rest + "\" is not a unit");
  }

  // "^2", "^-1", or digits that follow a unit directly ("m3", "K-1").
  bool readPower(int& value, int largest) {
    bool caret = peek() == '^';
    if (caret) ++at_;
    bool negative = false;
    bool sign = peek() == '-' || peek() == '+';
    if (sign && at_ + 1 < text_.size() && isAsciiDigit(text_[at_ + 1])) {
      negative = peek() == '-';
      ++at_;
    }
    if (!isAsciiDigit(peek())) return caret ? fail("\"^\" without a power after it") : true;
    value = 0;
    while (isAsciiDigit(peek())) {
      value = value * 10 + (peek() - '0');
      ++at_;
      if (value > largest) return fail("a power beyond " + std::to_string(largest));
    }
    if (negative) value = -value;
    return true;
  }

  bool power(Unit& unit, int largest) {
    int value = 1;
    if (!readPower(value, largest)) return false;
    Unit base = unit;
    unit = Unit{};
    multiply(unit, base, value);
    return true;
  }

  // 1, or 10 (100, ...) with its exponent: 10^-6, 10-6, 1e-6; a bare 10 or 100
  // is refused, as it may be digits of the value that a blank cut off.
  bool tenPower(Unit& unit) {
    std::size_t begin = at_;
    std::string problem =
        "\"" + text_.substr(begin) + "\": a number in a unit is 1 or a power of ten";
    if (peek() != '1') return fail(problem);
    ++at_;
    int tens = 0;
    for (; peek() == '0'; ++at_) ++tens;
    bool exponentGiven = peek() == 'e' || peek() == 'E';
    if (exponentGiven) {
      ++at_;
      int exponent = 0;
      if (!readPower(exponent, kLargestTenPower)) return false;
      tens += exponent;
    }
    if (isAsciiDigit(peek()) || peek() == '.') return fail(problem);
    std::size_t powerAt = at_;
    int times = 1;
    if (!readPower(times, kLargestTenPower)) return false;
    if (tens > 0 && !exponentGiven && at_ == powerAt) {
      return fail(problem + " written with its exponent (10^" + std::to_string(tens) + ", 1e" +
                  std::to_string(tens) + ")");
    }
    tens *= times;
    if (tens > kLargestTenPower || tens < -kLargestTenPower) return fail("a power of ten out of range");
    std::string text = "1e" + std::to_string(tens);
    unit = Unit{textToNumber(text.c_str()), Dimension{}};
    return true;
  }

  std::string symbolRun() {
    std::size_t begin = at_;
    while (!atEnd()) {
      if (isAsciiLetter(peek())) ++at_;
      else if (text_.compare(at_, 2, kMicro) == 0 || text_.compare(at_, 2, kDegree) == 0) at_ += 2;
      else break;
    }
    return text_.substr(begin, at_ - begin);
  }

  bool symbol(Unit& unit, bool& isFactor) {
    std::string run = symbolRun();
    if (run == "x" || run == "X") {  // a multiplication sign: "10^-6 x 1/K"
      isFactor = false;
      return true;
    }
    if (const UnitSymbol* found = symbolFor(run)) {
      unit = unitOf(*found);
      return power(unit, kLargestSymbolPower);
    }
    // "W/mK", "J/kgK": a unit run together with the temperature after it.
    for (std::size_t split = 1; split < run.size(); ++split) {
      const UnitSymbol* first = symbolFor(run.substr(0, split));
      const UnitSymbol* second = symbolFor(run.substr(split));
      if (first == nullptr || !isTemperature(second)) continue;
      if (peek() == '^' || isAsciiDigit(peek())) {
        return fail("\"" + run + "\" with a power is ambiguous");
      }
      unit = unitOf(*first);
      multiply(unit, unitOf(*second), 1);
      return true;
    }
    return fail("no unit \"" + run + "\"");
  }

  const std::string& text_;
  std::size_t at_ = 0;
  std::string error_;
};

}  // namespace

bool readUnitText(const std::string& text, Unit& unit, std::string& error) {
  std::string plain;
  if (!normalized(text, plain, error)) return false;
  unit = Unit{};
  return UnitParser(plain).parse(unit, error);
}

bool startsWithUnitNumber(const std::string& text) {
  std::string plain, error;
  if (!normalized(text, plain, error)) plain = text;
  return UnitParser(plain).startsWithTenPower();
}
