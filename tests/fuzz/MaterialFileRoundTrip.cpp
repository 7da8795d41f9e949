#include "MaterialFileRoundTrip.h"

#include "MaterialFile.h"
#include "MaterialFileObserver.h"
#include "MaterialProperty.h"
#include "MemoryTextSource.h"
#include "NumberText.h"
#include "TextSink.h"

namespace {

class StringSink : public TextSink {
 public:
  int write(const char* data, std::size_t length) override {
    text.append(data, length);
    return 1;
  }
  int close() override { return 1; }
  std::string text;
};

class DropCounter : public MaterialFileObserver {
 public:
  void lineDropped(long, DroppedLine) override { ++dropped; }
  void valueRejected(long, const char*) override {}
  long dropped = 0;
};

struct OwnedList {
  MaterialList head = nullptr;
  ~OwnedList() { releaseList(head); }
};

std::string numberText(double value) {
  char text[kNumberTextSize];
  formatNumber(value, text);
  return text;
}

// What the second read must hold, given the first: the name ("(null)" for an
// absent one) and every number as the file writes it.
std::string differenceBetween(const MaterialNode* first, const MaterialNode* second) {
  int index = 0;
  for (; first != nullptr && second != nullptr; first = first->nextNode, second = second->nextNode) {
    if (first->material == nullptr || second->material == nullptr) return "empty node after a read";
    const Material& a = *first->material;
    const Material& b = *second->material;
    std::string nameA = a.name != nullptr ? a.name : "(null)";
    if (b.name == nullptr || nameA != b.name) return "name of material " + std::to_string(index);
    for (int position = 0; position < kPropertyCount; ++position) {
      MaterialProperty property = propertyAt(position);
      if (numberText(propertyValue(a, property)) != numberText(propertyValue(b, property))) {
        return std::string(propertyName(property)) + " of material " + std::to_string(index);
      }
    }
    ++index;
  }
  return first == second ? "" : "number of materials";
}

}  // namespace

std::string materialFileRoundTripFault(const char* data, std::size_t size) {
  OwnedList first;
  MemoryTextSource source(data, size);
  if (readMaterialText(source, first.head) != MaterialFileStatus::Read) return "first read failed";
  StringSink firstText;
  if (writeMaterialText(first.head, firstText) != 1) return "first write failed";

  OwnedList second;
  DropCounter drops;
  MemoryTextSource written(firstText.text.data(), firstText.text.size());
  if (readMaterialText(written, second.head, &drops) != MaterialFileStatus::Read) {
    return "second read failed";
  }
  if (drops.dropped != 0) return "a written file has lines that the reader drops";
  std::string difference = differenceBetween(first.head, second.head);
  if (!difference.empty()) return "read back differs: " + difference;

  StringSink secondText;
  if (writeMaterialText(second.head, secondText) != 1) return "second write failed";
  if (secondText.text != firstText.text) return "writing what was read back changes the file";
  return "";
}
