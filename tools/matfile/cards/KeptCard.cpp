#include "KeptCard.h"

#include <cstdint>
#include <cstring>

namespace {

template <typename Number>
void packNumber(std::string& packed, Number number) {
  packed.append(reinterpret_cast<const char*>(&number), sizeof number);
}

template <typename Number>
Number unpackNumber(const std::string& packed, std::size_t& at) {
  Number number;
  std::memcpy(&number, packed.data() + at, sizeof number);
  at += sizeof number;
  return number;
}

}  // namespace

KeptCard::KeptCard(const MaterialCard& card)
    : nameLine_(card.nameLine), readable_(card.readable) {
  pack(card.uuid);
  if (!readable_) return;  // only its UUID counts: its children are told it cannot be read
  pack(card.name);
  for (int position = 0; position < kPropertyCount; ++position) {
    const GivenValue& value = card.values[position];
    if (!value.given) continue;
    packNumber(packed_, static_cast<unsigned char>(position));
    packNumber(packed_, value.line);
    pack(value.text);
  }
  packed_.shrink_to_fit();
  if (!card.parentUuid.empty()) {
    parent_ = std::make_unique<CardParent>(
        CardParent{card.parentUuid, card.parentName, card.parentLine});
  }
}

std::string KeptCard::uuid() const {
  std::size_t at = 0;
  return std::string(unpack(at));
}

std::string KeptCard::name() const {
  std::size_t at = 0;
  unpack(at);
  return readable_ ? std::string(unpack(at)) : "";
}

GivenValue KeptCard::value(int position) const {
  GivenValue value;
  if (!readable_) return value;
  std::size_t at = 0;
  unpack(at);
  unpack(at);
  while (at < packed_.size()) {
    int given = unpackNumber<unsigned char>(packed_, at);
    long line = unpackNumber<long>(packed_, at);
    std::string_view text = unpack(at);
    if (given != position) continue;
    value.given = true;
    value.line = line;
    value.text = text;
    break;
  }
  return value;
}

void KeptCard::pack(const std::string& text) {
  packNumber(packed_, static_cast<std::uint32_t>(text.size()));
  packed_ += text;
}

std::string_view KeptCard::unpack(std::size_t& at) const {
  std::size_t size = unpackNumber<std::uint32_t>(packed_, at);
  std::string_view text(packed_.data() + at, size);
  at += size;
  return text;
}
