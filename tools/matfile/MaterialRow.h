// One row of a material table made into a material record the way the data
// dialog makes one from its fields: every number field through textToNumber,
// then every value through its setter, so the same values are accepted and
// rejected with the same messages.
#pragma once

#include <string>
#include <vector>

#include "CsvColumns.h"
#include "OwnedList.h"

// The record, or null when a field cannot be taken; `problems` then holds one
// text per such field, in column order: the column, the field as it stands
// and the setter's message. A row must have a field for every located column.
//
// Where the dialog is more lenient than a table may be: a number field must be
// a number and nothing else (the dialog would read "7,85" as 7), and a name
// cannot hold a line end or a zero byte, which the material file cannot keep.
// An empty number field is 0, as an empty dialog field is.
OwnedMaterial materialFromRow(const std::vector<std::string>& row, const CsvColumns& columns,
                              std::vector<std::string>& problems);

// A field for a report line: in quotes, line ends and zero bytes shown as
// \r, \n and \0.
std::string shownField(const std::string& field);
