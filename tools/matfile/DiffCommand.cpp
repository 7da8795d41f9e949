#include <algorithm>

#include "Commands.h"
#include "FileReading.h"
#include "MaterialDiff.h"
#include "MaterialNames.h"
#include "NumberText.h"

namespace {

constexpr std::size_t kMovedNamed = 5;  // more moved materials are counted, not named

std::string numberText(double value) {
  char text[kNumberTextSize];
  formatNumber(value, text);
  return text;
}

std::string lineOf(const MaterialDiff::MaterialAt& at) {
  return " (line " + std::to_string(at.nameLine) + ")";
}

// "  yield strength: 235 -> 245 [MPa]"
void writeValueChange(std::ostream& out, const MaterialDiff::ValueChange& change) {
  std::string unit = propertyUnit(change.property);
  out << "  " << propertyName(change.property) << ": " << numberText(change.before) << " -> "
      << numberText(change.after) << (unit.empty() ? "" : " " + unit) << '\n';
}

// One line however many moved: "order changed: "A", "B" and 3 more moved".
void writeMoved(std::ostream& out, const std::vector<MaterialDiff::MaterialAt>& moved) {
  out << "order changed: ";
  std::size_t named = std::min(moved.size(), kMovedNamed);
  for (std::size_t i = 0; i < named; ++i) {
    out << (i == 0 ? "" : ", ") << quotedName(*moved[i].material);
  }
  if (moved.size() > named) out << " and " << moved.size() - named << " more";
  out << " moved\n";
}

void writeDiff(std::ostream& out, const MaterialDiff& diff) {
  for (const MaterialDiff::MaterialAt& at : diff.removed()) {
    out << "removed " << quotedName(*at.material) << lineOf(at) << '\n';
  }
  for (const MaterialDiff::MaterialAt& at : diff.added()) {
    out << "added " << quotedName(*at.material) << lineOf(at) << '\n';
  }
  for (const MaterialDiff::Changed& changed : diff.changed()) {
    out << "changed " << quotedName(*changed.after.material) << lineOf(changed.after) << '\n';
    for (const MaterialDiff::ValueChange& change : changed.values) writeValueChange(out, change);
  }
  if (!diff.moved().empty()) writeMoved(out, diff.moved());
}

}  // namespace

std::string diffDetails() {
  return "\n"
    "Compares the materials of OLD and NEW, matched by name (a name repeated in a\n"
    "file: the first in OLD with the first in NEW, and so on), and prints what NEW\n"
    "changed: \"removed NAME (line N)\" with its line in OLD, \"added NAME (line N)\",\n"
    "\"changed NAME (line N)\" followed by one line per changed value,\n"
    "\"  property: old -> new [unit]\", both lines in NEW; then, when materials\n"
    "stand in another order, one line \"order changed: ... moved\". Values compare\n"
    "as numbers. What a reader drops is reported on standard error and not compared.\n"
    "Exit codes: 0 the same materials in the same order; 1 they differ; 2 trouble.\n";
}

int runDiff(const Invocation& invocation, Console& console) {
  const std::string& oldPath = invocation.files[0];
  const std::string& newPath = invocation.files[1];
  ReportingObserver oldReports(console.err, oldPath + ":");
  ReportingObserver newReports(console.err, newPath + ":");
  OwnedList oldList, newList;
  if (!readForCommand(oldPath, oldList, console, &oldReports) ||
      !readForCommand(newPath, newList, console, &newReports)) {
    return kExitTrouble;
  }
  MaterialDiff diff(oldReports.materials(), newReports.materials());
  writeDiff(console.out, diff);
  return diff.same() ? kExitSuccess : kExitFindings;
}
