#include "Commands.h"
#include "CsvColumns.h"
#include "CsvWriter.h"
#include "FileReading.h"
#include "MaterialNames.h"
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

}  // namespace

// The table holds what the editor would show; what the reader dropped is
// reported, and the exit code says the table lacks it.
int runExport(const Invocation& invocation, Console& console) {
  const std::string& input = invocation.files[0];
  ReportingObserver reports(console.err, input + ":");
  OwnedList list;
  if (!readForCommand(input, list, console, &reports)) return kExitTrouble;
  if (!writeResult(invocation, console, materialTable(list.get()), input)) return kExitTrouble;
  if (reports.count() == 0) return kExitSuccess;
  console.err << "matfile: the table lacks what is reported above (see matfile check)\n";
  return kExitFindings;
}
