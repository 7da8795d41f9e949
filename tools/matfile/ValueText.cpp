#include "ValueText.h"

#include <cfloat>
#include <cmath>

#include "MaterialNames.h"
#include "NumberText.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

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
  while (scan.end < text.size() && isDigit(text[scan.end])) {
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
    if (digits < text.size() && isDigit(text[digits])) {
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
bool couldBeThousands(const NumberScan& scan) {
  return scan.comma && !scan.exponent && scan.fractionDigits == 3 && scan.integerDigits >= 1 &&
         scan.integerDigits <= 3 && !scan.integerIsZero;
}

}  // namespace

bool readValueText(const std::string& text, ValueText& value, std::string& error) {
  std::string trimmed = withoutOuterBlanks(text);
  NumberScan scan = scanNumber(trimmed);
  if (scan.integerDigits + scan.fractionDigits == 0) {
    error = "not a number";
    return false;
  }
  bool secondSeparator = scan.end + 1 < trimmed.size() &&
                         (trimmed[scan.end] == ',' || trimmed[scan.end] == '.') &&
                         isDigit(trimmed[scan.end + 1]);
  if (secondSeparator) {
    error = "not a number: write it without thousands separators, with a decimal point";
    return false;
  }
  if (couldBeThousands(scan)) {
    std::string integer = scan.text.substr(0, scan.text.find('.'));
    std::string fraction = scan.text.substr(scan.text.find('.') + 1);
    error = "ambiguous: " + integer + fraction + " with a thousands separator or " + scan.text +
            " with a decimal comma; write it without the comma or with a decimal point";
    return false;
  }
  value.number = textToNumber(scan.text.c_str());
  if (std::fabs(value.number) == DBL_MAX) {
    error = "beyond the range of a number";
    return false;
  }
  value.numberText = scan.text;
  value.decimalComma = scan.comma;
  value.unit = withoutOuterBlanks(trimmed.substr(scan.end));
  return true;
}
