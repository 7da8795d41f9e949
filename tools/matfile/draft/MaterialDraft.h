// One material as a table row or a material card gives it, before anything is
// converted, and the record made from it: each given value read, converted to
// the stored unit and passed to its setter, or rejected with a reason.
#pragma once

#include <string>
#include <vector>

#include "MaterialProperty.h"
#include "OwnedList.h"

struct GivenValue {
  bool given = false;
  std::string text;           // as the source writes it: "7.85", "7800 kg/m^3"
  bool unitInColumn = false;  // a table's column names the unit; a card's value carries it
  double columnFactor = 1;    // from the column's unit to the stored unit
  std::string columnUnit;     // the column's unit as written, for reports
  bool decimalCommaTable = false;  // the table writes every number with a decimal comma
  long line = 0;              // where the value stands
  std::string inheritedFrom;  // the card that gave it, when not the material's own
};

struct MaterialDraft {
  std::string name;  // as the source writes it, as reports quote it
  // The name in the material file's code page where the source writes it in
  // UTF-8; empty where the two are the same bytes.
  std::string nameInFile;
  long line = 0;               // the row, or the line of the card's name
  bool namedInReports = false;  // a card's reports name the material; a row's number does
  std::string labels[kPropertyCount];  // how reports name each value
  GivenValue values[kPropertyCount];

  GivenValue& value(MaterialProperty property) { return values[static_cast<int>(property)]; }
  const GivenValue& value(MaterialProperty property) const {
    return values[static_cast<int>(property)];
  }
  bool givesAnyValue() const;
};

struct DraftReport {
  long line;
  std::string text;
};

// The record, or null when a value cannot be taken. `errors` gets one text per
// value that cannot be taken; `notes` what was guessed (a decimal comma) and
// which values were not given (they are 0, as an empty dialog field).
OwnedMaterial materialFromDraft(const MaterialDraft& draft, std::vector<DraftReport>& errors,
                                std::vector<DraftReport>& notes);

// A field for a report line: in quotes, line ends and zero bytes shown as
// \r, \n and \0.
std::string shownField(const std::string& field);
