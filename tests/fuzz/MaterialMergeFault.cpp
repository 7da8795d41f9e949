#include "MaterialMergeFault.h"

#include <cstring>
#include <vector>

#include "MaterialFile.h"
#include "MaterialMerge.h"
#include "MaterialNames.h"
#include "MemoryTextSource.h"
#include "OwnedList.h"

namespace {

using MaterialAt = MaterialMerge::MaterialAt;

struct ReadSide {
  OwnedList list;
  std::vector<MaterialAt> materials;
};

class Collector : public MaterialFileObserver {
 public:
  explicit Collector(std::vector<MaterialAt>& materials) : materials_(materials) {}
  void lineDropped(long, DroppedLine) override {}
  void valueRejected(long, const char*) override {}
  void materialRead(long line, const Material& material) override {
    materials_.push_back({line, &material});
  }

 private:
  std::vector<MaterialAt>& materials_;
};

void readSide(const std::string& text, ReadSide& side) {
  MemoryTextSource source(text.data(), text.size());
  MaterialList head = nullptr;
  Collector collector(side.materials);
  readMaterialText(source, head, &collector);
  side.list.reset(head);
}

bool sameValue(double a, double b) { return a == b || (a != a && b != b); }

// The merge equals the side, material by material, in its order.
std::string differenceFrom(const MaterialMerge& merge, const std::vector<MaterialAt>& side) {
  if (!merge.conflicts().empty()) return "a conflict where none can be";
  if (merge.merged().size() != side.size()) return "not the side's count of materials";
  for (std::size_t i = 0; i < side.size(); ++i) {
    const MaterialMerge::Merged& merged = merge.merged()[i];
    if (merged.name != writtenName(*side[i].material))
      return "another name at " + std::to_string(i);
    for (int position = 0; position < kPropertyCount; ++position) {
      if (!sameValue(merged.values[position],
                     propertyValue(*side[i].material, propertyAt(position)))) {
        return "another value at " + std::to_string(i);
      }
    }
  }
  return "";
}

}  // namespace

std::string materialMergeFault(const char* data, std::size_t size) {
  std::string input(data, size), texts[3];
  std::size_t at = 0;
  for (int part = 0; part < 3; ++part) {
    std::size_t end = part < 2 ? input.find(kMergeFileSeparator, at) : std::string::npos;
    if (end == std::string::npos) end = input.size();
    texts[part] = input.substr(at, end - at);
    at = end < input.size() ? end + std::strlen(kMergeFileSeparator) : end;
  }
  ReadSide base, ours, theirs;
  readSide(texts[0], base);
  readSide(texts[1], ours);
  readSide(texts[2], theirs);

  std::string fault =
      differenceFrom(MaterialMerge(base.materials, ours.materials, ours.materials), ours.materials);
  if (!fault.empty()) return "merging ours with itself: " + fault;
  fault = differenceFrom(MaterialMerge(base.materials, base.materials, theirs.materials),
                         theirs.materials);
  if (!fault.empty()) return "merging theirs into an unchanged base: " + fault;

  MaterialMerge merge(base.materials, ours.materials, theirs.materials);
  std::size_t kept = 0;
  for (const MaterialMerge::Conflict& conflict : merge.conflicts()) kept += conflict.keptAs.size();
  std::size_t renamed = 0;
  for (const MaterialMerge::Merged& merged : merge.merged()) {
    // A carriage return inside a name is kept by the file; one at its end
    // would be taken for part of the line end.
    if (merged.name.empty() ||
        merged.name.find_first_of(std::string("\n\0", 2)) != std::string::npos ||
        merged.name.back() == '\r') {
      return "a merged name the file cannot keep";
    }
    std::size_t suffixAt = merged.name.rfind(" (");
    bool suffixed =
        suffixAt != std::string::npos &&
        (merged.name.compare(suffixAt, std::string::npos, MaterialMerge::kOursSuffix) == 0 ||
         merged.name.compare(suffixAt, std::string::npos, MaterialMerge::kTheirsSuffix) == 0);
    if (suffixed) {
      ++renamed;
      if (merged.name.size() > MaterialMerge::kLongestName) return "a conflict's name too long";
    }
  }
  // Materials named like a conflict's version may come from the sides too.
  if (renamed < kept) return "fewer versions in the file than the conflicts keep";
  if (merge.merged().size() > ours.materials.size() + theirs.materials.size()) {
    return "more materials than both sides hold";
  }
  return "";
}
