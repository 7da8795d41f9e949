// One row of a material table as a material draft: the name field as it
// stands, and each property's field with the unit of its column. A property
// without a column is not given.
#pragma once

#include <string>
#include <vector>

#include "CsvColumns.h"
#include "MaterialDraft.h"

// A row must have a field for every located column.
// draftFromRow into a draft that the caller keeps from row to row: its
// strings keep their memory, so a long table allocates nothing per row.
void fillDraftFromRow(MaterialDraft& draft, const std::vector<std::string>& row,
                      const CsvColumns& columns, long rowNumber);

MaterialDraft draftFromRow(const std::vector<std::string>& row, const CsvColumns& columns,
                           long rowNumber);
