#include "Commands.h"

#include "XmlReader.h"
#include "YamlCardReader.h"

namespace {

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
      "  each takes; matfile units lists every unit.\n" + importEncodingDetails();
  if (!kReadsYamlCards) {
    text += "  This build reads no YAML cards (it has no YAML library): only cards in the\n"
            "  INI form ([FCMat] sections). The native build reads both forms.\n";
  }
  if (!kReadsXml) {
    text += "  This build reads no MatML (it has no XML library); the native build does.\n";
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
