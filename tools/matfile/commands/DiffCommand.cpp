#include <algorithm>
#include <utility>

#include "Commands.h"
#include "FileReading.h"
#include "MaterialDiff.h"
#include "MaterialNames.h"
#include "NumberString.h"

namespace {

constexpr std::size_t kMovedNamed = 5;  // more moved materials are counted, not named

constexpr int kFileDigits = 6;    // significant digits the file writes
constexpr int kDistinctDigits = 17;  // enough to tell any two doubles apart

// The two values as the file writes them, or, where a hand-edited file holds
// digits beyond those six and only they differ, with as many digits as tell
// them apart: never "7.85 -> 7.85".
std::pair<std::string, std::string> distinctTexts(double before, double after) {
  std::pair<std::string, std::string> texts;
  for (int digits = kFileDigits; digits <= kDistinctDigits; ++digits) {
    texts = {numberString(before, digits), numberString(after, digits)};
    if (texts.first != texts.second) break;
  }
  return texts;
}

std::string lineOf(const MaterialDiff::MaterialAt& at) {
  return " (line " + std::to_string(at.nameLine) + ")";
}

// "  yield strength: 235 -> 245 [MPa]"
void writeValueChange(std::ostream& out, const MaterialDiff::ValueChange& change) {
  auto [before, after] = distinctTexts(change.before, change.after);
  out << "  " << propertyName(change.property) << ": " << before << " -> "
      << withUnit(after, change.property) << '\n';
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
  if (!readForComparison(oldPath, oldList, console, &oldReports) ||
      !readForComparison(newPath, newList, console, &newReports)) {
    return kExitTrouble;
  }
  MaterialDiff diff(oldReports.materials(), newReports.materials());
  writeDiff(console.out, diff);
  return diff.same() ? kExitSuccess : kExitFindings;
}
