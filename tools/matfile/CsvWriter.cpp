#include "CsvWriter.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool needsQuotes(const std::string& field) {
  if (field.find_first_of(",\"\r\n") != std::string::npos) return true;
  return !field.empty() && (isBlank(field.front()) || isBlank(field.back()));
}

}  // namespace

void CsvWriter::addField(const std::string& field) {
  if (inRecord_) text_ += ',';
  inRecord_ = true;
  if (!needsQuotes(field)) {
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
}
