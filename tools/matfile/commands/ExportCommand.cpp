#include <filesystem>
#include <fstream>

#include "CardFileNames.h"
#include "CardWriter.h"
#include "CodePageOption.h"
#include "Commands.h"
#include "CsvColumns.h"
#include "CsvWriter.h"
#include "FileReading.h"
#include "MaterialNames.h"
#include "MatmlWriter.h"
#include "NumberString.h"
#include "ReportingObserver.h"
#include "ResultOutput.h"

namespace {

// The header, then one record per material in list order, the numbers in the
// file's own text so that an import writes the same file again.
std::string materialTable(const MaterialNode* head) {
  CsvWriter csv;
  for (const std::string& header : CsvColumns::headerRow()) csv.addField(header);
  csv.endRecord();
  for (const MaterialNode* node = head; node != nullptr; node = node->nextNode) {
    if (node->material == nullptr) continue;
    const Material& material = *node->material;
    csv.addField(writtenName(material));
    for (int position = 0; position < kPropertyCount; ++position) {
      csv.addField(numberString(propertyValue(material, propertyAt(position))));
    }
    csv.endRecord();
  }
  return csv.text();
}

// Cards of an earlier export that this one does not rewrite (a material since
// renamed or deleted) would come back in with the next import of the folder,
// so only a new or empty folder is written.
bool readyCardFolder(const std::string& folder, Console& console) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::exists(folder, error)) {
    if (!fs::is_directory(folder, error)) {
      console.err << "matfile: " << folder
                  << " is no folder; cards go into a new or empty folder\n";
      return false;
    }
    if (!fs::is_empty(folder, error)) {
      console.err << "matfile: " << folder << " is not empty; cards go into a new or empty folder, "
                  << "so that no card of an earlier export is taken for one of this (nothing "
                  << "written)\n";
      return false;
    }
    return true;
  }
  if (fs::create_directories(folder, error)) return true;
  console.err << "matfile: cannot make folder " << folder << ": " << error.message() << '\n';
  return false;
}

bool writeCards(const std::string& folder, const MaterialNode* head, const CodePage& codePage,
                Console& console) {
  std::size_t count = 0;
  for (const MaterialNode* node = head; node != nullptr; node = node->nextNode) {
    if (node->material != nullptr) ++count;
  }
  CardFileNames names(count);
  for (const MaterialNode* node = head; node != nullptr; node = node->nextNode) {
    if (node->material == nullptr) continue;
    const Material& material = *node->material;
    // The file name is UTF-8; on Windows a path made from a narrow string
    // would read it in the ANSI code page.
    std::filesystem::path path =
        std::filesystem::path(folder) /
        std::filesystem::u8path(names.next(codePage.toUtf8(writtenName(material))));
    std::ofstream card(path, std::ios::binary);
    card << materialCardText(material, codePage);
    card.close();
    if (!card) {
      console.err << "matfile: cannot write " << path.u8string() << '\n';
      return false;
    }
  }
  return true;
}

}  // namespace

std::string exportDetails() {
  return "\n"
         "  --format csv    a CSV table with a header row (the default), names in the\n"
         "                  file's code page\n"
         "  --format card   one material card (YAML) per material in the folder --output\n"
         "                  names, which must be new or empty\n"
         "  --format matml  one MatML 3.1 document, values in SI units\n"
         "  --codepage CP   the code page of the file's names (1252, 1250, 28591); cards\n"
         "                  and MatML are UTF-8. Default: 1252 (on Windows the system's)\n"
         "Exit codes: 0 every material written; 1 written without what the reader dropped\n"
         "or what the format cannot hold (reported on standard error); 2 trouble.\n";
}

// The table, cards or document hold what the editor would show; what the
// reader dropped is reported, and the exit code says the result lacks it.
int runExport(const Invocation& invocation, Console& console) {
  const std::string& input = invocation.files[0];
  std::string format = invocation.option("--format", "csv");
  if (format != "csv" && format != "card" && format != "matml") {
    console.err << "matfile: unknown --format \"" << format << "\"; one of csv, card, matml\n";
    return kExitTrouble;
  }
  if (format == "card" && !invocation.has("--output")) {
    console.err << "matfile: --format card needs --output FOLDER\n";
    return kExitTrouble;
  }
  CodePage codePage;
  if (!codePageOption(invocation, console, codePage)) return kExitTrouble;
  ReportingObserver reports(console.err, input + ":");
  OwnedList list;
  if (!readForCommand(input, list, console, &reports)) return kExitTrouble;
  long omitted = 0;
  if (format == "card") {
    std::string folder = invocation.option("--output", "");
    if (!readyCardFolder(folder, console) || !writeCards(folder, list.get(), codePage, console)) {
      return kExitTrouble;
    }
  } else if (format == "matml") {
    MatmlWriter writer(codePage);
    for (const ReportingObserver::MaterialAt& entry : reports.materials()) {
      writer.add(*entry.material);
      if (writer.omissions().size() == static_cast<std::size_t>(omitted)) continue;
      ++omitted;
      console.err << input << ':' << entry.nameLine << ": " << quotedName(*entry.material)
                  << " left out: " << writer.omissions().back().reason << '\n';
    }
    if (!writeResult(invocation, console, writer.document(), input)) return kExitTrouble;
  } else if (!writeResult(invocation, console, materialTable(list.get()), input)) {
    return kExitTrouble;
  }
  if (reports.count() == 0 && omitted == 0) return kExitSuccess;
  console.err << "matfile: the "
              << (format == "csv"    ? "table"
                  : format == "card" ? "cards"
                                     : "document")
              << " lack" << (format == "card" ? "" : "s") << " what is reported above"
              << (reports.count() > 0 ? " (see matfile check)" : "") << '\n';
  return kExitFindings;
}
