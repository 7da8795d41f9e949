#include "Commands.h"

#include "YamlCardReader.h"

namespace {

std::string importDetails() {
  std::string text =
      "  SOURCE is a CSV table with a header row (units in the headers: \"density [kg/m^3]\"),\n"
      "  a material card (.FCMat), or a folder of cards read recursively in path order.\n"
      "  --dry-run       report everything, write nothing\n"
      "  --replace       a material FILE already has is replaced in its place (else skipped)\n"
      "  --skip-invalid  leave out every bad row or card, import the rest (exit code 1\n"
      "                  when something was left out)\n"
      "  --verbose       list each value as given beside the value stored\n"
      "  matfile units lists the units a value may be given in.\n";
  if (!kReadsYamlCards) {
    text += "  This build reads no YAML cards (it has no YAML library): only cards in the\n"
            "  INI form ([FCMat] sections). The native build reads both forms.\n";
  }
  return text;
}

}  // namespace

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
      {"import", "SOURCE... --into FILE [--dry-run] [--replace] [--skip-invalid] [--verbose]",
       "append the materials of CSV tables and material cards to FILE (created when missing)", 1,
       {{"--into", true, true},
        {"--dry-run", false},
        {"--replace", false},
        {"--skip-invalid", false},
        {"--verbose", false}},
       runImport, true, importDetails},
      {"rules", "", "print the table of the plausibility warnings of check", 0, {}, runRules},
      {"chart", "FILE [--x PROPERTY] [--y PROPERTY] [--linear] [--output SVG]",
       "draw the materials as an SVG scatter chart, one property against another", 1,
       {{"--x", true}, {"--y", true}, {"--linear", false}, {"--output", true}}, runChart, false,
       chartDetails},
      {"diff", "OLD NEW", "print the materials added, removed and changed from OLD to NEW", 2, {},
       runDiff, false, diffDetails},
      {"merge", "BASE OURS THEIRS [--output FILE]",
       "merge the changes that OURS and THEIRS made to BASE, material by material", 3,
       {{"--output", true}}, runMerge, false, mergeDetails},
      {"units", "", "print the units that import converts from, with their exact factors", 0, {},
       runUnits},
  };
  return commands;
}
