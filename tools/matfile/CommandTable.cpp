#include "CommandTable.h"

#include "Commands.h"

const std::vector<CommandEntry>& matfileCommands() {
  static const std::vector<CommandEntry> commands = {
      {"list", "FILE", "print each material: name and the eight numbers, tab-separated", 1, {},
       runList},
      {"check", "FILE",
       "report every line the reader drops and every rejected value, then warn about "
       "implausible values",
       1, {}, runCheck},
      {"format", "FILE [--output OUT] [--force]",
       "rewrite FILE (or write OUT) as the editor saves it", 1,
       {{"--output", true}, {"--force", false}}, runFormat},
      {"export", "FILE [--format csv|card|matml] [--output PATH] [--codepage CP]",
       "write the materials as a CSV table, material cards or a MatML document", 1,
       {{"--output", true}, {"--format", true}, {"--codepage", true}}, runExport, false,
       exportDetails},
      {"import",
       "SOURCE... --into FILE [--dry-run] [--replace] [--skip-invalid] [--accept-warnings] "
       "[--verbose] [--codepage CP] [--replace-unmappable]",
       "append the materials of CSV tables, material cards and MatML documents to FILE "
       "(created when missing)", 1,
       {{"--into", true, true},
        {"--dry-run", false},
        {"--replace", false},
        {"--skip-invalid", false},
        {"--accept-warnings", false},
        {"--verbose", false},
        {"--codepage", true},
        {"--replace-unmappable", false}},
       runImport, true, importDetails},
      {"rules", "", "print the table of the plausibility warnings of check", 0, {}, runRules},
      {"chart", "FILE [--x PROPERTY] [--y PROPERTY] [--linear] [--output SVG]",
       "draw the materials as an SVG scatter chart, one property against another", 1,
       {{"--x", true}, {"--y", true}, {"--linear", false}, {"--output", true}, {"--codepage", true}},
       runChart, false,
       chartDetails},
      {"diff", "OLD NEW", "print the materials added, removed and changed from OLD to NEW", 2, {},
       runDiff, false, diffDetails},
      {"merge", "BASE OURS THEIRS [--output FILE]",
       "merge the changes that OURS and THEIRS made to BASE, material by material", 3,
       {{"--output", true}}, runMerge, false, mergeDetails},
      {"units", "", "print the units that import converts from, with their exact factors", 0, {},
       runUnits},
      {"columns", "", "print the headers a table to import may use, and the units of each", 0,
       {}, runColumns},
  };
  return commands;
}
