#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "CardFileNames.h"
#include "CardWriter.h"
#include "CodePageOption.h"
#include "Commands.h"
#include "CsvColumns.h"
#include "CsvWriter.h"
#include "FileOperationFaults.h"
#include "FileReading.h"
#include "MaterialNames.h"
#include "MatmlWriter.h"
#include "NumberString.h"
#include "ReportingObserver.h"
#include "ResultOutput.h"

namespace {

// The header, then one record per material in list order, the numbers in the
// file's own text so that an import writes the same file again.
void writeTable(const MaterialNode* head, std::ostream& out) {
  CsvWriter csv(out);
  for (const std::string& header : CsvColumns::headerRow()) csv.addField(header);
  csv.endRecord();
  for (const MaterialNode* node = head; node != nullptr && out; node = node->nextNode) {
    if (node->material == nullptr) continue;
    const Material& material = *node->material;
    csv.addField(writtenName(material));
    for (int position = 0; position < kPropertyCount; ++position) {
      csv.addField(numberString(propertyValue(material, propertyAt(position))));
    }
    csv.endRecord();
  }
}

// Each material left out is reported as it is met; the count gives the exit
// code.
long writeDocument(const std::string& input, const ReportingObserver& reports,
                   const CodePage& codePage, Console& console, std::ostream& out) {
  long omitted = 0;
  MatmlWriter writer(codePage, out);
  for (const ReportingObserver::MaterialAt& entry : reports.materials()) {
    if (!out) return omitted;
    if (writer.add(*entry.material)) continue;
    ++omitted;
    console.err << input << ':' << entry.nameLine << ": " << quotedName(*entry.material)
                << " left out: " << MatmlWriter::leftOutReason() << '\n';
  }
  writer.finish();
  return omitted;
}

// Cards of an earlier export that this one does not rewrite (a material since
// renamed or deleted) would come back in with the next import of the folder,
// so only a new or empty folder is written. `made`: this export made it.
bool readyCardFolder(const std::string& folder, bool& made, Console& console) {
  namespace fs = std::filesystem;
  std::error_code error;
  made = false;
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
  made = fs::create_directories(folder, error);
  if (made) return true;
  console.err << "matfile: cannot make folder " << folder << ": " << error.message() << '\n';
  return false;
}

// 0 when the card is written, else errno as the failed step left it. The
// file seam's failures count as the system's own, so that tests reach every
// way a full disk stops an export, one operation after another.
int writeCardFile(const std::filesystem::path& path, const std::string& text) {
  errno = 0;
  if (FileOperationFaults::fail()) return errno;
  std::ofstream card(path, std::ios::binary);
  if (card) card.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (FileOperationFaults::fail()) card.setstate(std::ios::badbit);
  card.close();
  if (card) return 0;
  return errno != 0 ? errno : EIO;
}

std::size_t materialCount(const MaterialNode* head) {
  std::size_t count = 0;
  for (const MaterialNode* node = head; node != nullptr; node = node->nextNode) {
    if (node->material != nullptr) ++count;
  }
  return count;
}

// The cards' paths in list order, made again rather than kept: a million
// paths would cost more memory than the materials themselves.
class CardPaths {
 public:
  CardPaths(const std::string& folder, const MaterialNode* head, const CodePage& codePage)
      : folder_(folder), codePage_(codePage), names_(materialCount(head)), node_(head) {}

  // The next material and its card's path; false after the last.
  bool next(const Material*& material, std::filesystem::path& path) {
    while (node_ != nullptr && node_->material == nullptr) node_ = node_->nextNode;
    if (node_ == nullptr) return false;
    material = node_->material;
    node_ = node_->nextNode;
    // The file name is UTF-8; on Windows a path made from a narrow string
    // would read it in the ANSI code page.
    path = std::filesystem::path(folder_) /
           std::filesystem::u8path(names_.next(codePage_.toUtf8(writtenName(*material))));
    return true;
  }

 private:
  const std::string& folder_;
  const CodePage& codePage_;
  CardFileNames names_;
  const MaterialNode* node_;
};

// A folder with some of the cards would pass for the whole export with the
// next import of it, so the `written` cards go again (the one that failed
// among them); what cannot go is named.
void removeCards(std::size_t written, const std::string& folder, bool madeFolder,
                 const MaterialNode* head, const CodePage& codePage, Console& console) {
  CardPaths paths(folder, head, codePage);
  const Material* material = nullptr;
  std::filesystem::path path;
  std::size_t left = 0;
  for (std::size_t removed = 0; removed < written && paths.next(material, path); ++removed) {
    std::error_code error;
    if (std::filesystem::remove(path, error) || !error) continue;
    if (left++ == 0) {
      console.err << "matfile: these cards of the unfinished export are still in " << folder
                  << "; remove them before the folder is imported:\n";
    }
    console.err << "  " << path.filename().u8string() << '\n';
  }
  if (left > 0) return;
  std::error_code error;
  if (madeFolder) std::filesystem::remove(folder, error);
  console.err << "matfile: the cards written before it (" << written - 1
              << ") are removed again (nothing written)\n";
}

bool writeCards(const std::string& folder, bool madeFolder, const MaterialNode* head,
                const CodePage& codePage, Console& console) {
  CardPaths paths(folder, head, codePage);
  const Material* material = nullptr;
  std::filesystem::path path;
  for (std::size_t written = 1; paths.next(material, path); ++written) {
    int failure = writeCardFile(path, materialCardText(*material, codePage));
    if (failure == 0) continue;
    console.err << "matfile: cannot write " << path.u8string() << ": " << std::strerror(failure)
                << '\n';
    removeCards(written, folder, madeFolder, head, codePage, console);
    return false;
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
         "or what the format cannot hold (reported on standard error); 2 trouble: among\n"
         "it a write that fails part way, which leaves the --output file as it was and\n"
         "takes away the cards written before it.\n";
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
    bool madeFolder = false;
    if (!readyCardFolder(folder, madeFolder, console) ||
        !writeCards(folder, madeFolder, list.get(), codePage, console)) {
      return kExitTrouble;
    }
  } else if (!writeResultAsMade(invocation, console, input, [&](std::ostream& out) {
               if (format == "csv") return writeTable(list.get(), out);
               omitted = writeDocument(input, reports, codePage, console, out);
             })) {
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
