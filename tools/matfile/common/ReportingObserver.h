// Writes what the reader passes over as "LINE: what" lines and counts them;
// keeps where each material it completes stands, for reports about them.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "MaterialFileObserver.h"

class ReportingObserver : public MaterialFileObserver {
 public:
  // Each report line starts with `prefix` ("" or "FILE:").
  ReportingObserver(std::ostream& out, std::string prefix) : out_(out), prefix_(std::move(prefix)) {}

  void lineDropped(long lineNumber, DroppedLine cause) override;
  void valueRejected(long lineNumber, const char* message) override;
  void materialRead(long nameLineNumber, const Material& material) override;

  long count() const { return count_; }

  struct MaterialAt {
    long nameLine;
    const Material* material;  // valid as long as the list that was read
  };
  // Every material of the list in list order.
  const std::vector<MaterialAt>& materials() const { return materials_; }

 private:
  void report(long lineNumber, const char* what);

  std::ostream& out_;
  std::string prefix_;
  long count_ = 0;
  std::vector<MaterialAt> materials_;
};
