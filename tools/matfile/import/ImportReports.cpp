#include "ImportReports.h"

#include <algorithm>

void ImportReports::writeTo(std::ostream& out) {
  writeGroup(out, errors_);
  writeGroup(out, notes_);
}

void ImportReports::writeGroup(std::ostream& out, std::vector<Report>& reports) {
  std::stable_sort(reports.begin(), reports.end(), [](const Report& a, const Report& b) {
    return a.source != b.source ? a.source < b.source : a.line < b.line;
  });
  for (const Report& report : reports) {
    out << sources_[report.source] << ':' << report.line << ": " << report.text << '\n';
  }
  reports.clear();
}
