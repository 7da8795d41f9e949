#include "ImportIntake.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>

#include "CardInheritance.h"
#include "CardReading.h"
#include "CsvTable.h"
#include "MaterialNames.h"
#include "MatmlReader.h"
#include "UnitConversion.h"
#include "ValueText.h"

namespace {

std::FILE* openSource(const ImportSource& source, std::string& failure) {
  errno = 0;
#ifdef _WIN32
  std::FILE* file = _wfopen(source.file.c_str(), L"rb");
#else
  std::FILE* file = std::fopen(source.file.c_str(), "rb");
#endif
  if (file == nullptr) failure = "cannot open " + source.path + ": " + std::strerror(errno);
  return file;
}

// Closes the file; false, with why, when reading it failed.
bool closeSource(std::FILE* file, const ImportSource& source, std::string& failure) {
  bool failed = std::ferror(file) != 0;
  int errorNumber = errno;
  std::fclose(file);
  if (failed) failure = "error while reading " + source.path + ": " + std::strerror(errorNumber);
  return !failed;
}

bool readWholeFile(const ImportSource& source, std::string& bytes, std::string& failure) {
  std::FILE* file = openSource(source, failure);
  if (file == nullptr) return false;
  char buffer[1 << 16];
  std::size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
  return closeSource(file, source, failure);
}

std::string plural(long count, const char* one, const char* many) {
  return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

// The one place where a name from UTF-8 goes into the file's code page. A
// character it lacks would be lost or changed without a word, so the
// material is refused, or with --replace-unmappable written with "?" and said.
// Reports keep quoting the name as the source writes it.
bool nameIntoCodePage(MaterialDraft& draft, const ImportIntake& intake,
                      std::vector<DraftReport>& errors, std::vector<DraftReport>& notes) {
  std::string bytes;
  std::vector<std::string> missing;
  if (intake.codePage.fromUtf8(draft.name, bytes, missing, intake.replaceUnmappable)) {
    draft.nameInFile = bytes;
    return true;
  }
  std::string listed;
  for (const std::string& character : missing) {
    std::string shown =
        listed.find(::quoted(character)) == std::string::npos ? ::quoted(character) : "";
    if (!shown.empty()) listed += (listed.empty() ? "" : ", ") + shown;
  }
  bool utf8 = true;
  for (const std::string& character : missing) {
    std::size_t at = 0;
    unsigned code = 0;
    if (!nextUtf8(character, at, code)) utf8 = false;
  }
  std::string what = "name " + ::quoted(draft.name) + ": " +
                     (utf8 ? listed + " cannot be written in " + intake.codePage.name() +
                                 ", the code page of the material file"
                           : std::string("not UTF-8, which cards, MatML and tables with a byte "
                                         "order mark are"));
  if (!intake.replaceUnmappable) {
    errors.push_back({draft.line, what + "; --replace-unmappable writes \"?\" in its place, "
                                         "--codepage names another code page"});
    return false;
  }
  notes.push_back({draft.line, "note: " + what + "; written as " +
                                   ::quoted(intake.codePage.toUtf8(bytes)) +
                                   " (--replace-unmappable)"});
  draft.nameInFile = bytes;
  return true;
}

// The material of a draft, its name first taken into the code page where it
// is UTF-8; null, with its errors, when it cannot be imported.
OwnedMaterial materialOf(MaterialDraft& draft, bool utf8Name, const ImportIntake& intake,
                         std::vector<DraftReport>& errors, std::vector<DraftReport>& notes) {
  if (utf8Name && !nameIntoCodePage(draft, intake, errors, notes)) return nullptr;
  return materialFromDraft(draft, errors, notes);
}

// Each value's unit as the source gave it, so that a hint never blames a unit
// the value was not given in; null when every value came in its stored unit.
std::unique_ptr<GivenUnits> givenUnitsOf(const MaterialDraft& draft) {
  std::unique_ptr<GivenUnits> given;
  for (int position = 0; position < kPropertyCount; ++position) {
    MaterialProperty property = propertyAt(position);
    const GivenValue& value = draft.value(property);
    std::string text = withoutOuterBlanks(value.text);
    if (!value.given || text.empty()) continue;
    double factor = value.columnFactor;
    std::string unit = value.columnUnit;
    if (!value.unitInColumn) {
      ValueText read;
      std::string error;
      if (!readValueText(text, read, error)) continue;
      unit = read.unit;
      if (!factorToStored(property, unit, factor, error)) continue;
    }
    if (factor == 1) continue;
    if (given == nullptr) given = std::make_unique<GivenUnits>();
    given->converted[position] = true;
    given->asGiven[position] = value.unitInColumn ? text + " [" + unit + "]" : text;
  }
  return given;
}

// The units matter only to how a warning reads: a material that draws none
// keeps none, as they would take more memory than the material itself.
std::unique_ptr<GivenUnits> givenUnitsForWarnings(const MaterialDraft& draft,
                                                  const Material& material) {
  if (PlausibilityCheck::valueWarningsFor(material).empty()) return nullptr;
  return givenUnitsOf(draft);
}

bool startsWithUtf8ByteOrderMark(const std::string& bytes) {
  return bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
}

// Each row becomes its material as it is read, and only the material is kept:
// the drafts of a large table would take many times its memory. What the rows
// give to report waits for the end of the table, as a table that turns out
// unreadable reports only why. A table with a byte order mark is UTF-8; one
// without is in the code page, as export writes it and a spreadsheet on
// Windows saves it.
void takeTable(std::size_t source, std::string bytes, ImportIntake& intake,
               ImportReports& reports) {
  std::size_t firstItem = intake.items.size();
  std::vector<DraftReport> rowErrors, rowNotes;
  bool utf8Names = startsWithUtf8ByteOrderMark(bytes);
  CsvTable table = readCsvTable(std::move(bytes), [&](MaterialDraft& draft) {
    long line = draft.line;
    OwnedMaterial material = materialOf(draft, utf8Names, intake, rowErrors, rowNotes);
    if (material == nullptr) ++intake.badParts[source];
    std::unique_ptr<GivenUnits> givenUnits =
        material != nullptr ? givenUnitsForWarnings(draft, *material) : nullptr;
    std::unique_ptr<MaterialDraft> kept;
    if (intake.keepDrafts) kept = std::make_unique<MaterialDraft>(std::move(draft));
    intake.items.push_back({source, false, line, std::move(kept), std::move(material), utf8Names,
                            std::move(givenUnits)});
    if (intake.progress != nullptr) intake.progress->rowRead(intake.sourceNames[source], line);
  });
  for (const DraftReport& error : table.errors) reports.error(source, error.line, error.text);
  for (const DraftReport& note : table.notes) reports.note(source, note.line, note.text);
  if (!table.readable) {
    intake.unreadableTable[source] = true;
    intake.badParts[source] = 0;
    intake.items.resize(firstItem);
    return;
  }
  intake.badParts[source] += static_cast<long>(table.errors.size());
  for (const DraftReport& error : rowErrors) reports.error(source, error.line, error.text);
  for (const DraftReport& note : rowNotes) reports.note(source, note.line, note.text);
}

// A document is read as it streams from its file, and each material is made
// as it is handed over and only the material kept: neither the document nor
// the drafts of its materials are ever whole in memory. A document that turns
// out unreadable hands over nothing and reports only why.
bool takeMatml(std::size_t source, const ImportSource& file, ImportIntake& intake,
               ImportReports& reports, std::string& failure) {
  std::FILE* stream = openSource(file, failure);
  if (stream == nullptr) return false;
  unsigned long long bytesRead = 0;
  auto chunks = [&](char* into, std::size_t capacity) {
    std::size_t count = std::fread(into, 1, capacity, stream);
    bytesRead += count;
    if (intake.progress != nullptr)
      intake.progress->bytesRead(intake.sourceNames[source], bytesRead);
    return count;
  };
  std::vector<DraftReport> errors, notes;
  MatmlDocument document = readMatml(chunks, [&](MaterialDraft& draft) {
    long line = draft.line;
    OwnedMaterial material = materialOf(draft, true, intake, errors, notes);
    if (material == nullptr) ++intake.badParts[source];
    std::unique_ptr<GivenUnits> givenUnits =
        material != nullptr ? givenUnitsForWarnings(draft, *material) : nullptr;
    std::unique_ptr<MaterialDraft> kept;
    if (intake.keepDrafts) kept = std::make_unique<MaterialDraft>(draft);
    intake.items.push_back(
        {source, true, line, std::move(kept), std::move(material), true, std::move(givenUnits)});
    if (intake.progress != nullptr) intake.progress->materialRead(intake.sourceNames[source], line);
  });
  if (!closeSource(stream, file, failure)) return false;
  if (!document.readable) {
    reports.error(source, document.problemLine,
                  "cannot be read as a MatML document: " + document.problem);
    intake.unreadableTable[source] = true;
    return true;
  }
  for (const DraftReport& note : document.notes) reports.note(source, note.line, note.text);
  for (const DraftReport& error : errors) reports.error(source, error.line, error.text);
  for (const DraftReport& note : notes) reports.note(source, note.line, note.text);
  return true;
}

// The notes of each card's item, by item, to be reported once it is known to
// come in.
using ItemNotes = std::map<std::size_t, std::vector<DraftReport>>;

// The cards of an import as they are read, and where each stands among the
// sources.
struct CardIntake {
  std::vector<KeptCard> cards;
  std::vector<std::size_t> sources;  // by card
  std::vector<std::size_t> items;    // by card: its item, or kNoItem

  static constexpr std::size_t kNoItem = static_cast<std::size_t>(-1);
};

// A card and the cards it inherits from, nearest first.
struct CardLineage {
  std::size_t card;
  std::vector<std::size_t> parents;
};

// Only what inheritance needs is kept of a card; what it has to say is said
// as it is read.
void takeCard(std::size_t source, const std::string& bytes, ImportIntake& intake,
              ImportReports& reports, CardIntake& cards) {
  MaterialCard card = readMaterialCard(intake.sourceNames[source], bytes);
  if (card.readable) {
    for (const DraftReport& note : card.notes) reports.note(source, note.line, note.text);
  } else {
    reports.error(source, card.problemLine, "cannot be read as a material card: " + card.problem);
    ++intake.badParts[source];
  }
  cards.cards.emplace_back(card);
  cards.sources.push_back(source);
}

// A card whose parent cannot be read does not come in either, not even as
// one that gives nothing: what it would inherit is unknown.
bool parentUnreadable(const CardDraft& entry, const CardIntake& cards, ImportIntake& intake,
                      ImportReports& reports) {
  if (entry.parents.empty() || cards.cards[entry.parents.back()].readable()) return false;
  const KeptCard& card = cards.cards[entry.card];
  std::size_t parent = entry.parents.front();
  reports.error(
      cards.sources[entry.card], card.parent()->line,
      parentFailureText(card, cards.cards[parent], intake.sourceNames[cards.sources[parent]]));
  ++intake.badParts[cards.sources[entry.card]];
  return true;
}

// A card's material is made as soon as its draft is: only the material is kept.
void makeCardItem(CardDraft& entry, std::size_t source, ImportIntake& intake,
                  ImportReports& reports, ItemNotes& notes) {
  ImportedItem item{source, true, entry.draft.line, nullptr, nullptr, true, nullptr};
  std::vector<DraftReport> errors, itemNotes;
  item.material = materialOf(entry.draft, true, intake, errors, itemNotes);
  if (item.material != nullptr)
    item.givenUnits = givenUnitsForWarnings(entry.draft, *item.material);
  if (intake.keepDrafts) item.draft = std::make_unique<MaterialDraft>(std::move(entry.draft));
  for (const DraftReport& error : errors) reports.error(source, error.line, error.text);
  if (item.material == nullptr) ++intake.badParts[source];
  if (!itemNotes.empty()) notes[intake.items.size()] = std::move(itemNotes);
  intake.items.push_back(std::move(item));
}

// Every card is read before any inherits, as a parent may come after its child.
std::vector<CardLineage> takeCards(CardIntake& cards, ImportIntake& intake, ImportReports& reports,
                                   ItemNotes& notes) {
  std::vector<CardLineage> lineages;
  cards.items.assign(cards.cards.size(), CardIntake::kNoItem);
  CardPath pathOf = [&](std::size_t card) { return intake.sourceNames[cards.sources[card]]; };
  forEachCardDraft(cards.cards, pathOf, [&](CardDraft& entry) {
    std::size_t source = cards.sources[entry.card];
    for (const DraftReport& note : entry.notes) reports.note(source, note.line, note.text);
    if (parentUnreadable(entry, cards, intake, reports)) return;
    if (!entry.parents.empty()) lineages.push_back({entry.card, entry.parents});
    if (!entry.draft.givesAnyValue()) {
      reports.note(source, entry.draft.line,
                   "skipped: \"" + entry.draft.name + "\" gives none of the eight properties, " +
                       "itself or through a parent (an appearance card?)");
      ++intake.skipped;
      return;
    }
    cards.items[entry.card] = intake.items.size();
    makeCardItem(entry, source, intake, reports, notes);
  });
  return lineages;
}

// A card inherits from a parent that cannot be imported (a value of its own,
// or of its parent in turn, was rejected): what it would inherit is wrong.
// Such a card's notes (values not given, a decimal comma) are dropped.
void leaveOutChildrenOfFailedParents(const std::vector<CardLineage>& lineages,
                                     const CardIntake& cards, ImportIntake& intake,
                                     ImportReports& reports, ItemNotes& notes) {
  auto failed = [&](std::size_t card) { return intake.badParts[cards.sources[card]] > 0; };
  for (const CardLineage& lineage : lineages) {
    std::size_t item = cards.items[lineage.card];
    if (item == CardIntake::kNoItem) continue;  // skipped: it gives nothing
    if (std::none_of(lineage.parents.begin(), lineage.parents.end(), failed)) continue;
    const KeptCard& card = cards.cards[lineage.card];
    std::size_t parent = lineage.parents.front();
    reports.error(
        cards.sources[lineage.card], card.parent()->line,
        parentFailureText(card, cards.cards[parent], intake.sourceNames[cards.sources[parent]]));
    ImportedItem& child = intake.items[item];
    if (child.material != nullptr) intake.fail(child);
    notes.erase(item);
  }
}

void reportNotes(const ItemNotes& notes, const ImportIntake& intake, ImportReports& reports) {
  for (const auto& [index, itemNotes] : notes) {
    for (const DraftReport& note : itemNotes) {
      reports.note(intake.items[index].source, note.line, note.text);
    }
  }
}

}  // namespace

ImportIntake::ImportIntake(const ImportSources& sources)
    : sourceNames(sources.paths()),
      unreadableTable(sources.size(), false),
      badParts(sources.size(), 0),
      warnedParts(sources.size(), 0) {
  for (std::size_t source = 0; source < sources.size(); ++source) {
    cardSource.push_back(sources.kind(source) == ImportSource::Kind::Card);
    matmlSource.push_back(sources.kind(source) == ImportSource::Kind::Matml);
  }
}

void ImportIntake::fail(ImportedItem& item) {
  item.material.reset();
  ++badParts[item.source];
}

void ImportIntake::holdBack(ImportedItem& item) {
  item.material.reset();
  ++warnedParts[item.source];
}

long ImportIntake::leftOut() const {
  long count = 0;
  for (std::size_t source = 0; source < badParts.size(); ++source) {
    count += unreadableTable[source] ? 1 : badParts[source] + warnedParts[source];
  }
  return count;
}

std::string ImportIntake::failures() const {
  std::string text;
  long badCards = 0, warnedCards = 0;
  for (std::size_t source = 0; source < badParts.size(); ++source) {
    std::string part;
    auto parts = [&](long count) {
      return matmlSource[source] ? plural(count, "material", "materials")
                                 : plural(count, "row", "rows");
    };
    if (unreadableTable[source]) {
      part = sourceNames[source] + " cannot be read as a " +
             (matmlSource[source] ? "MatML document" : "material table");
    } else if (cardSource[source]) {
      badCards += badParts[source];
    } else if (badParts[source] > 0) {
      part = parts(badParts[source]) + " of " + sourceNames[source] + " cannot be imported";
    }
    if (!part.empty()) text += (text.empty() ? "" : "; ") + part;
    if (cardSource[source]) {
      warnedCards += warnedParts[source];
    } else if (!unreadableTable[source] && warnedParts[source] > 0) {
      text += (text.empty() ? "" : "; ") + parts(warnedParts[source]) + " of " +
              sourceNames[source] + (warnedParts[source] == 1 ? " draws" : " draw") + " warnings";
    }
  }
  if (badCards > 0) {
    text += (text.empty() ? "" : "; ") + plural(badCards, "card", "cards") + " cannot be imported";
  }
  if (warnedCards > 0) {
    text += (text.empty() ? "" : "; ") + plural(warnedCards, "card", "cards") +
            (warnedCards == 1 ? " draws" : " draw") + " warnings";
  }
  if (std::any_of(warnedParts.begin(), warnedParts.end(), [](long count) { return count > 0; })) {
    text += " (--accept-warnings imports such materials as they are)";
  }
  for (const UnreadableFolder& folder : unreadableFolders) {
    text += (text.empty() ? "" : "; ") + std::string("folder ") + folder.path + " cannot be read";
  }
  return text;
}

bool takeIn(const ImportSources& sources, ImportIntake& intake, ImportReports& reports,
            Console& console) {
  CardIntake cards;
  std::size_t cardCount = 0;
  for (std::size_t source = 0; source < sources.size(); ++source) {
    if (sources.kind(source) == ImportSource::Kind::Card) ++cardCount;
  }
  cards.cards.reserve(cardCount);  // a library of cards, read without copying it as it grows
  cards.sources.reserve(cardCount);
  for (std::size_t source = 0; source < sources.size(); ++source) {
    std::string bytes, failure;
    bool matml = sources.kind(source) == ImportSource::Kind::Matml;
    bool read = matml ? takeMatml(source, sources[source], intake, reports, failure)
                      : readWholeFile(sources[source], bytes, failure);
    if (!read) {
      console.err << "matfile: " << failure << '\n';
      return false;
    }
    if (matml) continue;
    if (sources.kind(source) == ImportSource::Kind::Table) {
      takeTable(source, std::move(bytes), intake, reports);
    } else {
      takeCard(source, bytes, intake, reports, cards);
      if (intake.progress != nullptr) intake.progress->cardRead(cards.cards.size(), cardCount);
    }
  }
  ItemNotes cardNotes;
  std::vector<CardLineage> lineages = takeCards(cards, intake, reports, cardNotes);
  leaveOutChildrenOfFailedParents(lineages, cards, intake, reports, cardNotes);
  reportNotes(cardNotes, intake, reports);
  auto bySource = [](const ImportedItem& a, const ImportedItem& b) { return a.source < b.source; };
  if (!std::is_sorted(intake.items.begin(), intake.items.end(), bySource)) {
    std::stable_sort(intake.items.begin(), intake.items.end(), bySource);
  }
  return true;
}
