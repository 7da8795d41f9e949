// Writes what the reader passes over as "LINE: what" lines and counts them.
#pragma once

#include <ostream>
#include <string>

#include "MaterialFileObserver.h"

class ReportingObserver : public MaterialFileObserver {
 public:
  // Each report line starts with `prefix` ("" or "FILE:").
  ReportingObserver(std::ostream& out, std::string prefix) : out_(out), prefix_(std::move(prefix)) {}

  void lineDropped(long lineNumber, DroppedLine cause) override;
  void valueRejected(long lineNumber, const char* message) override;

  long count() const { return count_; }

 private:
  void report(long lineNumber, const char* what);

  std::ostream& out_;
  std::string prefix_;
  long count_ = 0;
};
