#include "MaterialRow.h"

#include "MaterialNames.h"
#include "NumberText.h"

namespace {

// A failed setter normally leaves its message; an allocation that fails
// leaves none.
std::string setterMessage(const Material& record) {
  return record.errorText != nullptr ? record.errorText : "out of memory";
}

std::string fieldProblem(int column, const std::string& field, const std::string& message) {
  return CsvColumns::headerOf(column) + ' ' + shownField(field) + ": " + message;
}

bool takeName(Material& record, const std::string& field, std::vector<std::string>& problems) {
  std::string problem;
  if (field.find_first_of("\r\n") != std::string::npos) {
    problem = "a name cannot hold a line end: the material file keeps each name on one line";
  } else if (field.find('\0') != std::string::npos) {
    problem = "a name cannot hold a zero byte: the material file cannot keep it";
  } else if (!record.setName(field.c_str())) {
    problem = setterMessage(record);
  }
  if (problem.empty()) return true;
  problems.push_back(fieldProblem(0, field, problem));
  return false;
}

bool takeNumber(Material& record, MaterialProperty property, const std::string& field,
                std::vector<std::string>& problems) {
  int column = 1 + static_cast<int>(property);
  std::string text = withoutOuterBlanks(field);
  const char* begin = text.c_str();
  const char* end = begin + text.size();
  if (!text.empty() && numberTextEnd(begin, end) != end) {
    bool decimalComma = text.find(',') != std::string::npos;
    problems.push_back(fieldProblem(
        column, field, decimalComma ? "not a number (the decimal mark is a point)" : "not a number"));
    return false;
  }
  if (setPropertyValue(record, property, textToNumber(begin, end))) return true;
  problems.push_back(fieldProblem(column, field, setterMessage(record)));
  return false;
}

}  // namespace

OwnedMaterial materialFromRow(const std::vector<std::string>& row, const CsvColumns& columns,
                              std::vector<std::string>& problems) {
  OwnedMaterial record(createMaterial());
  if (record == nullptr) {
    problems.push_back("out of memory");
    return nullptr;
  }
  bool taken = takeName(*record, row[columns.nameField()], problems);
  for (int position = 0; position < kPropertyCount; ++position) {
    MaterialProperty property = propertyAt(position);
    taken = takeNumber(*record, property, row[columns.fieldOf(property)], problems) && taken;
  }
  if (!taken) return nullptr;
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
