#include "MaterialRow.h"

MaterialDraft draftFromRow(const std::vector<std::string>& row, const CsvColumns& columns,
                           long rowNumber) {
  MaterialDraft draft;
  fillDraftFromRow(draft, row, columns, rowNumber);
  return draft;
}

void fillDraftFromRow(MaterialDraft& draft, const std::vector<std::string>& row,
                      const CsvColumns& columns, long rowNumber) {
  draft.name = row[columns.nameField()];
  draft.line = rowNumber;
  draft.namedInReports = false;
  for (int position = 0; position < kPropertyCount; ++position) {
    MaterialProperty property = propertyAt(position);
    GivenValue& value = draft.value(property);
    value.inheritedFrom.clear();
    if (!columns.hasColumn(property)) {
      value.given = false;
      value.text.clear();
      value.unitInColumn = false;
      value.columnFactor = 1;
      value.columnUnit.clear();
      value.line = 0;
      draft.labels[position] = propertyName(property);
      continue;
    }
    value.given = true;
    value.text = row[columns.fieldOf(property)];
    value.unitInColumn = true;
    value.columnFactor = columns.factorOf(property);
    value.columnUnit = columns.unitOf(property);
    value.line = rowNumber;
    draft.labels[position] = columns.givenHeaderOf(property);
  }
}
