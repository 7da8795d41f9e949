#include "MaterialDraft.h"

#include "MaterialNames.h"
#include "UnitConversion.h"
#include "UnitTable.h"
#include "ValueText.h"

namespace {

// A failed setter normally leaves its message; an allocation that fails
// leaves none.
std::string setterMessage(const Material& record) {
  return record.errorText != nullptr ? record.errorText : "out of memory";
}

// What a report says before its message: `"Steel": density "7800 kg/m^3": `.
std::string valuePrefix(const MaterialDraft& draft, MaterialProperty property) {
  const GivenValue& value = draft.value(property);
  std::string text = draft.namedInReports ? quoted(draft.name) + ": " : "";
  text += draft.labels[static_cast<int>(property)] + ' ' + shownField(value.text);
  if (!value.inheritedFrom.empty()) text += " (from " + value.inheritedFrom + ")";
  return text + ": ";
}

bool takeName(Material& record, const MaterialDraft& draft, std::vector<DraftReport>& errors) {
  const std::string& name = draft.nameInFile.empty() ? draft.name : draft.nameInFile;
  std::string problem;
  if (name.find_first_of("\r\n") != std::string::npos) {
    problem = "a name cannot hold a line end: the material file keeps each name on one line";
  } else if (name.find('\0') != std::string::npos) {
    problem = "a name cannot hold a zero byte: the material file cannot keep it";
  } else if (!record.setName(name.c_str())) {
    problem = setterMessage(record);
  }
  if (problem.empty()) return true;
  errors.push_back({draft.line, "name " + shownField(draft.name) + ": " + problem});
  return false;
}

// At most six significant digits: the number reads back as the file would
// write it, with no rounding to do.
bool hasSixDigitsAtMost(const std::string& numberText) {
  int digits = 0;
  bool significant = false;
  for (char c : numberText) {
    if (c == 'e' || c == 'E') break;
    if (c < '0' || c > '9') continue;
    significant = significant || c != '0';
    if (significant && ++digits > 6) return false;
  }
  return true;
}

// The given text as a number in the stored unit, or the reason it is none.
bool storedValueOf(const GivenValue& given, MaterialProperty property, double& stored,
                   ValueText& value, std::string& error) {
  bool read = given.decimalCommaTable ? readDecimalCommaText(given.text, value, error)
                                      : readValueText(given.text, value, error);
  if (!read) return false;
  double factor = given.columnFactor;
  if (given.unitInColumn) {
    if (!value.unit.empty()) {
      error = "not a number (the column header gives the unit)";
      return false;
    }
  } else if (value.unit.empty() && hasStoredUnit(property)) {
    error = "no unit; old cards give such values in MPa or in SI units, so a number alone is "
            "ambiguous";
    return false;
  } else if (!factorToStored(property, value.unit, factor, error)) {
    return false;
  }
  // A table in the stored units, as export writes it, needs no rounding: the
  // common case of a large import, spared eight roundings a row.
  if (factor == 1 && hasSixDigitsAtMost(value.numberText)) {
    stored = value.number;
    return true;
  }
  return storedNumber(value.number, factor, stored, error);
}

bool isGiven(const GivenValue& value) {
  return value.given && !withoutOuterBlanks(value.text).empty();
}

bool takeValue(Material& record, const MaterialDraft& draft, MaterialProperty property,
               std::vector<DraftReport>& errors, std::vector<DraftReport>& notes) {
  const GivenValue& given = draft.value(property);
  double stored = 0;
  ValueText value;
  std::string error;
  if (isGiven(given) && !storedValueOf(given, property, stored, value, error)) {
    errors.push_back({given.line, valuePrefix(draft, property) + error});
    return false;
  }
  if (!setPropertyValue(record, property, stored)) {
    std::string message = setterMessage(record);
    if (isGiven(given) || given.unitInColumn) {
      errors.push_back({given.line, valuePrefix(draft, property) + message});
    } else {
      errors.push_back({draft.line, quoted(draft.name) + ": " + propertyName(property) +
                                        " not given: " + message});
    }
    return false;
  }
  if (value.decimalComma && !given.decimalCommaTable) {
    notes.push_back({given.line, "note: " + valuePrefix(draft, property) + "read as " +
                                     value.numberText + " (a decimal comma)"});
  }
  return true;
}

}  // namespace

bool MaterialDraft::givesAnyValue() const {
  for (const GivenValue& value : values) {
    if (isGiven(value)) return true;
  }
  return false;
}

OwnedMaterial materialFromDraft(const MaterialDraft& draft, std::vector<DraftReport>& errors,
                                std::vector<DraftReport>& notes) {
  OwnedMaterial record(createMaterial());
  if (record == nullptr) {
    errors.push_back({draft.line, "out of memory"});
    return nullptr;
  }
  bool taken = takeName(*record, draft, errors);
  std::string notGiven;
  for (int position = 0; position < kPropertyCount; ++position) {
    MaterialProperty property = propertyAt(position);
    taken = takeValue(*record, draft, property, errors, notes) && taken;
    if (!isGiven(draft.value(property)) && property != MaterialProperty::Density) {
      notGiven += (notGiven.empty() ? "" : ", ") + std::string(propertyName(property));
    }
  }
  if (!taken) return nullptr;
  if (!notGiven.empty()) {
    notes.push_back({draft.line, "note: " + quoted(draft.name) + ": " + notGiven + " not given (0)"});
  }
  return record;
}

std::string shownField(const std::string& field) {
  std::string shown = "\"";
  for (char c : field) {
    if (c == '\r') shown += "\\r";
    else if (c == '\n') shown += "\\n";
    else if (c == '\0') shown += "\\0";
    else shown += c;
  }
  return shown + '"';
}
