#include "CsvColumns.h"

#include "MaterialNames.h"
#include "UnitConversion.h"
#include "TextBytes.h"
#include "UnitTable.h"

namespace {

constexpr char kNameHeader[] = "name";
constexpr int kNotFound = -1;

bool equalIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  }
  return true;
}

struct Header {
  std::string name;
  std::string unit;
  bool hasUnit = false;
};

// Where the "(" stands that the ")" at the end of `text` closes, or npos.
std::size_t openingOfLastBracket(const std::string& text) {
  int depth = 0;
  for (std::size_t at = text.size(); at-- > 0;) {
    if (text[at] == ')') ++depth;
    if (text[at] == '(' && --depth == 0) return at;
  }
  return std::string::npos;
}

// "density [kg/m^3]" or "density (kg/m^3)": the name and the unit.
Header splitHeader(const std::string& text) {
  Header header;
  std::string trimmed = withoutOuterBlanks(text);
  std::size_t open = std::string::npos;
  if (!trimmed.empty() && trimmed.back() == ']') open = trimmed.find('[');
  else if (!trimmed.empty() && trimmed.back() == ')') open = openingOfLastBracket(trimmed);
  if (open == std::string::npos || open == 0) {
    header.name = trimmed;
    return header;
  }
  header.name = withoutOuterBlanks(trimmed.substr(0, open));
  header.unit = withoutOuterBlanks(trimmed.substr(open + 1, trimmed.size() - open - 2));
  header.hasUnit = true;
  return header;
}

int columnOfName(const std::string& name) {
  if (equalIgnoringCase(name, kNameHeader)) return 0;
  for (int position = 0; position < kPropertyCount; ++position) {
    if (equalIgnoringCase(name, propertyName(propertyAt(position)))) return 1 + position;
  }
  return kNotFound;
}

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
  for (std::size_t& field : fields_) field = kAbsent;
  // A wrong file read as a table may have a million columns: the first few
  // are named, the rest counted, or the report would outgrow the file.
  constexpr std::size_t kUnknownNamed = 20;
  std::size_t unknown = 0;
  for (std::size_t field = 0; field < header.size(); ++field) {
    Header parts = splitHeader(header[field]);
    int column = columnOfName(parts.name);
    if (column == kNotFound || (column == 0 && parts.hasUnit)) {
      if (++unknown <= kUnknownNamed) problems.push_back("unknown column " + quoted(header[field]));
      continue;
    }
    if (fields_[column] != kAbsent) {
      problems.push_back("column " + quoted(column == 0 ? kNameHeader : propertyName(propertyAt(column - 1))) +
                         " stands twice, in fields " + std::to_string(fields_[column] + 1) +
                         " and " + std::to_string(field + 1));
      continue;
    }
    fields_[column] = field;
    headers_[column] = withoutOuterBlanks(header[field]);
    units_[column] = parts.unit;
    if (column == 0) continue;
    MaterialProperty property = propertyAt(column - 1);
    std::string error;
    if (!parts.hasUnit && hasStoredUnit(property)) {
      problems.push_back("column " + quoted(headers_[column]) + " gives no unit: write it in "
                         "brackets, as in " + quoted(std::string(propertyName(property)) + " [" +
                                                     unitsOf(property).examples[0] + "]"));
    } else if (!factorToStored(property, parts.unit, factors_[column], error)) {
      problems.push_back("column " + quoted(headers_[column]) + ": " + error);
    }
  }
  if (unknown > kUnknownNamed) {
    problems.push_back("and " + std::to_string(unknown - kUnknownNamed) + " more unknown columns");
  }
  for (int column : {0, CsvColumns::column(MaterialProperty::Density)}) {
    if (fields_[column] == kAbsent) problems.push_back("missing column " + quoted(headerOf(column)));
  }
  return problems.size() == before;
}
