#include "CsvWriter.h"

#include "TextBytes.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// A reader skips a byte order mark at the start of the text, so a first
// field that starts with one goes in quotes to keep it.
bool needsQuotes(const std::string& field, bool startsText) {
  if (field.find_first_of(",\"\r\n") != std::string::npos) return true;
  if (startsText && startsWithByteOrderMark(field)) return true;
  return !field.empty() && (isBlank(field.front()) || isBlank(field.back()));
}

}  // namespace

void CsvWriter::addField(const std::string& field) {
  if (inRecord_) text_ += ',';
  inRecord_ = true;
  if (!needsQuotes(field, text_.empty() && !recordsPassedOn_)) {
    text_ += field;
    return;
  }
  text_ += '"';
  for (char c : field) {
    if (c == '"') text_ += '"';
    text_ += c;
  }
  text_ += '"';
}

void CsvWriter::endRecord() {
  text_ += "\r\n";
  inRecord_ = false;
  if (out_ == nullptr) return;
  *out_ << text_;
  text_.clear();
  recordsPassedOn_ = true;
}
