// Everything the sources of an import give: every row and card as a draft and,
// where each value could be taken, as a material record; and what is to be
// said about them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CodePage.h"
#include "Console.h"
#include "ImportProgress.h"
#include "ImportReports.h"
#include "ImportSources.h"
#include "MaterialDraft.h"
#include "PlausibilityRules.h"

struct ImportedItem {
  std::size_t source;
  bool isCard;  // a card or a MatML material: reports give its source and line
  long line;    // the row, or the line of the material's name
  // Dropped once the material is made, unless ImportIntake::keepDrafts.
  std::unique_ptr<MaterialDraft> draft;
  OwnedMaterial material;  // null when the row or card cannot be imported
  bool utf8Name = false;   // the name is UTF-8, to be converted into the code page
  // Where values came in another unit than the stored one, so that a warning's
  // hint never blames a unit the value was not given in; null where none did.
  std::unique_ptr<GivenUnits> givenUnits;
};

struct ImportIntake {
  // The sources outlive the intake, which names them by their paths.
  explicit ImportIntake(const ImportSources& sources);

  const SourcePaths& sourceNames;        // the paths that reports start with, of the sources
  std::vector<ImportedItem> items;       // in source order, then in line order
  std::vector<bool> cardSource;          // by source
  std::vector<bool> matmlSource;         // by source
  std::vector<bool> unreadableTable;     // by source
  std::vector<long> badParts;            // by source: rows or cards that cannot be imported
  std::vector<long> warnedParts;         // by source: rows or cards held back for warnings
  long skipped = 0;                      // cards that give none of the properties
  CodePage codePage;                     // of the file imported into
  bool replaceUnmappable = false;        // a character the code page lacks becomes "?"
  std::vector<UnreadableFolder> unreadableFolders;  // whose cards cannot be imported
  bool keepDrafts = false;                          // every draft kept, for what --verbose shows
  ImportProgress* progress = nullptr;               // told of every row read

  // Marks an item as not importable; its errors are reported already.
  void fail(ImportedItem& item);
  // Marks an item as held back for what check would warn about; its
  // warnings are reported already.
  void holdBack(ImportedItem& item);
  long leftOut() const;
  // Something of the sources cannot be imported: a row, a card, a table, a folder.
  bool lacksSomething() const { return leftOut() > 0 || !unreadableFolders.empty(); }
  // "1 row of new.csv cannot be imported; steel.FCMat cannot be read as a material table"
  std::string failures() const;
};

// Reads every source. False when a file cannot be read at all (the message is
// written to console.err).
bool takeIn(const ImportSources& sources, ImportIntake& intake, ImportReports& reports,
            Console& console);
