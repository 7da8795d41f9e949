#include <algorithm>
#include <cerrno>
#include <map>
#include <memory>
#include <ostream>
#include <string_view>
#include <unordered_map>

#include "Commands.h"
#include "FileReading.h"
#include "ImportIntake.h"
#include "MaterialNames.h"
#include "NumberString.h"
#include "PlausibilityRules.h"
#include "ReportingObserver.h"

namespace {

// The file to import into, and where each of its names stands. A missing
// file is a new one without materials.
struct Target {
  OwnedList list;
  struct Entry {
    long nameLine;
    MaterialNode* node;
  };
  std::map<std::string, std::vector<Entry>, std::less<>> byName;  // by the name as written
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

// What the import does with each row or card that made a valid material.
struct Plan {
  std::vector<ImportedItem*> appends;
  std::vector<std::pair<MaterialNode*, ImportedItem*>> replacements;
  long skipped = 0;
};

// What check would warn about in a material that goes into the file.
void warnAboutValues(const ImportedItem& item, ImportReports& reports) {
  for (const std::string& warning : PlausibilityCheck::valueWarningsFor(*item.material)) {
    reports.note(item.source, item.line, "warning: " + warning);
  }
}

// "row 3" in the same table, "cards/steel.FCMat:4" anywhere else.
std::string placeOf(const ImportedItem* item, const ImportedItem& from, const ImportIntake& intake) {
  if (!item->isCard && item->source == from.source) return "row " + std::to_string(item->line);
  return intake.sourceNames[item->source] + ":" + std::to_string(item->line);
}

// An item whose name the file already holds is skipped, or with --replace
// takes that material's place. A replacement must be unambiguous: a name the
// file holds twice, or two items for the same material, is an error. Items
// that share a new name are all appended, as the file may hold such names
// already (export and import keep them), with a warning.
Plan planImport(ImportIntake& intake, Target& target, const std::string& targetPath, bool replace,
                ImportReports& reports) {
  Plan plan;
  plan.skipped = intake.skipped;
  // Keyed by the records' own names, which live as long as the plan.
  std::unordered_map<std::string_view, ImportedItem*> appendedBy, replacedBy;
  appendedBy.reserve(intake.items.size());
  for (ImportedItem& item : intake.items) {
    if (item.material == nullptr) continue;
    const Material& material = *item.material;
    std::string_view name = material.name != nullptr ? material.name : kAbsentNameText;
    auto existing = target.byName.find(name);
    if (existing == target.byName.end()) {
      warnAboutValues(item, reports);
      auto [first, isNew] = appendedBy.try_emplace(name, &item);
      if (!isNew) {
        reports.note(item.source, item.line,
                     "warning: " + quotedName(material) + ": same name as " +
                         placeOf(first->second, item, intake) +
                         "; both are appended, and the list dialog shows two rows that "
                         "cannot be told apart");
      }
      plan.appends.push_back(&item);
      continue;
    }
    const std::vector<Target::Entry>& entries = existing->second;
    if (!replace) {
      reports.note(item.source, item.line,
                   "skipped: " + quotedName(material) + " is already in " + targetPath +
                       " (line " + std::to_string(entries.front().nameLine) +
                       "); --replace replaces it");
      ++plan.skipped;
    } else if (entries.size() > 1) {
      reports.error(item.source, item.line,
                    quotedName(material) + " stands more than once in " + targetPath +
                        " (lines " + lineList(entries) +
                        "), so --replace cannot tell which material to replace");
      intake.fail(item);
    } else if (auto [first, isNew] = replacedBy.try_emplace(name, &item); !isNew) {
      reports.error(item.source, item.line,
                    quotedName(material) + ": " + placeOf(first->second, item, intake) +
                        " replaces the material on line " +
                        std::to_string(entries.front().nameLine) + " already");
      intake.fail(item);
    } else {
      warnAboutValues(item, reports);
      plan.replacements.push_back({entries.front().node, &item});
    }
  }
  return plan;
}

// Replacements keep their place; the appended materials follow the last one.
bool apply(Plan& plan, Target& target) {
  for (auto& [node, item] : plan.replacements) node->setMaterial(item->material.release());
  MaterialNode* last = target.list.get();
  while (last != nullptr && last->nextNode != nullptr) last = last->nextNode;
  for (ImportedItem* row : plan.appends) {
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

// `leftOut` is counted only with --skip-invalid (-1 without).
std::string counts(const Plan& plan, bool dryRun, long leftOut) {
  std::string appended = std::to_string(plan.appends.size());
  std::string replaced = std::to_string(plan.replacements.size());
  std::string skipped = std::to_string(plan.skipped);
  std::string left = std::to_string(leftOut);
  if (dryRun) {
    return appended + " to append, " + replaced + " to replace, " + skipped + " to skip" +
           (leftOut < 0 ? "" : ", " + left + " to leave out");
  }
  return appended + " appended, " + replaced + " replaced, " + skipped + " skipped" +
         (leftOut < 0 ? "" : ", " + left + " left out");
}

// "7850 [kg/m^3]" from a table, "7850 kg/m^3 (from "Steel", steel.FCMat:9)"
// from a card's parent, "not given".
std::string givenText(const GivenValue& value) {
  std::string text = withoutOuterBlanks(value.text);
  if (!value.given || text.empty()) return "not given";
  if (value.unitInColumn && !value.columnUnit.empty()) text += " [" + value.columnUnit + "]";
  if (!value.inheritedFrom.empty()) text += " (from " + value.inheritedFrom + ")";
  return text;
}

// --verbose: each value as given beside the value stored.
void writeValues(std::ostream& out, const ImportIntake& intake, const ImportedItem& item,
                 const std::string& what) {
  out << intake.sourceNames[item.source] << ':' << item.line << ": "
      << quotedName(*item.material) << ' ' << what << '\n';
  for (int position = 0; position < kPropertyCount; ++position) {
    MaterialProperty property = propertyAt(position);
    out << "    " << propertyName(property) << ": " << givenText(item.draft->value(property))
        << " -> " << withUnit(numberString(propertyValue(*item.material, property)), property)
        << '\n';
  }
}

void writeReport(std::ostream& out, const ImportIntake& intake, const Plan& plan,
                 const Target& target, bool dryRun) {
  std::map<const ImportedItem*, std::string> what;
  for (const ImportedItem* item : plan.appends) what[item] = dryRun ? "to append" : "appended";
  std::map<const MaterialNode*, long> lineOfNode;
  for (const auto& [name, entries] : target.byName) {
    for (const Target::Entry& entry : entries) lineOfNode[entry.node] = entry.nameLine;
  }
  for (const auto& [node, item] : plan.replacements) {
    what[item] = (dryRun ? "to replace line " : "replaces line ") + std::to_string(lineOfNode[node]);
  }
  for (const ImportedItem& item : intake.items) {
    auto found = what.find(&item);
    if (found != what.end()) writeValues(out, intake, item, found->second);
  }
}

// An error that stops the import, or with --skip-invalid a note.
void writeUnreadableFolders(std::ostream& err, const ImportIntake& intake, bool skipInvalid) {
  for (const UnreadableFolder& folder : intake.unreadableFolders) {
    err << "matfile: " << (skipInvalid ? "note: " : "") << "cannot read folder " << folder.path
        << ": " << folder.why << (skipInvalid ? "; the cards in it are left out" : "") << '\n';
  }
}

void writeNotes(std::ostream& err, const ImportIntake& intake, const std::vector<ImportSource>& sources,
                const SourceFolders& folders, bool skipInvalid) {
  for (const std::string& folder : folders.empty) {
    err << "matfile: note: " << folder << " holds no material card (*.FCMat)\n";
  }
  if (skipInvalid) writeUnreadableFolders(err, intake, true);
  for (std::size_t source = 0; source < sources.size(); ++source) {
    if (!intake.utf8TableNames[source]) continue;
    err << "matfile: note: " << sources[source].path << " is UTF-8 (it starts with a byte order "
        << "mark); names are taken byte for byte, so the editor shows a letter beyond ASCII as "
        << "two or more characters\n";
  }
  if (intake.utf8CardNames) {
    err << "matfile: note: material cards are UTF-8 and names are taken byte for byte, so the "
        << "editor shows a letter beyond ASCII as two or more characters\n";
  }
}

}  // namespace

int runImport(const Invocation& invocation, Console& console) {
  const std::string& targetPath = invocation.option("--into", "");
  bool dryRun = invocation.has("--dry-run");
  if (!checkSaveTarget(targetPath, console)) return kExitTrouble;
  bool skipInvalid = invocation.has("--skip-invalid");
  SourceFolders folders;
  std::vector<ImportSource> sources = importSources(invocation.files, folders);
  ImportIntake intake(sources);
  intake.unreadableFolders = folders.unreadable;
  ImportReports reports(intake.sourceNames);
  intake.keepDrafts = invocation.has("--verbose");
  std::unique_ptr<ImportProgress> progress;
  if (console.errIsTerminal) progress = std::make_unique<ImportProgress>(console.err);
  intake.progress = progress.get();
  bool taken = takeIn(sources, intake, reports, console);
  if (progress) progress->finish();
  if (!taken) return kExitTrouble;
  bool unreadableTable = std::any_of(intake.unreadableTable.begin(), intake.unreadableTable.end(),
                                     [](bool unreadable) { return unreadable; });
  if (!skipInvalid) writeUnreadableFolders(console.err, intake, false);
  if (unreadableTable && !skipInvalid) {
    reports.writeTo(console.err);
    console.err << "matfile: " << targetPath << " not changed: " << intake.failures() << '\n';
    return kExitFindings;
  }
  ReportingObserver targetReports(console.err, targetPath + ":");
  Target target;
  if (!readTarget(targetPath, target, targetReports, console)) return kExitTrouble;
  Plan plan = planImport(intake, target, targetPath, invocation.has("--replace"), reports);
  reports.writeTo(console.err);
  writeNotes(console.err, intake, sources, folders, skipInvalid);
  long leftOut = intake.leftOut();
  if (intake.lacksSomething() && !skipInvalid) {
    console.err << "matfile: " << targetPath << " not changed: " << intake.failures() << '\n';
    return kExitFindings;
  }
  if (targetReports.count() > 0) {
    console.err << "matfile: " << targetPath << " not changed: saving it would lose what is "
                << "reported above (see matfile check)\n";
    return kExitFindings;
  }
  if (invocation.has("--verbose")) writeReport(console.out, intake, plan, target, dryRun);
  long shownLeftOut = skipInvalid ? leftOut : -1;
  int done = intake.lacksSomething() ? kExitFindings : kExitSuccess;
  if (dryRun) {
    console.out << targetPath << ": " << counts(plan, true, shownLeftOut) << "; dry run, nothing written\n";
    return done;
  }
  if (plan.appends.empty() && plan.replacements.empty()) {
    console.out << targetPath << ": " << counts(plan, false, shownLeftOut) << "; nothing written\n";
    return done;
  }
  if (!apply(plan, target)) {
    console.err << "matfile: out of memory; " << targetPath << " not changed\n";
    return kExitTrouble;
  }
  if (progress) progress->saving(targetPath);
  bool saved = saveMaterialFile(target.list.get(), targetPath.c_str()) != 0;
  if (progress) progress->finish();
  if (!saved) {
    console.err << "matfile: cannot write " << targetPath << " (it is left as it was)\n";
    return kExitTrouble;
  }
  console.out << targetPath << ": " << counts(plan, false, shownLeftOut) << '\n';
  if (intake.lacksSomething()) {
    console.err << "matfile: " << targetPath << " written without what is reported above: "
                << intake.failures() << '\n';
  }
  return done;
}
