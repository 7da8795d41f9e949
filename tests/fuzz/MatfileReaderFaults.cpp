#include "MatfileReaderFaults.h"

#include <cmath>
#include <vector>

#include "CardInheritance.h"
#include "CardReading.h"
#include "CsvReader.h"
#include "CsvTable.h"
#include "CsvWriter.h"
#include "MatmlReader.h"
#include "NumberText.h"
#include "UnitConversion.h"
#include "UnitText.h"
#include "ValueText.h"

namespace {

// What is checked must be what is saved: every number as the file writes it.
std::string materialFault(const Material& material) {
  if (material.name == nullptr) return "a material without a name";
  for (int position = 0; position < kPropertyCount; ++position) {
    MaterialProperty property = propertyAt(position);
    double value = propertyValue(material, property);
    char text[kNumberTextSize];
    formatNumber(value, text);
    if (!std::isfinite(value) || textToNumber(text) != value) {
      return std::string(propertyName(property)) + " is not as the file writes it";
    }
  }
  return "";
}

std::string draftFault(const MaterialDraft& draft) {
  std::vector<DraftReport> errors, notes;
  OwnedMaterial material = materialFromDraft(draft, errors, notes);
  if (material == nullptr) return errors.empty() ? "a draft rejected without a reason" : "";
  if (!errors.empty()) return "a material taken with errors";
  return materialFault(*material);
}

}  // namespace

std::string unitTextFault(const char* data, std::size_t size) {
  std::string text(data, size);
  Unit unit;
  std::string error;
  if (readUnitText(text, unit, error)) {
    if (!std::isfinite(unit.inSi) || unit.inSi <= 0) return "a unit of no finite size";
  } else if (error.empty()) {
    return "a unit rejected without a reason";
  }
  for (int position = 0; position < kPropertyCount; ++position) {
    double factor = 0;
    error.clear();
    bool known = factorToStored(propertyAt(position), text, factor, error);
    if (known && !(std::isfinite(factor) && factor > 0)) return "a factor of no finite size";
    if (!known && error.empty()) return "a factor refused without a reason";
  }
  ValueText value;
  error.clear();
  if (readValueText(text, value, error)) {
    if (!std::isfinite(value.number)) return "a value that is no finite number";
  } else if (error.empty()) {
    return "a value rejected without a reason";
  }
  return "";
}

std::string materialCardFault(const char* data, std::size_t size) {
  std::string bytes(data, size);
  MaterialCard card = readMaterialCard("a.FCMat", bytes);
  if (!card.readable && card.problem.empty()) return "a card refused without a reason";
  std::vector<KeptCard> cards;
  cards.emplace_back(card);
  cards.emplace_back(readMaterialCard("b.FCMat", bytes));
  std::string fault;
  forEachCardDraft(
      cards, [](std::size_t card) { return card == 0 ? "a.FCMat" : "b.FCMat"; },
      [&](const CardDraft& entry) {
        if (fault.empty()) fault = draftFault(entry.draft);
      });
  return fault;
}

std::string csvTableFault(const char* data, std::size_t size) {
  std::string text(data, size);
  CsvReader reader(text);
  std::vector<std::vector<std::string>> records;
  while (reader.next() == CsvReader::Result::Record) records.push_back(reader.fields());
  CsvWriter writer;
  for (const std::vector<std::string>& record : records) {
    for (const std::string& field : record) writer.addField(field);
    writer.endRecord();
  }
  CsvReader again(writer.text());
  for (const std::vector<std::string>& record : records) {
    if (again.next() != CsvReader::Result::Record || again.fields() != record) {
      return "records written and read back differ";
    }
  }
  if (again.next() != CsvReader::Result::End) return "records written and read back differ";
  CsvTable table = readCsvTable(text);
  for (const MaterialDraft& draft : table.drafts) {
    std::string fault = draftFault(draft);
    if (!fault.empty()) return fault;
  }
  return "";
}

std::string matmlDocumentFault(const char* data, std::size_t size) {
  std::string text(data, size), fault;
  bool handedOver = false;
  MatmlDocument document = readMatml(xmlChunksOf(text), [&](MaterialDraft& draft) {
    handedOver = true;
    if (fault.empty()) fault = draftFault(draft);
  });
  if (!document.readable) {
    if (handedOver) return "drafts handed over from a document then refused";
    if (document.problem.empty()) return "a document refused without a reason";
    if (document.problemLine < 1) return "a refusal at no line of the document";
  }
  return fault;
}
