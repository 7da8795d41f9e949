#include "CsvTable.h"

#include <algorithm>

#include "CsvColumns.h"
#include "CsvReader.h"
#include "MaterialRow.h"

namespace {

bool isBlankRow(const std::vector<std::string>& fields) {
  return std::all_of(fields.begin(), fields.end(),
                     [](const std::string& field) { return field.empty(); });
}

bool readHeader(CsvReader& csv, CsvColumns& columns, CsvTable& table) {
  switch (csv.next()) {
    case CsvReader::Result::End:
      table.errors.push_back({1, "the file is empty: a header row naming the columns must come first"});
      return false;
    case CsvReader::Result::Malformed:
      table.errors.push_back({csv.row(), csv.error()});
      return false;
    case CsvReader::Result::Record:
      break;
  }
  std::vector<std::string> problems;
  if (columns.locate(csv.fields(), problems)) return true;
  for (const std::string& problem : problems) table.errors.push_back({csv.row(), problem});
  return false;
}

}  // namespace

CsvTable readCsvTable(std::string text, const std::function<void(MaterialDraft&)>& takeDraft) {
  CsvTable table;
  CsvReader csv(std::move(text));
  table.hadByteOrderMark = csv.hadByteOrderMark();
  CsvColumns columns;
  if (!readHeader(csv, columns, table)) return table;
  std::size_t fieldCount = csv.fields().size();
  MaterialDraft reused;
  for (;;) {
    switch (csv.next()) {
      case CsvReader::Result::End:
        table.readable = true;
        return table;
      case CsvReader::Result::Malformed:
        table.errors.push_back({csv.row(), csv.error()});
        return table;
      case CsvReader::Result::Record:
        break;
    }
    // A spreadsheet writes an empty row between blocks of rows as a row of
    // empty fields; it holds no material.
    if (isBlankRow(csv.fields())) continue;
    if (csv.fields().size() != fieldCount) {
      table.errors.push_back({csv.row(), std::to_string(csv.fields().size()) +
                                             " fields, but the header has " +
                                             std::to_string(fieldCount)});
      continue;
    }
    if (takeDraft) {
      fillDraftFromRow(reused, csv.fields(), columns, csv.row());
      takeDraft(reused);
    } else {
      table.drafts.push_back(draftFromRow(csv.fields(), columns, csv.row()));
    }
  }
}
