#include <algorithm>
#include <cerrno>
#include <map>
#include <memory>
#include <ostream>
#include <string_view>
#include <unordered_map>

#include "CodePageOption.h"
#include "Commands.h"
#include "FileReading.h"
#include "ImportIntake.h"
#include "MaterialNames.h"
#include "NumberString.h"
#include "PlausibilityRules.h"
#include "ReportingObserver.h"
#include "ResultOutput.h"
#include "TextBytes.h"
#include "UnitConversion.h"
#include "ValueText.h"
#include "XmlReader.h"
#include "YamlCardReader.h"

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

// Names that a reader of the list takes for one: letter case and blanks do
// not tell them apart at a glance.
std::string lookalikeKey(const std::string& name) {
  std::string key;
  for (char c : name) {
    if (c != ' ' && c != '\t') key += lowerAscii(c);
  }
  return key;
}

// "row 3" in the same table, "cards/steel.FCMat:4" anywhere else.
// A report quotes a name as the item's source writes it (a card, a MatML
// document or a table with a byte order mark in UTF-8, any other table in the
// file's code page), names of the file it goes into included, so that every
// line about one source reads in one encoding.
std::string shownName(const ImportedItem& item, const std::string& nameInFile,
                      const ImportIntake& intake) {
  return ::quoted(item.utf8Name ? intake.codePage.toUtf8(nameInFile) : nameInFile);
}

std::string placeOf(const ImportedItem* item, const ImportedItem& from, const ImportIntake& intake) {
  if (!item->isCard && item->source == from.source) return "row " + std::to_string(item->line);
  return intake.sourceNames[item->source] + ":" + std::to_string(item->line);
}

// What check would say of the file with the item in it, and what a reader of
// the list would take for a material entered twice.
class ItemWarnings {
 public:
  ItemWarnings(ImportIntake& intake, const Target& target, const std::string& targetPath,
               bool accept, ImportReports& reports)
      : intake_(intake), targetPath_(targetPath), accept_(accept), reports_(reports) {
    for (const auto& [name, entries] : target.byName) {
      fileNames_.try_emplace(lookalikeKey(name), FileName{name, entries.front().nameLine});
    }
  }

  // False when the item draws warnings and is held back for them.
  bool pass(ImportedItem& item) {
    const Material& material = *item.material;
    std::string name = writtenName(material);
    std::vector<std::string> warnings = PlausibilityCheck::valueWarningsFor(
        material, item.givenUnits != nullptr ? *item.givenUnits : GivenUnits{},
        shownName(item, name, intake_));
    std::string key = lookalikeKey(name);
    auto inFile = fileNames_.find(key);
    if (inFile != fileNames_.end() && inFile->second.name != name) {
      warnings.push_back(shownName(item, name, intake_) +
                         ": differs only in letter case or blanks from " +
                         shownName(item, inFile->second.name, intake_) + ", line " +
                         std::to_string(inFile->second.line) + " of " + targetPath_ +
                         "; likely the same material entered twice");
    }
    auto [earlier, isNew] = imported_.try_emplace(key, &item);
    if (!isNew) {
      std::string earlierName = writtenName(*earlier->second->material);
      std::string clash = earlierName == name ? "same name as "
                                              : "differs only in letter case or blanks from " +
                                                    shownName(item, earlierName, intake_) + ", ";
      warnings.push_back(shownName(item, name, intake_) + ": " + clash +
                         placeOf(earlier->second, item, intake_) +
                         "; the list dialog would show two rows that cannot be told apart");
    }
    for (const std::string& warning : warnings) {
      if (accept_) {
        reports_.note(item.source, item.line, "warning: " + warning);
      } else {
        reports_.error(item.source, item.line, "warning: " + warning);
      }
    }
    if (warnings.empty() || accept_) return true;
    held_.push_back(&item);
    return false;
  }

  // Held back only once every item is seen: a later repeat names the earlier
  // item, whose record must still be there.
  void holdBack() {
    for (ImportedItem* item : held_) intake_.holdBack(*item);
  }

 private:
  struct FileName {
    std::string name;
    long line;
  };
  ImportIntake& intake_;
  const std::string& targetPath_;
  bool accept_;
  ImportReports& reports_;
  std::map<std::string, FileName> fileNames_;      // by lookalikeKey
  std::map<std::string, ImportedItem*> imported_;  // by lookalikeKey, the first
  std::vector<ImportedItem*> held_;
};

// An item whose name the file already holds is skipped, or with --replace
// takes that material's place. A replacement must be unambiguous: a name the
// file holds twice, or two items for the same material, is an error. What
// check would warn about in an item that goes in, and a name that repeats one
// of the import or looks like one of the file, holds the item back unless the
// warnings are accepted.
Plan planImport(ImportIntake& intake, Target& target, const std::string& targetPath, bool replace,
                bool acceptWarnings, ImportReports& reports) {
  Plan plan;
  plan.skipped = intake.skipped;
  ItemWarnings warnings(intake, target, targetPath, acceptWarnings, reports);
  // Keyed by the records' own names, which live as long as the plan.
  std::unordered_map<std::string_view, ImportedItem*> replacedBy;
  for (ImportedItem& item : intake.items) {
    if (item.material == nullptr) continue;
    const Material& material = *item.material;
    std::string_view name = material.name != nullptr ? material.name : kAbsentNameText;
    auto existing = target.byName.find(name);
    if (existing == target.byName.end()) {
      if (warnings.pass(item)) plan.appends.push_back(&item);
      continue;
    }
    const std::vector<Target::Entry>& entries = existing->second;
    if (!replace) {
      reports.note(item.source, item.line,
                   "skipped: " + shownName(item, writtenName(material), intake) +
                       " is already in " + targetPath + " (line " +
                       std::to_string(entries.front().nameLine) + "); --replace replaces it");
      ++plan.skipped;
    } else if (entries.size() > 1) {
      reports.error(item.source, item.line,
                    shownName(item, writtenName(material), intake) + " stands more than once in " +
                        targetPath + " (lines " + lineList(entries) +
                        "), so --replace cannot tell which material to replace");
      intake.fail(item);
    } else if (auto [first, isNew] = replacedBy.try_emplace(name, &item); !isNew) {
      reports.error(item.source, item.line,
                    shownName(item, writtenName(material), intake) + ": " +
                        placeOf(first->second, item, intake) + " replaces the material on line " +
                        std::to_string(entries.front().nameLine) + " already");
      intake.fail(item);
    } else if (warnings.pass(item)) {
      plan.replacements.push_back({entries.front().node, &item});
    }
  }
  warnings.holdBack();
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
      << shownName(item, writtenName(*item.material), intake) << ' ' << what << '\n';
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
    what[item] =
        (dryRun ? "to replace line " : "replaces line ") + std::to_string(lineOfNode[node]);
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

void writeNotes(std::ostream& err, const ImportIntake& intake, const SourceFolders& folders,
                bool skipInvalid) {
  for (const std::string& folder : folders.empty) {
    err << "matfile: note: " << folder << " holds no material card (*.FCMat)\n";
  }
  if (skipInvalid) writeUnreadableFolders(err, intake, true);
}

std::string encodingDetails() {
  return "  --codepage CP   the code page of FILE's names (1252, 1250, 28591; default 1252,\n"
         "                  on Windows the system's); names from cards, MatML and UTF-8\n"
         "                  tables are converted into it\n"
         "  --replace-unmappable  write \"?\" for a letter the code page lacks (else the\n"
         "                  material is refused)\n";
}

}  // namespace

std::string importDetails() {
  std::string text =
      "  SOURCE is a CSV table with a header row (units in the headers: \"density [kg/m^3]\"),\n"
      "  a material card (.FCMat), a MatML document (.xml, .matml), or a folder of cards\n"
      "  read recursively in path order.\n"
      "  --dry-run, -n   report everything, write nothing; exits as the import would\n"
      "  --replace       a material FILE already has is replaced in its place (else skipped)\n"
      "  --skip-invalid  leave out every bad row or card, import the rest (exit code 1\n"
      "                  when something was left out)\n"
      "  --verbose, -v   list each value as given beside the value stored\n"
      "  --accept-warnings  import materials that check would warn about, and names\n"
      "                  that repeat or differ from another only in letter case or\n"
      "                  blanks (else such a material stops the import, or with\n"
      "                  --skip-invalid is left out)\n"
      "  A table may be separated by commas, semicolons (numbers with decimal commas)\n"
      "  or tabs. matfile columns lists the headers a table may use and the units\n"
      "  each takes; matfile units lists every unit.\n" +
      encodingDetails();
  if (!kReadsYamlCards) {
    text +=
        "  This build reads no YAML cards (it has no YAML library): only cards in the\n"
        "  INI form ([FCMat] sections). The native build reads both forms.\n";
  }
  if (!kReadsXml) {
    text += "  This build reads no MatML (it has no XML library); the native build does.\n";
  }
  return text;
}

int runImport(const Invocation& invocation, Console& console) {
  const std::string& targetPath = invocation.option("--into", "");
  bool dryRun = invocation.has("--dry-run");
  if (!checkOutputFormat(targetPath, "mat", "import --into", console)) return kExitTrouble;
  if (!checkSaveTarget(targetPath, console)) return kExitTrouble;
  bool skipInvalid = invocation.has("--skip-invalid");
  SourceFolders folders;
  ImportSources sources = importSources(invocation.files, folders);
  ImportIntake intake(sources);
  if (!codePageOption(invocation, console, intake.codePage)) return kExitTrouble;
  intake.replaceUnmappable = invocation.has("--replace-unmappable");
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
  Plan plan = planImport(intake, target, targetPath, invocation.has("--replace"),
                         invocation.has("--accept-warnings"), reports);
  reports.writeTo(console.err);
  writeNotes(console.err, intake, folders, skipInvalid);
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
