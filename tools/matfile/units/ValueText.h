// A value as a table field or a material card gives it: a number, then
// perhaps its unit ("7800 kg/m^3", "0.3", "1200,00 kg/m^3").
#pragma once

#include <string>

struct ValueText {
  double number = 0;
  std::string numberText;  // the number as read, a decimal comma given as a point
  std::string unit;        // what follows the number, without blanks at either end
  bool decimalComma = false;  // the number was read with a decimal comma
};

// Reads the number at the start of `text` (blanks around allowed): digits with
// a decimal point, or with a decimal comma where that cannot be a thousands
// separator ("1200,00", "0,300", "7,5"), and an optional exponent. "1,200" is
// either 1200 or 1.2 and is rejected, as is any number with a separator in a
// second place ("1,200,000", "1.200,5"). False with `error` saying why.
bool readValueText(const std::string& text, ValueText& value, std::string& error);

// readValueText for a table whose numbers are written with a decimal comma
// (one separated by semicolons, as spreadsheets write it where the comma is
// the decimal mark): a comma is the decimal mark wherever it stands ("1,200"
// is 1.2), and a point where it could group thousands ("1.200") is rejected.
bool readDecimalCommaText(const std::string& text, ValueText& value, std::string& error);
