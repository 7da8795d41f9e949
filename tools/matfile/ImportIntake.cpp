#include "ImportIntake.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>

#include "CardInheritance.h"
#include "CsvTable.h"
#include "MaterialCard.h"

namespace {

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

bool hasHighBytes(const std::string& name) {
  return std::any_of(name.begin(), name.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

std::string plural(long count, const char* one, const char* many) {
  return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

// Each row becomes its material as it is read, and only the material is kept:
// the drafts of a large table would take many times its memory. What the rows
// give to report waits for the end of the table, as a table that turns out
// unreadable reports only why.
void takeTable(std::size_t source, std::string bytes, ImportIntake& intake, ImportReports& reports) {
  std::size_t firstItem = intake.items.size();
  std::vector<DraftReport> rowErrors, rowNotes;
  bool highBytes = false;
  CsvTable table = readCsvTable(std::move(bytes), [&](MaterialDraft& draft) {
    long line = draft.line;
    highBytes = highBytes || hasHighBytes(draft.name);
    OwnedMaterial material = materialFromDraft(draft, rowErrors, rowNotes);
    if (material == nullptr) ++intake.badParts[source];
    std::unique_ptr<MaterialDraft> kept;
    if (intake.keepDrafts) kept = std::make_unique<MaterialDraft>(std::move(draft));
    intake.items.push_back({source, false, line, std::move(kept), std::move(material)});
    if (intake.progress != nullptr) intake.progress->rowRead(intake.sourceNames[source], line);
  });
  for (const DraftReport& error : table.errors) reports.error(source, error.line, error.text);
  if (!table.readable) {
    intake.unreadableTable[source] = true;
    intake.badParts[source] = 0;
    intake.items.resize(firstItem);
    return;
  }
  intake.badParts[source] += static_cast<long>(table.errors.size());
  for (const DraftReport& error : rowErrors) reports.error(source, error.line, error.text);
  for (const DraftReport& note : rowNotes) reports.note(source, note.line, note.text);
  if (table.hadByteOrderMark && highBytes) intake.utf8TableNames[source] = true;
}

// The notes of each card's item, by item, to be reported once it is known to
// come in.
using ItemNotes = std::map<std::size_t, std::vector<DraftReport>>;

// A card and the cards it inherits from, nearest first.
struct CardLineage {
  std::size_t card;
  std::vector<std::size_t> parents;
};

// A card whose parent cannot be read does not come in either, not even as
// one that gives nothing: what it would inherit is unknown.
bool parentUnreadable(const CardDraft& entry, const std::vector<MaterialCard>& cards,
                      const std::vector<std::size_t>& cardSources, ImportIntake& intake,
                      ImportReports& reports) {
  if (entry.parents.empty() || cards[entry.parents.back()].readable) return false;
  const MaterialCard& card = cards[entry.card];
  reports.error(cardSources[entry.card], card.parentLine,
                parentFailureText(card, cards[entry.parents.front()]));
  ++intake.badParts[cardSources[entry.card]];
  return true;
}

// Every card is read before any inherits, as a parent may come after its child.
std::vector<CardLineage> takeCards(const std::vector<MaterialCard>& cards,
                                   const std::vector<std::size_t>& cardSources,
                                   ImportIntake& intake, ImportReports& reports) {
  for (std::size_t index = 0; index < cards.size(); ++index) {
    const MaterialCard& card = cards[index];
    if (card.readable) continue;
    reports.error(cardSources[index], card.problemLine,
                  "cannot be read as a material card: " + card.problem);
    ++intake.badParts[cardSources[index]];
  }
  std::vector<CardLineage> lineages;
  for (CardDraft& entry : draftsFromCards(cards)) {
    std::size_t source = cardSources[entry.card];
    for (const DraftReport& note : entry.notes) reports.note(source, note.line, note.text);
    if (parentUnreadable(entry, cards, cardSources, intake, reports)) continue;
    if (!entry.parents.empty()) lineages.push_back({entry.card, entry.parents});
    if (!entry.draft.givesAnyValue()) {
      reports.note(source, entry.draft.line,
                   "skipped: \"" + entry.draft.name + "\" gives none of the eight properties, " +
                       "itself or through a parent (an appearance card?)");
      ++intake.skipped;
      continue;
    }
    if (hasHighBytes(entry.draft.name)) intake.utf8CardNames = true;
    long line = entry.draft.line;
    intake.items.push_back(
        {source, true, line, std::make_unique<MaterialDraft>(std::move(entry.draft)), nullptr});
  }
  return lineages;
}

// A card inherits from a parent that cannot be imported (a value of its own,
// or of its parent in turn, was rejected): what it would inherit is wrong.
// Such a card's notes (values not given, a decimal comma) are dropped.
void leaveOutChildrenOfFailedParents(const std::vector<CardLineage>& lineages,
                                     const std::vector<MaterialCard>& cards,
                                     const std::vector<std::size_t>& cardSources,
                                     ImportIntake& intake, ImportReports& reports,
                                     ItemNotes& notes) {
  std::map<std::size_t, std::size_t> cardItems;  // item by source
  for (std::size_t index = 0; index < intake.items.size(); ++index) {
    if (intake.items[index].isCard) cardItems[intake.items[index].source] = index;
  }
  auto failed = [&](std::size_t card) { return intake.badParts[cardSources[card]] > 0; };
  for (const CardLineage& lineage : lineages) {
    auto item = cardItems.find(cardSources[lineage.card]);
    if (item == cardItems.end()) continue;  // skipped: it gives nothing
    if (std::none_of(lineage.parents.begin(), lineage.parents.end(), failed)) continue;
    const MaterialCard& card = cards[lineage.card];
    reports.error(item->first, card.parentLine,
                  parentFailureText(card, cards[lineage.parents.front()]));
    ImportedItem& child = intake.items[item->second];
    if (child.material != nullptr) intake.fail(child);
    notes.erase(item->second);
  }
}

ItemNotes convert(ImportIntake& intake, ImportReports& reports) {
  ItemNotes notes;
  for (std::size_t index = 0; index < intake.items.size(); ++index) {
    ImportedItem& item = intake.items[index];
    if (!item.isCard) continue;  // made as its row was read
    std::vector<DraftReport> errors;
    item.material = materialFromDraft(*item.draft, errors, notes[index]);
    if (!intake.keepDrafts) item.draft.reset();
    for (const DraftReport& error : errors) reports.error(item.source, error.line, error.text);
    if (item.material == nullptr) ++intake.badParts[item.source];
  }
  return notes;
}

}  // namespace

ImportIntake::ImportIntake(const std::vector<ImportSource>& sources)
    : unreadableTable(sources.size(), false),
      badParts(sources.size(), 0),
      utf8TableNames(sources.size(), false) {
  for (const ImportSource& source : sources) {
    sourceNames.push_back(source.path);
    cardSource.push_back(source.kind == ImportSource::Kind::Card);
  }
}

void ImportIntake::fail(ImportedItem& item) {
  item.material.reset();
  ++badParts[item.source];
}

long ImportIntake::leftOut() const {
  long count = 0;
  for (std::size_t source = 0; source < badParts.size(); ++source) {
    count += unreadableTable[source] ? 1 : badParts[source];
  }
  return count;
}

std::string ImportIntake::failures() const {
  std::string text;
  long badCards = 0;
  for (std::size_t source = 0; source < badParts.size(); ++source) {
    std::string part;
    if (unreadableTable[source]) {
      part = sourceNames[source] + " cannot be read as a material table";
    } else if (cardSource[source]) {
      badCards += badParts[source];
    } else if (badParts[source] > 0) {
      part = plural(badParts[source], "row", "rows") + " of " + sourceNames[source] +
             " cannot be imported";
    }
    if (!part.empty()) text += (text.empty() ? "" : "; ") + part;
  }
  if (badCards > 0) {
    text += (text.empty() ? "" : "; ") + plural(badCards, "card", "cards") + " cannot be imported";
  }
  for (const UnreadableFolder& folder : unreadableFolders) {
    text += (text.empty() ? "" : "; ") + std::string("folder ") + folder.path + " cannot be read";
  }
  return text;
}

bool takeIn(const std::vector<ImportSource>& sources, ImportIntake& intake, ImportReports& reports,
            Console& console) {
  std::vector<MaterialCard> cards;
  std::vector<std::size_t> cardSources;
  std::size_t cardCount = static_cast<std::size_t>(
      std::count_if(sources.begin(), sources.end(),
                    [](const ImportSource& source) { return source.kind == ImportSource::Kind::Card; }));
  cards.reserve(cardCount);  // a library of cards, read without copying it as it grows
  cardSources.reserve(cardCount);
  for (std::size_t source = 0; source < sources.size(); ++source) {
    std::string bytes, failure;
    if (!readWholeFile(sources[source].path, bytes, failure)) {
      console.err << "matfile: " << failure << '\n';
      return false;
    }
    if (sources[source].kind == ImportSource::Kind::Table) {
      takeTable(source, std::move(bytes), intake, reports);
    } else {
      cards.push_back(readMaterialCard(sources[source].path, bytes));
      cardSources.push_back(source);
    }
  }
  std::vector<CardLineage> lineages = takeCards(cards, cardSources, intake, reports);
  auto bySource = [](const ImportedItem& a, const ImportedItem& b) { return a.source < b.source; };
  if (!std::is_sorted(intake.items.begin(), intake.items.end(), bySource)) {
    std::stable_sort(intake.items.begin(), intake.items.end(), bySource);
  }
  ItemNotes notes = convert(intake, reports);
  leaveOutChildrenOfFailedParents(lineages, cards, cardSources, intake, reports, notes);
  for (const auto& [index, itemNotes] : notes) {
    for (const DraftReport& note : itemNotes) {
      reports.note(intake.items[index].source, note.line, note.text);
    }
  }
  return true;
}
