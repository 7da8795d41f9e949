// One row of a material table as a material draft: the name field as it
// stands, and each property's field with the unit of its column. A property
// without a column is not given.
#pragma once

#include <string>
#include <vector>

#include "CsvColumns.h"
#include "MaterialDraft.h"

// A row must have a field for every located column.
MaterialDraft draftFromRow(const std::vector<std::string>& row, const CsvColumns& columns,
                           long rowNumber);
