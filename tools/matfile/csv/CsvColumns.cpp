#include "CsvColumns.h"

#include <algorithm>

#include "MaterialNames.h"
#include "TextBytes.h"
#include "UnitConversion.h"
#include "UnitTable.h"

namespace {

constexpr char kNameHeader[] = "name";
constexpr int kNotFound = -1;

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
  if (!trimmed.empty() && trimmed.back() == ']')
    open = trimmed.find('[');
  else if (!trimmed.empty() && trimmed.back() == ')')
    open = openingOfLastBracket(trimmed);
  if (open == std::string::npos || open == 0) {
    header.name = trimmed;
    return header;
  }
  header.name = withoutOuterBlanks(trimmed.substr(0, open));
  header.unit = withoutOuterBlanks(trimmed.substr(open + 1, trimmed.size() - open - 2));
  header.hasUnit = true;
  return header;
}

// The headers that data sheets and spreadsheets give each column, beside the
// property names of the data dialog; compared as headerKey makes them.
struct HeaderName {
  int column;
  const char* name;
};
const HeaderName kHeaderNames[] = {
    {0, "name"},
    {0, "material"},
    {0, "material name"},
    {0, "designation"},
    {1, "density"},
    {1, "rho"},
    {1, "\xCF\x81"},
    {1, "mass density"},
    {2, "Young modulus"},
    {2, "Young's modulus"},
    {2, "E"},
    {2, "elastic modulus"},
    {2, "modulus of elasticity"},
    {2, "E modulus"},
    {2, "tensile modulus"},
    {3, "Poisson ratio"},
    {3, "Poisson's ratio"},
    {3, "nu"},
    {3, "\xCE\xBD"},
    {4, "yield strength"},
    {4, "yield stress"},
    {4, "Re"},
    {4, "ReH"},
    {4, "Rp0.2"},
    {4, "Rp0,2"},
    {4, "Rp 0.2"},
    {4, "0.2% proof stress"},
    {4, "proof stress"},
    {4, "tensile yield strength"},
    {4, "Sy"},
    {5, "tensile strength"},
    {5, "ultimate tensile strength"},
    {5, "UTS"},
    {5, "Rm"},
    {5, "ultimate strength"},
    {5, "Su"},
    {6, "thermal conductivity"},
    {6, "k"},
    {6, "lambda"},
    {6, "\xCE\xBB"},
    {6, "conductivity"},
    {7, "linear expansion"},
    {7, "CTE"},
    {7, "alpha"},
    {7, "\xCE\xB1"},
    {7, "coefficient of thermal expansion"},
    {7, "coefficient of linear thermal expansion"},
    {7, "thermal expansion"},
    {7, "linear thermal expansion"},
    {8, "specific heat"},
    {8, "cp"},
    {8, "c_p"},
    {8, "specific heat capacity"},
    {8, "heat capacity"},
    // A spreadsheet in a German locale (semicolons, decimal commas) is often
    // headed in German too.
    {0, "Werkstoff"},
    {0, "Bezeichnung"},
    {1, "Dichte"},
    {2, "E-Modul"},
    {2, "Elastizit\xC3\xA4tsmodul"},
    {3, "Querkontraktionszahl"},
    {4, "Streckgrenze"},
    {5, "Zugfestigkeit"},
    {6, "W\xC3\xA4rmeleitf\xC3\xA4higkeit"},
    {7, "W\xC3\xA4rmeausdehnungskoeffizient"},
    {7, "Ausdehnungskoeffizient"},
    {8, "spezifische W\xC3\xA4rmekapazit\xC3\xA4t"},
    {8, "W\xC3\xA4rmekapazit\xC3\xA4t"},
};

// Letter case, apostrophes ("Young's", "Young’s", "Youngs"), hyphens and
// underscores for blanks and runs of blanks do not tell headers apart; nor
// does "ä" in UTF-8 or in the Windows code page a German spreadsheet saves in.
std::string headerKey(const std::string& text) {
  std::string key;
  for (std::size_t at = 0; at < text.size(); ++at) {
    char c = text[at];
    if (c == '\'') continue;
    if (text.compare(at, 3, "\xE2\x80\x99") == 0) {
      at += 2;
      continue;
    }
    if (text.compare(at, 2, "\xC3\xA4") == 0 || c == '\xE4' ||
        text.compare(at, 2, "\xC3\x84") == 0 || c == '\xC4') {
      key += "ae";
      at += static_cast<unsigned char>(c) == 0xC3 ? 1 : 0;
      continue;
    }
    if (c == '-' || c == '_' || c == '\t') c = ' ';
    if (c == ' ' && (key.empty() || key.back() == ' ')) continue;
    key += lowerAscii(c);
  }
  if (!key.empty() && key.back() == ' ') key.pop_back();
  for (const char* possessive : {"youngs ", "poissons "}) {
    std::string text = possessive;
    if (key.compare(0, text.size(), text) == 0) key.erase(text.size() - 2, 1);
  }
  return key;
}

int columnOfName(const std::string& name) {
  std::string key = headerKey(name);
  for (const HeaderName& header : kHeaderNames) {
    if (key == headerKey(header.name)) return header.column;
  }
  return kNotFound;
}

// The edits (a letter added, left out, changed, or two swapped) that take one
// text to the other.
std::size_t editDistance(const std::string& a, const std::string& b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      std::size_t change = d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, change});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

std::string columnTitle(int column) {
  return column == 0 ? kNameHeader : propertyName(propertyAt(column - 1));
}

// " (did you mean "yield strength"?)" for a header a letter or two off one
// that is accepted, or that starts with one ("Density at 20 °C").
std::string closestNames(const std::string& name) {
  std::string key = headerKey(name);
  struct Near {
    int column;
    std::string shown;
  };
  std::vector<std::pair<std::size_t, Near>> found;  // by distance
  for (const HeaderName& header : kHeaderNames) {
    std::string accepted = headerKey(header.name);
    std::size_t distance = editDistance(key, accepted);
    bool near = accepted.size() >= 4 && distance <= std::max<std::size_t>(1, accepted.size() / 6);
    bool starts = accepted.size() >= 5 && key.compare(0, accepted.size() + 1, accepted + " ") == 0;
    if (!near && !starts) continue;
    std::string shown = quoted(header.name);
    if (accepted != headerKey(columnTitle(header.column))) {
      shown += " (" + columnTitle(header.column) + ")";
    }
    found.push_back({near ? distance : accepted.size(), Near{header.column, shown}});
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> shown;
  std::vector<int> columns;  // one name each, the closest
  for (const auto& [distance, entry] : found) {
    if (shown.size() < 3 &&
        std::find(columns.begin(), columns.end(), entry.column) == columns.end()) {
      shown.push_back(entry.shown);
      columns.push_back(entry.column);
    }
  }
  std::string text;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    text += (i == 0 ? "" : i + 1 == shown.size() ? " or " : ", ") + shown[i];
  }
  return text.empty() ? "" : "; did you mean " + text + "?";
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

std::string CsvColumns::acceptedHeaders() {
  std::string text;
  for (int column = 0; column < kCount; ++column) {
    text += columnTitle(column) + ":";
    const char* separator = " ";
    for (const HeaderName& header : kHeaderNames) {
      if (header.column != column) continue;
      text += separator + std::string(header.name);
      separator = ", ";
    }
    text += "\n  units: ";
    if (column == 0 || !hasStoredUnit(propertyAt(column - 1))) {
      text += "none\n";
      continue;
    }
    const PropertyUnits& units = unitsOf(propertyAt(column - 1));
    text += std::string(units.storedUnit) + " (stored)";
    for (const char* unit : units.examples) {
      if (std::string(unit) != units.storedUnit) text += std::string(", ") + unit;
    }
    text += '\n';
  }
  return text;
}

bool CsvColumns::locate(const std::vector<std::string>& header,
                        std::vector<std::string>& problems) {
  std::size_t before = problems.size();
  for (std::size_t& field : fields_) field = kAbsent;
  // A wrong file read as a table may have a million columns: the first few
  // are named, the rest counted, or the report would outgrow the file.
  constexpr std::size_t kUnknownNamed = 20;
  std::size_t unknown = 0;
  for (std::size_t field = 0; field < header.size(); ++field) {
    Header parts = splitHeader(header[field]);
    int column = columnOfName(parts.name);
    if (column == kNotFound || (column == 0 && parts.hasUnit)) {
      if (++unknown <= kUnknownNamed) {
        problems.push_back("unknown column " + quoted(header[field]) +
                           (column == kNotFound ? closestNames(parts.name) : "") +
                           " (matfile columns lists the headers)");
      }
      continue;
    }
    if (fields_[column] != kAbsent) {
      problems.push_back("column " +
                         quoted(column == 0 ? kNameHeader : propertyName(propertyAt(column - 1))) +
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
      problems.push_back(
          "column " + quoted(headers_[column]) +
          " gives no unit: write it in "
          "brackets, as in " +
          quoted(std::string(propertyName(property)) + " [" + unitsOf(property).examples[0] + "]"));
    } else if (!factorToStored(property, parts.unit, factors_[column], error)) {
      problems.push_back("column " + quoted(headers_[column]) + ": " + error);
    }
  }
  if (unknown > kUnknownNamed) {
    problems.push_back("and " + std::to_string(unknown - kUnknownNamed) + " more unknown columns");
  }
  for (int column : {0, CsvColumns::column(MaterialProperty::Density)}) {
    if (fields_[column] == kAbsent)
      problems.push_back("missing column " + quoted(headerOf(column)));
  }
  return problems.size() == before;
}
