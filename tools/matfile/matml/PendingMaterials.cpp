#include "PendingMaterials.h"

#include <cstring>

namespace {

// Blocks of this size are freed one by one as the materials are handed over.
constexpr std::size_t kBlockSize = 1 << 20;

enum Record : char { kPropertyData = 'P', kData = 'D', kParameter = 'V' };

void putNumber(std::string& out, std::uint64_t number) {
  while (number >= 0x80) {
    out += static_cast<char>((number & 0x7F) | 0x80);
    number >>= 7;
  }
  out += static_cast<char>(number);
}

void putText(std::string& out, std::string_view text) {
  putNumber(out, text.size());
  out.append(text.data(), text.size());
}

class RecordReader {
 public:
  RecordReader(const std::string& bytes, std::size_t at) : bytes_(bytes), at_(at) {}

  std::size_t at() const { return at_; }
  char record() { return bytes_[at_++]; }
  std::uint64_t number() {
    std::uint64_t number = 0;
    for (int shift = 0;; shift += 7) {
      auto byte = static_cast<unsigned char>(bytes_[at_++]);
      number |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
      if (byte < 0x80) return number;
    }
  }
  std::string_view text() {
    std::size_t size = number();
    std::string_view text(bytes_.data() + at_, size);
    at_ += size;
    return text;
  }

 private:
  const std::string& bytes_;
  std::size_t at_;
};

// The records of one material's values, read into `material`, whose vectors
// keep their room from one material to the next.
void readValues(RecordReader& reader, std::size_t end, long bulkLine, PendingMaterial& material) {
  std::size_t count = 0;
  while (reader.at() < end) {
    char record = reader.record();
    if (record == kPropertyData) {
      if (material.properties.size() <= count) material.properties.emplace_back();
      PendingPropertyData& property = material.properties[count++];
      property.property = static_cast<std::uint32_t>(reader.number());
      property.hasData = false;
      property.parameters.clear();
    } else if (record == kData) {
      PendingPropertyData& property = material.properties[count - 1];
      property.hasData = true;
      property.dataLine = bulkLine + static_cast<long>(reader.number());
      property.data = reader.text();
    } else {
      auto parameter = static_cast<std::uint32_t>(reader.number());
      long line = bulkLine + static_cast<long>(reader.number());
      material.properties[count - 1].parameters.push_back({parameter, reader.text(), line});
    }
  }
  material.properties.resize(count);
}

}  // namespace

std::uint32_t PendingMaterials::idNumber(const char* id) {
  if (id == nullptr) return kNoId;
  // Materials name their properties in the same order, one after the other.
  std::uint32_t next = lastId_ + 1;
  if (next <= ids_.size() && std::strcmp(ids_[next - 1].c_str(), id) == 0) return lastId_ = next;
  auto [found, added] = idNumbers_.try_emplace(id, static_cast<std::uint32_t>(ids_.size() + 1));
  if (added) ids_.push_back(found->first);
  return lastId_ = found->second;
}

void PendingMaterials::startMaterial(long bulkLine) {
  bulkLine_ = bulkLine;
  values_.clear();
}

void PendingMaterials::addPropertyData(std::uint32_t property) {
  values_ += kPropertyData;
  putNumber(values_, property);
}

void PendingMaterials::addData(std::string_view data, long line) {
  values_ += kData;
  putNumber(values_, static_cast<std::uint64_t>(line - bulkLine_));
  putText(values_, data);
}

void PendingMaterials::addParameter(std::uint32_t parameter, std::string_view data, long line) {
  values_ += kParameter;
  putNumber(values_, parameter);
  putNumber(values_, static_cast<std::uint64_t>(line - bulkLine_));
  putText(values_, data);
}

void PendingMaterials::endMaterial(std::string_view name, long line) {
  startBlockIfFull();
  std::string& block = blocks_.back();
  putNumber(block, static_cast<std::uint64_t>(bulkLine_));
  putNumber(block, static_cast<std::uint64_t>(line - bulkLine_));
  putText(block, name);
  putText(block, values_);
}

void PendingMaterials::startBlockIfFull() {
  if (!blocks_.empty() && blocks_.back().size() < kBlockSize) return;
  blocks_.emplace_back();
  blocks_.back().reserve(kBlockSize + kBlockSize / 8);
}

void PendingMaterials::giveEach(const std::function<void(const PendingMaterial&)>& take) {
  PendingMaterial material;
  for (std::string& block : blocks_) {
    RecordReader reader(block, 0);
    while (reader.at() < block.size()) {
      auto bulkLine = static_cast<long>(reader.number());
      material.line = bulkLine + static_cast<long>(reader.number());
      material.name = reader.text();
      std::size_t size = reader.number();
      readValues(reader, reader.at() + size, bulkLine, material);
      take(material);
    }
    std::string().swap(block);
  }
  blocks_.clear();
}
