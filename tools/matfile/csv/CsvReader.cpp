#include "CsvReader.h"

#include "TextBytes.h"

CsvReader::CsvReader(std::string text, char separator)
    : text_(std::move(text)), separator_(separator) {
  if (startsWithByteOrderMark(text_)) {
    position_ = kByteOrderMarkSize;
    hadByteOrderMark_ = true;
  }
}

CsvReader::Result CsvReader::next() {
  fields_.clear();
  if (atEnd() || !error_.empty()) return error_.empty() ? Result::End : Result::Malformed;
  ++row_;
  for (;;) {
    std::string field;
    if (!readField(field)) return Result::Malformed;
    fields_.push_back(std::move(field));
    if (atEnd() || atRecordEnd()) break;
    ++position_;  // the separator
  }
  skipRecordEnd();
  return Result::Record;
}

bool CsvReader::readField(std::string& field) {
  if (!atEnd() && text_[position_] == '"') return readQuotedField(field);
  std::size_t begin = position_;
  while (!atEnd() && text_[position_] != separator_ && !atRecordEnd()) ++position_;
  field.assign(text_, begin, position_ - begin);
  return true;
}

bool CsvReader::readQuotedField(std::string& field) {
  ++position_;  // the opening quote
  for (;;) {
    std::size_t quote = text_.find('"', position_);
    if (quote == std::string::npos) {
      error_ = "a quoted field is not closed before the end of the file";
      return false;
    }
    field.append(text_, position_, quote - position_);
    position_ = quote + 1;
    if (atEnd() || text_[position_] != '"') break;
    field += '"';  // a doubled quote stands for one
    ++position_;
  }
  if (!atEnd() && text_[position_] != separator_ && !atRecordEnd()) {
    error_ = "text after the closing quote of a field (a quote inside a quoted field is "
             "written twice)";
    return false;
  }
  return true;
}

bool CsvReader::atRecordEnd() const {
  return !atEnd() && (text_[position_] == '\r' || text_[position_] == '\n');
}

void CsvReader::skipRecordEnd() {
  if (!atEnd() && text_[position_] == '\r') ++position_;
  if (!atEnd() && text_[position_] == '\n') ++position_;
}
