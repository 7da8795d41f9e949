#include "NumberString.h"

#include "NumberText.h"

std::string numberString(double value) {
  char text[kNumberTextSize];
  formatNumber(value, text);
  return text;
}

std::string numberString(double value, int significantDigits) {
  char text[kNumberTextSize];
  formatNumber(value, significantDigits, text);
  return text;
}

std::string withUnit(const std::string& text, MaterialProperty property) {
  std::string unit = propertyUnit(property);
  return unit.empty() ? text : text + ' ' + unit;
}

std::string namedValue(const Material& material, MaterialProperty property) {
  return withUnit(std::string(propertyName(property)) + ' ' +
                      numberString(propertyValue(material, property)),
                  property);
}
