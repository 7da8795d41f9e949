// What import has to say about its sources: the errors, which stop the import
// (or, with --skip-invalid, leave a row or card out), before the notes
// (skipped materials, guesses, warnings); each group in source order, then in
// line order, each line as "SOURCE:LINE: text".
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "SourcePaths.h"

class ImportReports {
 public:
  explicit ImportReports(const SourcePaths& sources) : sources_(sources) {}

  void error(std::size_t source, long line, const std::string& text) {
    errors_.push_back({source, line, text});
  }
  void note(std::size_t source, long line, const std::string& text) {
    notes_.push_back({source, line, text});
  }

  void writeTo(std::ostream& out);

 private:
  struct Report {
    std::size_t source;
    long line;
    std::string text;
  };

  void writeGroup(std::ostream& out, std::vector<Report>& reports);

  const SourcePaths& sources_;
  std::vector<Report> errors_;
  std::vector<Report> notes_;
};
