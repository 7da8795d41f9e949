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
      {"export", "FILE [--output CSV]",
       "write the materials as a CSV table with a header row (to standard output or CSV)", 1,
       {{"--output", true}}, runExport},
      {"import", "CSV --into FILE [--dry-run] [--replace]",
       "append the materials of a CSV table to FILE (created when missing)", 1,
       {{"--into", true, true}, {"--dry-run", false}, {"--replace", false}}, runImport},
      {"rules", "", "print the table of the plausibility warnings of check", 0, {}, runRules},
      {"chart", "FILE [--x PROPERTY] [--y PROPERTY] [--linear] [--output SVG]",
       "draw the materials as an SVG scatter chart, one property against another", 1,
       {{"--x", true}, {"--y", true}, {"--linear", false}, {"--output", true}}, runChart,
       kChartDetails},
      {"diff", "OLD NEW", "print the materials added, removed and changed from OLD to NEW", 2, {},
       runDiff, kDiffDetails},
  };
  return commands;
}
