#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <ostream>

#include "Commands.h"
#include "CsvColumns.h"
#include "CsvReader.h"
#include "FileReading.h"
#include "MaterialNames.h"
#include "MaterialRow.h"
#include "PlausibilityRules.h"
#include "ReportingObserver.h"

namespace {

// What import has to say about the rows of the table: the errors, which stop
// the import, before the notes (skipped rows, warnings), each group in row
// order.
class RowReports {
 public:
  explicit RowReports(std::string prefix) : prefix_(std::move(prefix)) {}

  void error(long row, const std::string& text) {
    errors_.push_back({row, text});
    if (badRows_.empty() || badRows_.back() != row) badRows_.push_back(row);
  }
  void note(long row, const std::string& text) { notes_.push_back({row, text}); }

  bool hasErrors() const { return !errors_.empty(); }
  std::size_t badRowCount() const { return badRows_.size(); }

  void writeTo(std::ostream& out) {
    writeGroup(out, errors_);
    writeGroup(out, notes_);
  }

 private:
  struct Report {
    long row;
    std::string text;
  };

  void writeGroup(std::ostream& out, std::vector<Report>& reports) {
    std::stable_sort(reports.begin(), reports.end(),
                     [](const Report& a, const Report& b) { return a.row < b.row; });
    for (const Report& report : reports) out << prefix_ << report.row << ": " << report.text << '\n';
  }

  std::string prefix_;
  std::vector<Report> errors_;
  std::vector<Report> notes_;
  std::vector<long> badRows_;
};

struct ImportedRow {
  long row;
  OwnedMaterial material;
};

bool readWholeFile(const std::string& path, std::string& bytes, std::string& failure) {
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    failure = "cannot open " + path + ": " + std::strerror(errno);
    return false;
  }
  char buffer[1 << 16];
  std::size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
  bool failed = std::ferror(file) != 0;
  int errorNumber = errno;
  std::fclose(file);
  if (failed) failure = "error while reading " + path + ": " + std::strerror(errorNumber);
  return !failed;
}

bool isBlankRow(const std::vector<std::string>& fields) {
  return std::all_of(fields.begin(), fields.end(),
                     [](const std::string& field) { return field.empty(); });
}

bool hasHighBytes(const Material& material) {
  for (const char* c = material.name; c != nullptr && *c != '\0'; ++c) {
    if (static_cast<unsigned char>(*c) >= 0x80) return true;
  }
  return false;
}

// Takes every row of the table that makes a valid material; reports the rest.
// False when the table as a whole cannot be read: no header, a bad header, or
// a field that breaks the CSV format.
bool readTable(CsvReader& csv, std::vector<ImportedRow>& rows, RowReports& reports) {
  switch (csv.next()) {
    case CsvReader::Result::End:
      reports.error(1, "the file is empty: a header row naming the columns must come first");
      return false;
    case CsvReader::Result::Malformed:
      reports.error(csv.row(), csv.error());
      return false;
    case CsvReader::Result::Record:
      break;
  }
  std::size_t fieldCount = csv.fields().size();
  CsvColumns columns;
  std::vector<std::string> problems;
  if (!columns.locate(csv.fields(), problems)) {
    for (const std::string& problem : problems) reports.error(csv.row(), problem);
    return false;
  }
  for (;;) {
    switch (csv.next()) {
      case CsvReader::Result::End:
        return true;
      case CsvReader::Result::Malformed:
        reports.error(csv.row(), csv.error());
        return false;
      case CsvReader::Result::Record:
        break;
    }
    // A spreadsheet writes an empty row between blocks of rows as a row of
    // empty fields; it holds no material.
    if (isBlankRow(csv.fields())) continue;
    if (csv.fields().size() != fieldCount) {
      reports.error(csv.row(), std::to_string(csv.fields().size()) + " fields, but the header has " +
                                   std::to_string(fieldCount));
      continue;
    }
    problems.clear();
    OwnedMaterial material = materialFromRow(csv.fields(), columns, problems);
    for (const std::string& problem : problems) reports.error(csv.row(), problem);
    if (material != nullptr) rows.push_back({csv.row(), std::move(material)});
  }
}

// The file to import into, and where each of its names stands. A missing
// file is a new one without materials.
struct Target {
  OwnedList list;
  struct Entry {
    long nameLine;
    MaterialNode* node;
  };
  std::map<std::string, std::vector<Entry>> byName;  // by the name as written
};

bool readTarget(const std::string& path, Target& target, ReportingObserver& observer,
                Console& console) {
  MaterialList head = nullptr;
  errno = 0;
  MaterialFileStatus status = readMaterialFile(path.c_str(), head, &observer);
  int errorNumber = errno;
  target.list.reset(head);
  bool missing = status == MaterialFileStatus::CannotOpen && errorNumber == ENOENT;
  if (status != MaterialFileStatus::Read && !missing) {
    console.err << "matfile: " << readFailureText(path, status, errorNumber) << "\n";
    return false;
  }
  std::map<const Material*, MaterialNode*> nodes;
  for (MaterialNode* node = head; node != nullptr; node = node->nextNode) {
    nodes[node->material] = node;
  }
  for (const ReportingObserver::MaterialAt& entry : observer.materials()) {
    target.byName[writtenName(*entry.material)].push_back({entry.nameLine, nodes[entry.material]});
  }
  return true;
}

std::string lineList(const std::vector<Target::Entry>& entries) {
  std::string text;
  for (const Target::Entry& entry : entries) {
    text += (text.empty() ? "" : ", ") + std::to_string(entry.nameLine);
  }
  return text;
}

// What the import does with each row that made a valid material.
struct Plan {
  std::vector<ImportedRow*> appends;
  std::vector<std::pair<MaterialNode*, ImportedRow*>> replacements;
  long skipped = 0;
};

// What check would warn about in a material that goes into the file.
void warnAboutValues(const ImportedRow& row, RowReports& reports) {
  for (const std::string& warning : PlausibilityCheck::valueWarningsFor(*row.material)) {
    reports.note(row.row, "warning: " + warning);
  }
}

// A row whose name the file already holds is skipped, or with --replace takes
// that material's place. A replacement must be unambiguous: a name the file
// holds twice, or two rows for the same material, is an error. Rows that share
// a new name are all appended, as the file may hold such names already
// (export and import keep them), with a warning.
Plan planImport(std::vector<ImportedRow>& rows, Target& target, const std::string& targetPath,
                bool replace, RowReports& reports) {
  Plan plan;
  std::map<std::string, long> appendedBy, replacedBy;
  for (ImportedRow& row : rows) {
    const Material& material = *row.material;
    std::string name = writtenName(material);
    auto existing = target.byName.find(name);
    if (existing == target.byName.end()) {
      warnAboutValues(row, reports);
      auto [first, isNew] = appendedBy.try_emplace(name, row.row);
      if (!isNew) {
        reports.note(row.row, "warning: " + quotedName(material) + ": same name as row " +
                                  std::to_string(first->second) +
                                  "; both are appended, and the list dialog shows two rows that "
                                  "cannot be told apart");
      }
      plan.appends.push_back(&row);
      continue;
    }
    const std::vector<Target::Entry>& entries = existing->second;
    if (!replace) {
      reports.note(row.row, "skipped: " + quotedName(material) + " is already in " + targetPath +
                                " (line " + std::to_string(entries.front().nameLine) +
                                "); --replace replaces it");
      ++plan.skipped;
    } else if (entries.size() > 1) {
      reports.error(row.row, quotedName(material) + " stands more than once in " + targetPath +
                                 " (lines " + lineList(entries) +
                                 "), so --replace cannot tell which material to replace");
    } else if (auto [first, isNew] = replacedBy.try_emplace(name, row.row); !isNew) {
      reports.error(row.row, quotedName(material) + ": row " + std::to_string(first->second) +
                                 " replaces the material on line " +
                                 std::to_string(entries.front().nameLine) + " already");
    } else {
      warnAboutValues(row, reports);
      plan.replacements.push_back({entries.front().node, &row});
    }
  }
  return plan;
}

// Replacements keep their place; the appended materials follow the last one.
bool apply(Plan& plan, Target& target) {
  for (auto& [node, row] : plan.replacements) node->setMaterial(row->material.release());
  MaterialNode* last = target.list.get();
  while (last != nullptr && last->nextNode != nullptr) last = last->nextNode;
  for (ImportedRow* row : plan.appends) {
    if (last == nullptr) {
      target.list.reset(createNode());
      if (target.list == nullptr) return false;
      last = target.list.get();
      last->setMaterial(row->material.release());
      continue;
    }
    MaterialNode* node = appendAfter(last, row->material.get());
    if (node == nullptr) return false;
    row->material.release();
    last = node;
  }
  return true;
}

std::string counts(const Plan& plan, bool dryRun) {
  std::string appended = std::to_string(plan.appends.size());
  std::string replaced = std::to_string(plan.replacements.size());
  std::string skipped = std::to_string(plan.skipped);
  if (dryRun) return appended + " to append, " + replaced + " to replace, " + skipped + " to skip";
  return appended + " appended, " + replaced + " replaced, " + skipped + " skipped";
}

}  // namespace

int runImport(const Invocation& invocation, Console& console) {
  const std::string& tablePath = invocation.files[0];
  const std::string& targetPath = invocation.option("--into", "");
  bool dryRun = invocation.has("--dry-run");
  if (!checkSaveTarget(targetPath, console)) return kExitTrouble;
  std::string bytes, failure;
  if (!readWholeFile(tablePath, bytes, failure)) {
    console.err << "matfile: " << failure << '\n';
    return kExitTrouble;
  }
  CsvReader csv(std::move(bytes));
  RowReports reports(tablePath + ":");
  std::vector<ImportedRow> rows;
  if (!readTable(csv, rows, reports)) {
    reports.writeTo(console.err);
    console.err << "matfile: " << targetPath << " not changed: " << tablePath
                << " cannot be read as a material table\n";
    return kExitFindings;
  }
  ReportingObserver targetReports(console.err, targetPath + ":");
  Target target;
  if (!readTarget(targetPath, target, targetReports, console)) return kExitTrouble;
  Plan plan = planImport(rows, target, targetPath, invocation.has("--replace"), reports);
  reports.writeTo(console.err);
  if (csv.hadByteOrderMark() &&
      std::any_of(rows.begin(), rows.end(), [](const ImportedRow& row) {
        return row.material != nullptr && hasHighBytes(*row.material);
      })) {
    console.err << "matfile: note: " << tablePath << " is UTF-8 (it starts with a byte order "
                << "mark); names are taken byte for byte, so the editor shows a letter beyond "
                << "ASCII as two or more characters\n";
  }
  if (reports.hasErrors()) {
    console.err << "matfile: " << targetPath << " not changed: " << reports.badRowCount()
                << (reports.badRowCount() == 1 ? " row" : " rows") << " of " << tablePath
                << " cannot be imported\n";
    return kExitFindings;
  }
  if (targetReports.count() > 0) {
    console.err << "matfile: " << targetPath << " not changed: saving it would lose what is "
                << "reported above (see matfile check)\n";
    return kExitFindings;
  }
  if (dryRun) {
    console.out << targetPath << ": " << counts(plan, true) << "; dry run, nothing written\n";
    return kExitSuccess;
  }
  if (plan.appends.empty() && plan.replacements.empty()) {
    console.out << targetPath << ": " << counts(plan, false) << "; nothing written\n";
    return kExitSuccess;
  }
  if (!apply(plan, target)) {
    console.err << "matfile: out of memory; " << targetPath << " not changed\n";
    return kExitTrouble;
  }
  if (!saveMaterialFile(target.list.get(), targetPath.c_str())) {
    console.err << "matfile: cannot write " << targetPath << " (it is left as it was)\n";
    return kExitTrouble;
  }
  console.out << targetPath << ": " << counts(plan, false) << '\n';
  return kExitSuccess;
}
