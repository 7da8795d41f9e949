#include "CsvColumns.h"

#include "MaterialNames.h"

namespace {

constexpr char kNameHeader[] = "name";
constexpr int kNotFound = -1;

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  }
  return true;
}

// Splits "density [g/cm^3]" into its name and its unit (the bracket on).
void splitHeader(const std::string& header, std::string& name, std::string& unit) {
  std::string text = withoutOuterBlanks(header);
  std::size_t bracket = text.find('[');
  if (bracket == std::string::npos) bracket = text.size();
  name = withoutOuterBlanks(text.substr(0, bracket));
  unit = text.substr(bracket);
}

int columnOfHeader(const std::string& header) {
  std::string name, unit;
  splitHeader(header, name, unit);
  for (int column = 0; column < CsvColumns::kCount; ++column) {
    std::string expectedName, expectedUnit;
    splitHeader(CsvColumns::headerOf(column), expectedName, expectedUnit);
    if (equalIgnoringCase(name, expectedName) && unit == expectedUnit) return column;
  }
  return kNotFound;
}

std::string quoted(const std::string& text) { return '"' + text + '"'; }

}  // namespace

std::string CsvColumns::headerOf(int column) {
  if (column == 0) return kNameHeader;
  MaterialProperty property = propertyAt(column - 1);
  std::string unit = propertyUnit(property);
  return std::string(propertyName(property)) + (unit.empty() ? "" : " " + unit);
}

std::vector<std::string> CsvColumns::headerRow() {
  std::vector<std::string> row;
  for (int column = 0; column < kCount; ++column) row.push_back(headerOf(column));
  return row;
}

bool CsvColumns::locate(const std::vector<std::string>& header, std::vector<std::string>& problems) {
  std::size_t before = problems.size();
  if (header.size() == 1 && header[0].find(';') != std::string::npos) {
    problems.push_back("the header row holds no comma but semicolons: the fields must be "
                       "separated by commas (and numbers written with a decimal point)");
    return false;
  }
  int found[kCount];
  for (int& field : found) field = kNotFound;
  for (std::size_t field = 0; field < header.size(); ++field) {
    int column = columnOfHeader(header[field]);
    if (column == kNotFound) {
      problems.push_back("unknown column " + quoted(header[field]));
    } else if (found[column] != kNotFound) {
      problems.push_back("column " + quoted(headerOf(column)) + " stands twice, in fields " +
                         std::to_string(found[column] + 1) + " and " + std::to_string(field + 1));
    } else {
      found[column] = static_cast<int>(field);
    }
  }
  for (int column = 0; column < kCount; ++column) {
    if (found[column] == kNotFound) problems.push_back("missing column " + quoted(headerOf(column)));
    else fields_[column] = static_cast<std::size_t>(found[column]);
  }
  return problems.size() == before;
}
