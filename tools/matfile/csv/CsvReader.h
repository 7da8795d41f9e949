// Reads comma-separated values as RFC 4180 defines them, and as spreadsheets
// write them besides: a UTF-8 byte order mark before the first record is
// skipped; a record ends at CR LF, LF or a lone CR; a line end after the last
// record adds no record. A field in double quotes may hold commas, line ends
// and doubled quotes, and is taken byte for byte; an unquoted field is taken
// as it stands, quotes inside it included.
#pragma once

#include <string>
#include <vector>

class CsvReader {
 public:
  enum class Result {
    Record,     // fields() and row() describe the next record
    End,        // no more records
    Malformed,  // error() says what; reading stops here
  };

  // `separator` stands between fields: a comma, or what a spreadsheet puts in
  // its place (a semicolon where the comma is the decimal mark, a tab).
  explicit CsvReader(std::string text, char separator = ',');

  Result next();

  const std::vector<std::string>& fields() const { return fields_; }

  // The record's number as a spreadsheet shows it: 1 for the first record,
  // whatever line ends its quoted fields hold.
  long row() const { return row_; }

  const std::string& error() const { return error_; }

  bool hadByteOrderMark() const { return hadByteOrderMark_; }

 private:
  bool readField(std::string& field);
  bool readQuotedField(std::string& field);
  bool atEnd() const { return position_ >= text_.size(); }
  bool atRecordEnd() const;
  void skipRecordEnd();

  std::string text_;
  char separator_;
  std::size_t position_ = 0;
  std::vector<std::string> fields_;
  long row_ = 0;
  std::string error_;
  bool hadByteOrderMark_ = false;
};
