#include "KeptCard.h"

namespace {

// Seven bits a byte, the last byte without its top bit: a line number or a
// text's size takes one byte or two where a fixed width took eight.
void packNumber(std::string& packed, unsigned long number) {
  for (; number >= 0x80; number >>= 7) packed += static_cast<char>((number & 0x7F) | 0x80);
  packed += static_cast<char>(number);
}

unsigned long unpackNumber(const std::string& packed, std::size_t& at) {
  unsigned long number = 0;
  for (int shift = 0;; shift += 7) {
    unsigned char byte = static_cast<unsigned char>(packed[at++]);
    number |= static_cast<unsigned long>(byte & 0x7F) << shift;
    if (byte < 0x80) return number;
  }
}

}  // namespace

KeptCard::KeptCard(const MaterialCard& card) : nameLine_(card.nameLine), readable_(card.readable) {
  pack(card.uuid);
  if (!readable_) return;  // only its UUID counts: its children are told it cannot be read
  pack(card.name);
  for (int position = 0; position < kPropertyCount; ++position) {
    const GivenValue& value = card.values[position];
    if (!value.given) continue;
    packNumber(packed_, static_cast<unsigned long>(position));
    packNumber(packed_, static_cast<unsigned long>(value.line));
    pack(value.text);
  }
  packed_.shrink_to_fit();
  if (!card.parentUuid.empty()) {
    parent_ =
        std::make_unique<CardParent>(CardParent{card.parentUuid, card.parentName, card.parentLine});
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
    int given = static_cast<int>(unpackNumber(packed_, at));
    long line = static_cast<long>(unpackNumber(packed_, at));
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
  packNumber(packed_, text.size());
  packed_ += text;
}

std::string_view KeptCard::unpack(std::size_t& at) const {
  std::size_t size = unpackNumber(packed_, at);
  std::string_view text(packed_.data() + at, size);
  at += size;
  return text;
}
