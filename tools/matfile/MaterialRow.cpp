#include "MaterialRow.h"

MaterialDraft draftFromRow(const std::vector<std::string>& row, const CsvColumns& columns,
                           long rowNumber) {
  MaterialDraft draft;
  draft.name = row[columns.nameField()];
  draft.line = rowNumber;
  for (int position = 0; position < kPropertyCount; ++position) {
    MaterialProperty property = propertyAt(position);
    if (!columns.hasColumn(property)) {
      draft.labels[position] = propertyName(property);
      continue;
    }
    GivenValue& value = draft.value(property);
    value.given = true;
    value.text = row[columns.fieldOf(property)];
    value.unitInColumn = true;
    value.columnFactor = columns.factorOf(property);
    value.columnUnit = columns.unitOf(property);
    value.line = rowNumber;
    draft.labels[position] = columns.givenHeaderOf(property);
  }
  return draft;
}
