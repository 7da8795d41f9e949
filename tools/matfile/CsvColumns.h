// The columns of a material table in CSV: the name, then the eight properties
// in presentation order, each headed by its name and its stored unit
// ("density [g/cm^3]"), so that a spreadsheet shows what a number means.
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

  // Finds every column in a header row, in whatever order it stands. A header
  // matches with blanks at either end and in any letter case of its name, but
  // only with its unit exactly as written ("[MPa]" is not "[mPa]"). False when
  // a column is missing, unknown or doubled; `problems` then says so, one text
  // each.
  bool locate(const std::vector<std::string>& header, std::vector<std::string>& problems);

  // The field index of the name, and of each property, in a row.
  std::size_t nameField() const { return fields_[0]; }
  std::size_t fieldOf(MaterialProperty property) const {
    return fields_[1 + static_cast<int>(property)];
  }

 private:
  std::size_t fields_[kCount] = {};
};
