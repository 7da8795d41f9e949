#include "ValueText.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <string_view>

#include "MaterialNames.h"
#include "NumberText.h"
#include "TextBytes.h"
#include "UnitText.h"

namespace {

// Blanks that spreadsheets and typesetting put between groups of digits: the
// blank, the tab, the no-break space (UTF-8 and Latin-1), the thin and the
// narrow no-break space. Only after a digit, so a lone 0xA0 is no UTF-8 tail.
constexpr std::string_view kGroupBlanks[] = {" ",    "\t",           "\xC2\xA0",
                                             "\xA0", "\xE2\x80\x89", "\xE2\x80\xAF"};

std::size_t blanksAt(const std::string& text, std::size_t at) {
  std::size_t end = at;
  for (bool found = true; found;) {
    found = false;
    for (std::string_view blank : kGroupBlanks) {
      if (text.compare(end, blank.size(), blank) != 0) continue;
      end += blank.size();
      found = true;
    }
  }
  return end - at;
}

// "7 100 kg/m^3" is 7100 written with a blank between groups, not 7 times a
// unit of 100 kg/m^3; a unit that starts with a number ("1.2e-5 1/K",
// "12 10^-6/K") is read as one.
bool digitsGroupedByBlanks(const std::string& text, std::size_t numberEnd) {
  std::size_t blanks = blanksAt(text, numberEnd);
  std::size_t next = numberEnd + blanks;
  return blanks > 0 && next < text.size() && isAsciiDigit(text[next]) &&
         !startsWithUnitNumber(text.substr(next));
}

bool hasNonZeroDigit(const std::string& numberText) {
  for (char c : numberText) {
    if (c == 'e') return false;
    if (c >= '1' && c <= '9') return true;
  }
  return false;
}

struct NumberScan {
  std::string text;  // sign, digits, point, exponent: what textToNumber reads
  std::size_t end = 0;
  int integerDigits = 0;
  int fractionDigits = 0;
  bool integerIsZero = true;
  bool comma = false;
  bool exponent = false;
};

void scanDigits(const std::string& text, NumberScan& scan, int& count) {
  while (scan.end < text.size() && isAsciiDigit(text[scan.end])) {
    scan.text += text[scan.end++];
    ++count;
  }
}

NumberScan scanNumber(const std::string& text) {
  NumberScan scan;
  if (scan.end < text.size() && (text[scan.end] == '+' || text[scan.end] == '-')) {
    scan.text += text[scan.end++];
  }
  std::size_t integerStart = scan.end;
  scanDigits(text, scan, scan.integerDigits);
  for (std::size_t i = integerStart; i < scan.end; ++i) {
    if (text[i] != '0') scan.integerIsZero = false;
  }
  if (scan.end < text.size() && (text[scan.end] == '.' || text[scan.end] == ',')) {
    scan.comma = text[scan.end] == ',';
    ++scan.end;
    scan.text += '.';
    scanDigits(text, scan, scan.fractionDigits);
  }
  bool hasExponent = scan.end + 1 < text.size() && (text[scan.end] == 'e' || text[scan.end] == 'E');
  if (hasExponent && scan.integerDigits + scan.fractionDigits > 0) {
    std::size_t digits = scan.end + 1;
    if (digits < text.size() && (text[digits] == '+' || text[digits] == '-')) ++digits;
    if (digits < text.size() && isAsciiDigit(text[digits])) {
      scan.exponent = true;
      scan.text += 'e';
      scan.text.append(text, scan.end + 1, digits - scan.end - 1);
      scan.end = digits;
      int exponentDigits = 0;
      scanDigits(text, scan, exponentDigits);
    }
  }
  return scan;
}

// "1,200" groups thousands as well as it marks a decimal; "0,300" and
// "1200,00" cannot be groups.
bool couldBeThousands(const NumberScan& scan, bool decimalComma) {
  return scan.comma != decimalComma && !scan.exponent && scan.fractionDigits == 3 &&
         scan.integerDigits >= 1 && scan.integerDigits <= 3 && !scan.integerIsZero;
}

bool readNumberText(const std::string& text, bool decimalComma, ValueText& value,
                    std::string& error) {
  std::string trimmed = withoutOuterBlanks(text);
  NumberScan scan = scanNumber(trimmed);
  if (scan.integerDigits + scan.fractionDigits == 0) {
    error = "not a number";
    return false;
  }
  bool secondSeparator = scan.end + 1 < trimmed.size() &&
                         (trimmed[scan.end] == ',' || trimmed[scan.end] == '.') &&
                         isAsciiDigit(trimmed[scan.end + 1]);
  if (secondSeparator) {
    error = "not a number: write it without thousands separators, with a decimal point";
    return false;
  }
  if (couldBeThousands(scan, decimalComma)) {
    std::string integer = scan.text.substr(0, scan.text.find('.'));
    std::string fraction = scan.text.substr(scan.text.find('.') + 1);
    error = decimalComma
                ? "ambiguous: " + integer + fraction + " with a thousands point or " + scan.text +
                      " with a decimal point, in a table of decimal commas; write "
                      "it without the point or with a decimal comma"
                : "ambiguous: " + integer + fraction + " with a thousands separator or " +
                      scan.text +
                      " with a decimal comma; write it without the comma or with a "
                      "decimal point";
    return false;
  }
  if (digitsGroupedByBlanks(trimmed, scan.end)) {
    std::size_t next = scan.end + blanksAt(trimmed, scan.end);
    while (next < trimmed.size() && isAsciiDigit(trimmed[next])) ++next;
    error = "digits grouped by blanks (\"" + trimmed.substr(0, next) +
            "\"): write the number without them";
    return false;
  }
  value.number = textToNumber(scan.text.c_str());
  if (std::fabs(value.number) == DBL_MAX) {
    error = "beyond the range of a number";
    return false;
  }
  if (value.number == 0 && hasNonZeroDigit(scan.text)) {
    error = "below the range of a number (it would be 0, the value of a field left empty)";
    return false;
  }
  value.numberText = scan.text;
  value.decimalComma = scan.comma;
  value.unit = withoutOuterBlanks(trimmed.substr(scan.end));
  return true;
}

}  // namespace

bool readValueText(const std::string& text, ValueText& value, std::string& error) {
  return readNumberText(text, false, value, error);
}

bool readDecimalCommaText(const std::string& text, ValueText& value, std::string& error) {
  return readNumberText(text, true, value, error);
}
