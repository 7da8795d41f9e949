#include "CsvTable.h"

#include <algorithm>

#include "CsvColumns.h"
#include "CsvReader.h"
#include "MaterialRow.h"
#include "TextBytes.h"

namespace {

bool isBlankRow(const std::vector<std::string>& fields) {
  return std::all_of(fields.begin(), fields.end(),
                     [](const std::string& field) { return field.empty(); });
}

// What stands between the fields of the header row outside quotes: the one
// of comma, semicolon and tab that it holds most of, a comma on a tie.
char separatorOf(const std::string& text) {
  std::size_t counts[3] = {};
  const char separators[3] = {',', ';', '\t'};
  bool quoted = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '\r' || c == '\n') break;
    for (int i = 0; i < 3; ++i) counts[i] += c == separators[i];
  }
  int best = 0;
  for (int i = 1; i < 3; ++i) {
    if (counts[i] > counts[best]) best = i;
  }
  return separators[best];
}

// A workbook or a text in UTF-16 read as CSV gives a header of gibberish.
std::string notCsvText(const std::string& text) {
  if (text.compare(0, 4, "PK\x03\x04") == 0) {
    return "a workbook (.xlsx, .ods) or another zip archive, not a CSV table: save it as CSV "
           "in the spreadsheet program and import that";
  }
  if (text.compare(0, 4, "\xD0\xCF\x11\xE0") == 0) {
    return "a workbook in the old .xls format, not a CSV table: save it as CSV in the "
           "spreadsheet program and import that";
  }
  if (text.compare(0, 2, "\xFF\xFE") == 0 || text.compare(0, 2, "\xFE\xFF") == 0) {
    return "UTF-16 text (a spreadsheet's \"Unicode text\"), not a CSV table: save it as CSV "
           "and import that";
  }
  return "";
}

// One note for a table that is not written as export writes one.
std::string recognisedForm(char separator, const std::string& text, bool byteOrderMark) {
  if (separator == ',') return "";
  std::string form = separator == ';'
                         ? "read as fields separated by semicolons, numbers with a decimal comma"
                         : "read as fields separated by tabs";
  if (byteOrderMark) form += ", a UTF-8 byte order mark";
  if (text.find("\r\n") != std::string::npos) form += ", Windows line ends";
  return "note: " + form;
}

bool readHeader(CsvReader& csv, CsvColumns& columns, CsvTable& table) {
  switch (csv.next()) {
    case CsvReader::Result::End:
      table.errors.push_back(
          {1, "the file is empty: a header row naming the columns must come first"});
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
  std::string notCsv = notCsvText(text);
  if (!notCsv.empty()) {
    table.errors.push_back({1, notCsv});
    return table;
  }
  char separator = separatorOf(text.substr(startsWithByteOrderMark(text) ? kByteOrderMarkSize : 0));
  std::string form = recognisedForm(separator, text, startsWithByteOrderMark(text));
  if (!form.empty()) table.notes.push_back({1, form});
  CsvReader csv(std::move(text), separator);
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
    // A table of semicolons comes from a spreadsheet whose decimal mark is the
    // comma: every number of it is read so.
    bool decimalCommas = separator == ';';
    if (takeDraft) {
      fillDraftFromRow(reused, csv.fields(), columns, csv.row());
      for (GivenValue& value : reused.values) value.decimalCommaTable = decimalCommas;
      takeDraft(reused);
    } else {
      table.drafts.push_back(draftFromRow(csv.fields(), columns, csv.row()));
      for (GivenValue& value : table.drafts.back().values) value.decimalCommaTable = decimalCommas;
    }
  }
}
