// The columns of a material table in CSV: the name, then the eight properties
// in presentation order, each headed by its name and its stored unit
// ("density [g/cm^3]"), so that a spreadsheet shows what a number means. A
// table to import may give a property in another unit ("density [kg/m^3]").
#pragma once

#include <string>
#include <vector>

#include "MaterialProperty.h"

class CsvColumns {
 public:
  static constexpr int kCount = 1 + kPropertyCount;

  // The header of column 0 (the name) to 8 (the last property).
  static std::string headerOf(int column);

  // The header row that export writes.
  static std::vector<std::string> headerRow();

  // Each column's accepted header names, and the units it takes, one column
  // after another: what `matfile columns` prints.
  static std::string acceptedHeaders();

  // Finds every column in a header row, in whatever order it stands. A header
  // is a property's name or one that data sheets use for it ("E", "Rp0.2",
  // "CTE"), with blanks at either end and in any letter case,
  // and its unit in brackets ("[kg/m^3]", or "(kg/m^3)" at the end), which
  // letter case tells apart ("[MPa]" is not "[mPa]"); the Poisson ratio needs
  // none. The name and the density are required; a property without a column
  // is not given. False when a column is missing, unknown (named with the
  // accepted headers closest to it), doubled, or has a unit that is not known
  // or measures something else; `problems` then says so, one text each.
  bool locate(const std::vector<std::string>& header, std::vector<std::string>& problems);

  // The field index of the name, and of each property, in a row.
  std::size_t nameField() const { return fields_[0]; }
  bool hasColumn(MaterialProperty property) const { return fields_[column(property)] != kAbsent; }
  std::size_t fieldOf(MaterialProperty property) const { return fields_[column(property)]; }
  // The header as the table writes it, without blanks at either end.
  const std::string& givenHeaderOf(MaterialProperty property) const {
    return headers_[column(property)];
  }
  const std::string& unitOf(MaterialProperty property) const { return units_[column(property)]; }
  // From the column's unit to the stored unit.
  double factorOf(MaterialProperty property) const { return factors_[column(property)]; }

 private:
  static constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);
  static int column(MaterialProperty property) { return 1 + static_cast<int>(property); }

  std::size_t fields_[kCount] = {};
  std::string headers_[kCount];
  std::string units_[kCount];
  double factors_[kCount] = {};
};
