// A material table in CSV as material drafts, one per row: the header row
// locates the columns and their units, every other row that is not blank
// becomes a draft. The fields are separated by commas, semicolons or tabs,
// whichever the header row holds most of; in a table separated by semicolons
// every number has a decimal comma.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "MaterialDraft.h"

struct CsvTable {
  bool readable = false;  // false: no header, a bad header, or a field that breaks CSV
  bool hadByteOrderMark = false;
  std::vector<MaterialDraft> drafts;
  std::vector<DraftReport> errors;  // at row 1 for the header; a row whose fields do not fit
  std::vector<DraftReport> notes;   // how a table not written as export writes one was read
};

// With `takeDraft`, each draft goes there as its row is read instead of into
// `drafts`, so that a table of a million rows never holds a million drafts.
CsvTable readCsvTable(std::string text,
                      const std::function<void(MaterialDraft&)>& takeDraft = nullptr);
