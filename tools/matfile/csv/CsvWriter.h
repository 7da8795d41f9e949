// Writes comma-separated values as RFC 4180 defines them: records end in
// CR LF; a field is quoted, with its quotes doubled, when it holds a comma, a
// quote, a CR or an LF, or begins or ends with a blank or tab (which some
// spreadsheets drop from an unquoted field), or starts the text with the bytes
// of a byte order mark (which a reader skips).
#pragma once

#include <ostream>
#include <string>

class CsvWriter {
 public:
  // The text is kept, for text().
  CsvWriter() = default;
  // Each record goes to `out` as it ends; text() holds only the record under
  // way. A table of a million rows is never held whole.
  explicit CsvWriter(std::ostream& out) : out_(&out) {}

  void addField(const std::string& field);
  void endRecord();

  const std::string& text() const { return text_; }

 private:
  std::ostream* out_ = nullptr;
  std::string text_;
  bool inRecord_ = false;
  bool recordsPassedOn_ = false;
};
